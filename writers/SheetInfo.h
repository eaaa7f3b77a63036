#pragma once

#include <cstdint>

// The sheet geometry of one binary font conversion.
struct SheetInfo {
    int32_t bitsPerPixel = 0;
    int32_t width = 0;
    int32_t height = 0;
    int64_t sheetBytes = 0;
    int32_t sheetCount = 0;
    int64_t totalBytes = 0;
    int32_t cellWidth = 0;
    int32_t cellHeight = 0;
    int32_t cellsPerRow = 0;
    int32_t rowsPerSheet = 0;
    int32_t cellsPerSheet = 0;
    int32_t glyphCount = 0;
    int64_t totalCells = 0;
};

struct SheetSize {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const SheetSize&) const = default;
};

// The power-of-two sheet (32 to 1024 each way, `pixels` in all unless it is 0) that wastes the
// least room on `glyphCount` cells of cellWidth x cellHeight pixels with one pixel of spacing;
// ties go to the smaller width, then the smaller height. No fitting size: 270 (category 7).
SheetSize CalcTextureSize(int32_t cellWidth, int32_t cellHeight, int32_t glyphCount,
                          int32_t pixels);

// The geometry of `glyphCount` cells on sheets of the given size in a texture format: bits per
// pixel, cells per row and rows per sheet, and enough sheets for every glyph. A sheet too small
// for one cell is refused with 156.
SheetInfo MakeSheetInfo(int32_t format, SheetSize size, int32_t cellWidth, int32_t cellHeight,
                        int32_t glyphCount);
