#include "writers/SheetInfo.h"

#include <limits>

#include "base/GlobalException.h"
#include "format/TextureFormat.h"

namespace {

constexpr int32_t kSmallestSide = 32;
constexpr int32_t kLargestSide = 1024;

int64_t CeilDiv(int64_t a, int64_t b) {
    return (a + b - 1) / b;
}

}  // namespace

SheetSize CalcTextureSize(int32_t cellWidth, int32_t cellHeight, int32_t glyphCount,
                          int32_t pixels) {
    SheetSize best;
    int64_t leastWaste = std::numeric_limits<int64_t>::max();
    const int64_t pitchX = int64_t{cellWidth} + 1;
    const int64_t pitchY = int64_t{cellHeight} + 1;
    for (int32_t w = kSmallestSide; w <= kLargestSide; w *= 2) {
        for (int32_t h = kSmallestSide; h <= kLargestSide; h *= 2) {
            if (w - 2 < cellWidth || h - 2 < cellHeight ||
                (pixels != 0 && int64_t{w} * h != pixels)) {
                continue;
            }
            // The choice counts cells from w - 1 and h - 1; the layout may fit one more.
            const int64_t cells = ((w - 1) / pitchX) * ((h - 1) / pitchY);
            const int64_t sheets = CeilDiv(glyphCount, cells);
            const int64_t waste =
                sheets * (w - 2) * (h - 2) - int64_t{glyphCount} * pitchX * pitchY;
            if (waste < leastWaste) {
                leastWaste = waste;
                best = SheetSize{w, h};
            }
        }
    }
    if (best.width == 0) {
        TL_THROW(kErrInternal, 270, pixels);
    }
    return best;
}

SheetInfo MakeSheetInfo(int32_t format, SheetSize size, int32_t cellWidth, int32_t cellHeight) {
    SheetInfo info;
    info.size = size;
    info.sheetBytes = texture::SheetBytes(format, size.width, size.height);
    info.cellWidth = cellWidth;
    info.cellHeight = cellHeight;
    info.cellsPerRow = size.width / (cellWidth + 1);
    info.rowsPerSheet = size.height / (cellHeight + 1);
    info.cellsPerSheet = info.cellsPerRow * info.rowsPerSheet;
    if (info.cellsPerSheet == 0) {
        TL_THROW(kErrInputValue, 156, size.width, size.height);
    }
    return info;
}
