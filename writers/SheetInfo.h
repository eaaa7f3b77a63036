#pragma once

#include <cstdint>

struct SheetSize {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const SheetSize&) const = default;
};

// The sheets of one binary font conversion and the cells on each; how many sheets the glyphs
// fill is the sheet assignment's to say.
struct SheetInfo {
    SheetSize size;
    int64_t sheetBytes = 0;  // one sheet in the texture format
    int32_t cellWidth = 0;
    int32_t cellHeight = 0;
    // Cells sit one pixel apart.
    int32_t cellsPerRow = 0;
    int32_t rowsPerSheet = 0;
    int32_t cellsPerSheet = 0;
};

// The power-of-two sheet (32 to 1024 each way, `pixels` in all unless it is 0) that wastes the
// least room on `glyphCount` cells of cellWidth x cellHeight pixels with one pixel of spacing;
// ties go to the smaller width, then the smaller height. No fitting size: 270 (category 7).
SheetSize CalcTextureSize(int32_t cellWidth, int32_t cellHeight, int32_t glyphCount,
                          int32_t pixels);

// The cells of cellWidth x cellHeight pixels on sheets of the given size in a texture format. A
// sheet too small for one cell is refused with 156.
SheetInfo MakeSheetInfo(int32_t format, SheetSize size, int32_t cellWidth, int32_t cellHeight);
