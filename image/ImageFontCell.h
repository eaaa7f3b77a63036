#pragma once

#include <cstdint>

// The cell of an image font, as the reader reads and the writer draws it: a grid line and a
// margin on each side of the glyph area; below it a margin row, the width line row, a margin
// row and the grid line.
namespace image_font_cell {

// Columns left of and rows above the glyph area inside a cell.
inline constexpr int32_t kAreaOffset = 2;
// How much wider and higher a cell is than its glyph area.
inline constexpr int32_t kExtraWidth = 4;
inline constexpr int32_t kExtraHeight = 6;

}  // namespace image_font_cell
