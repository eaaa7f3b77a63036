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

// The cells of one picture. The reader derives the grid from the picture's size, the writer
// from the glyph area it needs; both from the letter order's width and height.
struct CellGrid {
    int32_t bx = 0;  // cells across
    int32_t by = 0;  // cells down
    int32_t px = 0;  // pixels from one cell's left edge to the next: gw + kExtraWidth
    int32_t py = 0;  // pixels from one cell's top edge to the next: gh + kExtraHeight
    int32_t gw = 0;  // glyph area width
    int32_t gh = 0;  // glyph area height

    static CellGrid OfArea(int32_t bx, int32_t by, int32_t gw, int32_t gh) {
        return {bx, by, gw + kExtraWidth, gh + kExtraHeight, gw, gh};
    }
    // The top-left pixel of the glyph area of a cell.
    int32_t AreaLeft(int32_t column) const { return px * column + kAreaOffset; }
    int32_t AreaTop(int32_t row) const { return py * row + kAreaOffset; }
};

}  // namespace image_font_cell
