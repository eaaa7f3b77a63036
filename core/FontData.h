#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/Glyph.h"
#include "core/Settable.h"

// Widths used for characters that have none of their own (each kept to 8 bits).
struct DefaultWidths {
    int8_t leftSpace = 0;
    uint8_t glyphWidth = 0;
    uint8_t charWidth = 0;
};

// The font in memory: glyph records owned by the font, a code-to-glyph map, and the font-wide
// fields, each a value with a flag saying whether it has been set.
class CFontData {
public:
    using GlyphList = std::vector<std::unique_ptr<CGlyph>>;

    CFontData() = default;
    CFontData(const CFontData&) = delete;
    CFontData& operator=(const CFontData&) = delete;

    // Takes the glyph in every case. The first glyph of a code wins; a later one that differs
    // raises warning 260.
    void AddGlyph(std::unique_ptr<CGlyph> glyph, uint16_t code);
    const CGlyph* FindGlyph(uint16_t code) const;
    const GlyphList& Glyphs() const { return m_glyphs; }
    std::size_t GetGlyphCount() const { return m_glyphs.size(); }

    // Settles the computed metrics, fills unset fields from the glyphs, sorts the glyphs by code
    // and numbers them. Fails with 166 (no glyphs) or 174 (no image format), changing nothing.
    void ReflectGlyph();

    bool widthFromSource = false;
    bool ascentDescentFromSource = false;
    Settable<int32_t> lineFeed;
    Settable<int32_t> width;
    Settable<int32_t> ascent;
    Settable<int32_t> descent;
    Settable<int32_t> baseline;
    Settable<int32_t> glyphWidth;
    Settable<int32_t> height;
    Settable<int32_t> charWidth;
    Settable<DefaultWidths> defaultWidths;
    Settable<uint16_t> alternateChar;
    Settable<int32_t> glyphImageFormat;
    Settable<uint32_t> backgroundColor;

private:
    GlyphList m_glyphs;
    // The glyph of every code, made on the first glyph added: a look-up is one load.
    std::vector<CGlyph*> m_byCode;
};
