#pragma once

#include <cstdint>
#include <memory>

#include "readers/QuillGlyphSource.h"

class CResFont;

// The glyphs of a CGLP block: one fixed-size bitmap per glyph index, which this system reads
// but never writes. The block content is laid out as
//
//   offset 0  u8   cell width, pixels
//   offset 1  u8   cell height, pixels
//   offset 2  u16  bytes per glyph (file byte order)
//   offset 4  s8   baseline, rows from the cell's top
//   offset 5  u8   largest advance (not needed to read the glyphs)
//   offset 6  u8   bits per pixel: 1, 2, 4 or 8
//   offset 7  u8   reserved
//   offset 8       the bitmap of glyph index i at 8 + i x (bytes per glyph)
//
// A bitmap holds the cell's pixels row by row from the top, left to right, as one string of
// bits, most significant bit first, rows not padded to bytes. A value is ink, like the intensity
// texture formats: 0 is paper, the largest value solid ink, decoded to black of that opacity.
// The glyph's pixels are the cell's leftmost glyph-width columns of its width entry.
//
// Written again, such a font takes the intensity format that keeps every level exactly: I4 for
// up to 4 bits per pixel, I8 for 8.
class CCharGlyphBitmaps final : public IQuillGlyphSource {
public:
    // Checks the layout fields against the block. The font must stay alive and unchanged while
    // glyphs are made.
    explicit CCharGlyphBitmaps(const CResFont& font);

    int32_t GetTextureFormat() const override;
    int32_t GetBaseline() const override { return m_baseline; }
    int64_t GetCellPixels() const override { return int64_t{m_cellWidth} * m_cellHeight; }
    std::unique_ptr<CGlyph> MakeGlyph(uint16_t index) const override;

private:
    const CResFont& m_font;
    int32_t m_cellWidth = 0;
    int32_t m_cellHeight = 0;
    int32_t m_bitsPerPixel = 0;
    int32_t m_baseline = 0;
};
