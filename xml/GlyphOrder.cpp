#include "xml/GlyphOrder.h"

#include <algorithm>

#include "base/GlobalException.h"

CGlyphOrder::CGlyphOrder()
    : CXmlReadFrame(Rules{.rootName = u"letter-order",
                          .versions = {u"1.1", u"1.0"},
                          .topElement = u"body",
                          .topParent = u"letter-order",
                          .notThisKindMessage = 153,
                          .versionThrows = true}),
      m_used(0x10000, false) {}

void CGlyphOrder::Load(const std::u16string& path) {
    m_orderPath = path;
    Parse(path);
    SettleGrid();
}

void CGlyphOrder::AddOrder(uint16_t code) {
    if (code != NullCode && !m_allowDuplicates && m_used[code]) {
        TL_THROW(kErrXml, 273, code, code);
    }
    m_used[code] = true;
    m_codes.push_back(code);
}

uint16_t CGlyphOrder::GetCharCode(int32_t x, int32_t y) const {
    if (x < 0 || x >= m_width || y < 0 || y >= m_height) {
        return NullCode;
    }
    const int64_t index = int64_t{y} * m_width + x;
    return index < static_cast<int64_t>(m_codes.size()) ? m_codes[static_cast<size_t>(index)]
                                                        : NullCode;
}

std::span<const uint16_t> CGlyphOrder::GridCodes() const {
    const int64_t cells = std::max<int64_t>(0, m_width) * std::max<int64_t>(0, m_height);
    const auto count = static_cast<size_t>(std::min<int64_t>(cells, m_codes.size()));
    return std::span<const uint16_t>(m_codes).first(count);
}

void CGlyphOrder::OnStartElement(std::u16string_view name, xercesc::AttributeList& attributes) {
    if (IsElement(name, u"area")) {
        RequireInside(InsideTop(), u"area", u"body");
        if (const auto width = GetIntAttribute(attributes, u"width")) {
            m_width = *width;
        }
        if (const auto height = GetIntAttribute(attributes, u"height")) {
            m_height = *height;
            m_heightGiven = true;
        }
    } else if (IsElement(name, u"null")) {
        RequireInside(m_order.IsOpen(), u"null", u"order");
        m_used[NullCode] = true;
        m_codes.push_back(NullCode);
    } else {
        m_order.OnStart(name, InsideTop(), [this](uint16_t code) { AddOrder(code); });
    }
}

void CGlyphOrder::OnEndElement(std::u16string_view name) {
    m_order.OnEnd(name);
}

void CGlyphOrder::OnCharacters(std::u16string_view text) {
    m_order.OnCharacters(text, [this](uint16_t code) { AddOrder(code); });
}

void CGlyphOrder::OnVersion(std::u16string_view version) {
    m_allowDuplicates = IsElement(version, u"1.0");
}

void CGlyphOrder::SettleGrid() {
    if (m_width <= 0) {
        TL_THROW(kErrXml, 155, m_width);
    }
    if (m_heightGiven) {
        if (m_height <= 0) {
            TL_THROW(kErrXml, 154, m_height);
        }
    } else {
        const int64_t rows = (static_cast<int64_t>(m_codes.size()) + m_width - 1) / m_width;
        m_height = static_cast<int32_t>(std::min<int64_t>(rows, INT32_MAX));
    }
    m_loaded = true;
}
