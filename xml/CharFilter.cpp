#include "xml/CharFilter.h"

#include "core/FontData.h"
#include "core/PgCtrl.h"
#include "xml/GlyphOrder.h"

CCharFilter::CCharFilter()
    : CXmlReadFrame(Rules{.rootName = u"letter-list",
                          .versions = {u"1.0"},
                          .topElement = u"body",
                          .topParent = u"letter-list",
                          .notThisKindMessage = 150,
                          .warningsAreErrors = true,
                          .wrapCallbackErrors = true}) {}

void CCharFilter::Load(const std::u16string& path) {
    Parse(path);
    m_set[CharacterList::kSpace] = true;
    m_passAll = false;
}

void CCharFilter::CombineWithOrder(const CGlyphOrder& order) {
    if (!order.IsLoaded()) {
        return;
    }
    if (m_passAll) {
        for (const uint16_t code : order.GridCodes()) {
            if (code != CGlyphOrder::NullCode) {
                m_set[code] = true;
            }
        }
        m_passAll = m_set.empty();
        return;
    }
    for (auto& entry : m_set) {
        entry.second = false;
    }
    for (const uint16_t code : order.GridCodes()) {
        if (code == CGlyphOrder::NullCode) {
            continue;
        }
        if (const auto found = m_set.find(code); found != m_set.end()) {
            found->second = true;
        }
    }
    std::erase_if(m_set, [](const auto& entry) { return !entry.second; });
}

bool CCharFilter::IsExcluded(uint16_t code) const {
    if (m_passAll) {
        return false;
    }
    const auto found = m_set.find(code);
    return found == m_set.end() || !found->second;
}

void CCharFilter::CheckMissing(const CFontData& font) const {
    for (const auto& [code, chosen] : m_set) {
        if (chosen && !font.FindGlyph(code)) {
            ReportWarning(g_pPgCtrl, 259, {code, code});
        }
    }
}

std::vector<uint16_t> CCharFilter::GetCodes() const {
    std::vector<uint16_t> codes;
    if (m_passAll) {
        return codes;
    }
    for (const auto& [code, chosen] : m_set) {
        if (chosen) {
            codes.push_back(code);
        }
    }
    return codes;
}

void CCharFilter::OnStartElement(std::u16string_view name, xercesc::AttributeList&) {
    m_letters.OnStart(name, InsideTop(), [this](uint16_t code) { m_set[code] = true; });
}

void CCharFilter::OnEndElement(std::u16string_view name) {
    m_letters.OnEnd(name);
}

void CCharFilter::OnCharacters(std::u16string_view text) {
    m_letters.OnCharacters(text, [this](uint16_t code) { m_set[code] = true; });
}
