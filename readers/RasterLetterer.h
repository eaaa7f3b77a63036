#pragma once

#include <span>
#include <vector>

#include "readers/Letterer.h"

// Renders two-level glyphs: the character drawn as opaque text into a cell painted another
// colour, and the drawn box (the advance x the font's cell height) read back.
class CRasterLetterer : public CLetterer {
public:
    // The colours of the drawn cell.
    static constexpr uint8_t kInkIndex = 0;    // black ink
    static constexpr uint8_t kPaperIndex = 1;  // the white box behind the text
    static constexpr uint8_t kFrameIndex = 2;  // red, the rest of the cell

    void Create(const FontDescription& description) override;
    bool LetterChar(CGlyph& glyph, char16_t code) override;

    struct ScannedBox {
        int32_t width = 0;
        int32_t height = 0;
    };
    // Reads the drawn box from the cell's top-left corner: ink becomes level 1, paper level 0,
    // and any other colour ends a row; a row ending at column 0 ends the box. Each row's levels
    // go to the same offset in `levels` as in the cell.
    static ScannedBox ScanCell(std::span<const uint8_t> cell, int32_t side, int32_t stride,
                               std::span<uint8_t> levels);

private:
    int32_t m_stride = 0;
    std::vector<uint8_t> m_bits;    // the drawn cell, reused between glyphs
    std::vector<uint8_t> m_levels;  // the scanned levels, reused between glyphs
};
