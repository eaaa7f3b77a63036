#include "format/SheetCells.h"

#include "format/ResFontFields.h"
#include "format/TextureFormat.h"

std::optional<SheetCell> CellOfIndex(const TextureGlyphs& g, uint16_t index) {
    const uint32_t cellsPerSheet = uint32_t{g.cellsPerRow} * g.rowsPerSheet;
    if (cellsPerSheet == 0 || index / cellsPerSheet >= g.sheetCount) {
        return std::nullopt;
    }
    const uint32_t cell = index % cellsPerSheet;
    const auto x = static_cast<int32_t>(cell % g.cellsPerRow * (g.cellWidth + 1u) + 1);
    const auto y = static_cast<int32_t>(cell / g.cellsPerRow * (g.cellHeight + 1u) + 1);
    return SheetCell{index / cellsPerSheet, ImageRect{x, y, x + g.cellWidth, y + g.cellHeight}};
}

void CheckSheetGeometry(const TextureGlyphs& g) {
    const int32_t format = g.sheetFormat & ~kSheetCompressed;
    const bool cellsFit = g.cellsPerRow > 0 && g.rowsPerSheet > 0 &&
                          uint32_t{g.cellsPerRow} * (g.cellWidth + 1u) <= g.sheetWidth &&
                          uint32_t{g.rowsPerSheet} * (g.cellHeight + 1u) <= g.sheetHeight;
    if (!cellsFit || (texture::IsKnownFormat(format) &&
                      texture::SheetBytes(format, g.sheetWidth, g.sheetHeight) != g.sheetBytes)) {
        ThrowBrokenResource();
    }
}
