#include "core/FontData.h"

#include <algorithm>
#include <limits>

#include "base/GlobalException.h"
#include "core/PgCtrl.h"

void CFontData::AddGlyph(std::unique_ptr<CGlyph> glyph, uint16_t code) {
    if (m_byCode.empty()) {
        m_byCode.assign(std::size_t{0x10000}, nullptr);
    }
    const CGlyph* found = m_byCode[code];
    if (found == nullptr) {
        glyph->glyphIndex = static_cast<uint16_t>(m_glyphs.size());
        glyph->charCode = code;
        m_byCode[code] = glyph.get();
        m_glyphs.push_back(std::move(glyph));
        return;
    }
    if (!glyph->Equals(*found)) {
        ReportWarning(g_pPgCtrl, 260, {code, code});
    }
}

const CGlyph* CFontData::FindGlyph(uint16_t code) const {
    return m_byCode.empty() ? nullptr : m_byCode[code];
}

void CFontData::ReflectGlyph() {
    if (m_glyphs.empty()) {
        TL_THROW(kErrInputValue, 166);
    }
    if (!glyphImageFormat.isSet) {
        TL_THROW(kErrInternal, 174);
    }
    constexpr int32_t kSmallest = std::numeric_limits<int32_t>::min();
    int32_t top = kSmallest;
    int32_t bottom = kSmallest;
    int32_t widest = 0;
    int32_t advance = 0;
    for (const auto& g : m_glyphs) {
        const int32_t h = g->image.GetHeight();
        if (h > 0) {
            top = std::max(top, g->ascent);
            bottom = std::max(bottom, h - g->ascent);
        }
        widest = std::max(widest, g->image.GetWidth());
        advance = std::max(advance, g->Advance());
    }
    if (top == kSmallest) {
        top = 0;
        bottom = 0;
    }
    baseline.Set(top);
    height.Set(top + bottom);
    glyphWidth.Set(widest);
    charWidth.Set(advance);

    width.SetIfUnset(advance);
    ascent.SetIfUnset(std::max(top, 0));
    descent.SetIfUnset(std::max(bottom, 0));
    lineFeed.SetIfUnset(descent.value + ascent.value);
    // The binary font keeps the default advance as a signed byte; a wider font's default
    // advances at most that far instead of wrapping round to a negative advance.
    defaultWidths.SetIfUnset(DefaultWidths{0, static_cast<uint8_t>(widest),
                                           static_cast<uint8_t>(std::min(widest, 127))});
    backgroundColor.SetIfUnset(0xFFFFFF);

    std::stable_sort(m_glyphs.begin(), m_glyphs.end(),
                     [](const auto& a, const auto& b) { return a->charCode < b->charCode; });
    for (std::size_t i = 0; i < m_glyphs.size(); ++i) {
        m_glyphs[i]->glyphIndex = static_cast<uint16_t>(i);
    }
}
