#pragma once

#include <cstdint>
#include <string>

#include "core/FontReader.h"

// Reads a font installed on this system: every code 0x0000-0xFFFD that the face maps and the
// filter lets through becomes one rendered glyph.
class CWinFontReader : public CFontReader {
public:
    // Stores the options; ValidateInput checks them.
    CWinFontReader(std::u16string faceName, int32_t size, int32_t averageWidth, int32_t bitDepth,
                   bool alpha, int32_t widthType, int32_t fixedWidth, bool softAntialias);

    void ValidateInput() override;
    void ReadFontData(CFontData& font, const CCharFilter& filter) override;

private:
    std::u16string m_faceName;  // as the user chose it; matched exactly
    int32_t m_size;             // the character (em) height in pixels
    int32_t m_averageWidth;     // 0 lets the font choose
    int32_t m_bitDepth;         // 1-8
    int32_t m_fixedWidth;       // for width type 3
    int32_t m_widthType;        // 0 glyph, 1 keepsp, 2 char, 3 fixed
    bool m_softAntialias;       // render at twice the size and reduce
    bool m_alpha;               // the glyph image format carries alpha
};
