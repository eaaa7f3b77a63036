#pragma once

#include <cstdint>
#include <optional>

#include "format/ResFontBlocks.h"
#include "image/ImageRect.h"

// Where the glyphs of a TGLP block lie: cells of cellWidth x cellHeight pixels on a pitch one
// pixel larger each way, the first cell's top-left pixel at (1, 1) of its sheet, glyph index i
// on sheet i / cellsPerSheet in row-major order.
struct SheetCell {
    uint32_t sheet = 0;
    ImageRect rect;
};

// The cell of a glyph index; none when the index lies beyond the sheets.
std::optional<SheetCell> CellOfIndex(const TextureGlyphs& geometry, uint16_t index);

// Every cell must lie inside its sheet, so that no glyph index addresses pixels outside it, and
// a sheet of a known texture format must have the size its pixels need; else a broken resource
// (category 6, message 151).
void CheckSheetGeometry(const TextureGlyphs& geometry);
