#include "writers/GlyphSheets.h"

#include <algorithm>

#include "core/PgCtrl.h"
#include "format/SheetCells.h"
#include "format/TextureFormat.h"

namespace {

// What a glyph's cell shows above a glyph that starts lower than the cell's top.
constexpr uint32_t kTransparentWhite = 0x00FFFFFF;

}  // namespace

std::vector<uint8_t> EncodeGlyphSheets(const CFontData& working, const TextureGlyphs& geometry,
                                       const SheetAssignment& assignment) {
    const texture::SheetLayout layout{geometry.sheetFormat & ~kSheetCompressed, geometry.sheetWidth,
                                      int64_t{geometry.sheetHeight} * geometry.sheetCount};
    const uint32_t background = working.backgroundColor.value & 0x00FFFFFF;
    std::vector<uint8_t> bytes = texture::FilledSheets(background, layout);
    const int32_t baseline = working.baseline.value;
    for (const auto& [number, set] : assignment.sets) {
        for (const auto& [code, index] : set.codes) {
            const CGlyph* glyph = working.FindGlyph(code);
            const auto cell = CellOfIndex(geometry, index);
            if (glyph == nullptr || !cell) {
                continue;
            }
            const int32_t x = cell->rect.left;
            const int64_t y = int64_t{geometry.sheetHeight} * cell->sheet + cell->rect.top;
            // A glyph never leaves its cell, even one with metrics from a foreign source.
            const int32_t top = std::max(baseline - glyph->ascent, 0);
            const int32_t width = std::min(glyph->image.GetWidth(), cell->rect.Width());
            const int32_t height = std::min(glyph->image.GetHeight() + top, cell->rect.Height());
            const int32_t above = std::min(top, height);
            if (background != kTransparentWhite) {
                texture::FillRect(kTransparentWhite, layout, x, y, width, above, bytes);
            }
            // The cell holds the background still, so the glyph's pixels of that word need
            // not be stored again.
            texture::EncodeRect(glyph->image, 0, 0, width, height - above, layout, x, y + above,
                                bytes, background);
            g_pPgCtrl->StepProgress(1);
        }
    }
    return bytes;
}
