#pragma once

#include <cstdint>
#include <memory>

#include "core/Glyph.h"

// Where a binary font keeps its glyph pixels: the texture sheets of a TGLP block or the
// per-glyph bitmaps of a CGLP block. Built once per read, then asked for one glyph per index.
class IQuillGlyphSource {
public:
    virtual ~IQuillGlyphSource() = default;

    // The texture format the font takes on when it is written again.
    virtual int32_t GetTextureFormat() const = 0;
    // Row of the baseline within a cell, counted from the cell's top.
    virtual int32_t GetBaseline() const = 0;
    // The pixels of one cell: what any glyph of the font may take to decode, and to draw again.
    virtual int64_t GetCellPixels() const = 0;
    // The glyph of a glyph index, cropped, with its spaces and ascent. A glyph whose pixels lie
    // outside the stored data is a broken resource (category 6).
    virtual std::unique_ptr<CGlyph> MakeGlyph(uint16_t index) const = 0;
};
