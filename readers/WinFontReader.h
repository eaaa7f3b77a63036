#pragma once

#include <cstdint>
#include <string>

#include "core/FontReader.h"
#include "readers/GlyphEffects.h"
#include "readers/Letterer.h"

// Reads a font installed on this system: every code 0x0000-0xFFFD that the face maps and the
// filter lets through becomes one rendered glyph.
class CWinFontReader : public CFontReader {
public:
    struct Settings {
        std::u16string faceName;   // as the user chose it, or a font file; matched exactly
        int32_t size = 0;          // the character (em) height in pixels
        int32_t averageWidth = 0;  // 0 lets the font choose
        int32_t bitDepth = 0;      // 1-8
        bool alpha = false;        // the glyph image format carries alpha
        CLetterer::WidthType widthType = CLetterer::kWidthChar;
        int32_t fixedWidth = -1;     // for kWidthFixed
        bool softAntialias = false;  // render at twice the size and reduce
        GlyphEffects effects = {};   // only with alpha
    };

    // Stores the settings; ValidateInput checks them.
    explicit CWinFontReader(Settings settings) : m_settings(std::move(settings)) {}

    void ValidateInput() override;
    void ReadFontData(CFontData& font, const CCharFilter& filter) override;

private:
    Settings m_settings;
};
