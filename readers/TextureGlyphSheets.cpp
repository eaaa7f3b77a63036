#include "readers/TextureGlyphSheets.h"

#include "base/GlobalException.h"
#include "format/CompressedSheets.h"
#include "format/ResFont.h"
#include "format/ResFontFields.h"
#include "format/SheetCells.h"
#include "image/RgbImage.h"
#include "readers/PixelBudget.h"

namespace {

// Sheets start as paper: white, fully transparent.
constexpr uint32_t kPaperRgb = 0xFFFFFFu;
constexpr uint32_t kPaperAlpha = 0;

}  // namespace

CTextureGlyphSheets::CTextureGlyphSheets(const CResFont& font, CPixelBudget& budget)
    : m_font(font),
      m_budget(budget),
      m_geometry(font.GetTextureGlyphs().value()),
      m_format(m_geometry.sheetFormat & ~kSheetCompressed),
      m_compressed((m_geometry.sheetFormat & kSheetCompressed) != 0) {
    // Of a format we cannot decode nothing but paper would come out, in cells of whatever size
    // the file claims: it is refused before any of them is made.
    if (!texture::IsKnownFormat(m_format)) {
        TL_THROW(kErrBofnt, 281, m_format);
    }
    CheckSheetGeometry(m_geometry);
    // Plain sheets must all be there; compressed ones must each have a stream inside the data,
    // found once here so that any sheet can be expanded on its own.
    const std::span<const uint8_t> stored = m_font.GetSheetData();
    if (m_compressed) {
        m_streams = FindSheetStreams(stored, m_geometry.sheetCount);
        m_expanded.resize(m_geometry.sheetCount);
    } else if (uint64_t{m_geometry.sheetCount} * m_geometry.sheetBytes > stored.size()) {
        ThrowBrokenResource();
    }
    if (m_geometry.sheetCount > 0) {
        CRgbImage corner;
        corner.Create(1, 1, 32);
        corner.Fill(kPaperRgb, kPaperAlpha);
        texture::DecodeRect(SheetBytes(0), Layout(), 0, 0, 1, 1, corner);
        m_background = corner.GetWord(0, 0);
    }
}

std::span<const uint8_t> CTextureGlyphSheets::SheetBytes(uint32_t sheet) const {
    const TextureGlyphs& g = m_geometry;
    if (!m_compressed) {
        return m_font.GetSheetData().subspan(std::size_t{sheet} * g.sheetBytes, g.sheetBytes);
    }
    std::vector<uint8_t>& expanded = m_expanded[sheet];
    if (expanded.empty()) {
        m_budget.Spend(int64_t{g.sheetWidth} * g.sheetHeight);
        expanded = ExpandSheet(m_streams[sheet], g.sheetBytes);
    }
    return expanded;
}

texture::SheetLayout CTextureGlyphSheets::Layout() const {
    return texture::SheetLayout{m_format, m_geometry.sheetWidth, m_geometry.sheetHeight};
}

int64_t CTextureGlyphSheets::GetCellPixels() const {
    return int64_t{m_geometry.cellWidth + 1} * (m_geometry.cellHeight + 1);
}

std::unique_ptr<CGlyph> CTextureGlyphSheets::MakeGlyph(uint16_t index) const {
    const TextureGlyphs& g = m_geometry;
    const WidthEntry width = m_font.WidthOfIndex(index);
    const std::optional<SheetCell> cell = CellOfIndex(g, index);
    if (!cell || width.glyphWidth > g.cellWidth) {
        ThrowBrokenResource();
    }
    // A glyph without columns has no rows either: an image without pixels is 0 x 0.
    const int32_t rows = width.glyphWidth > 0 ? g.cellHeight : 0;
    CRgbImage pixels;
    pixels.Create(width.glyphWidth, rows, 32);
    pixels.SetHasAlpha(true);
    pixels.Fill(kPaperRgb, kPaperAlpha);
    if (rows > 0) {
        texture::DecodeRect(SheetBytes(cell->sheet), Layout(), cell->rect.left, cell->rect.top,
                            width.glyphWidth, rows, pixels);
    }
    // Paper columns trimmed off either side of the cell move into the spaces, so the glyph
    // keeps the advance its width entry gives, as an image font cell's width line keeps it.
    const ImageRect content = pixels.GetContentRect(m_background);
    const int32_t right = width.advance - width.glyphWidth - width.left;
    auto glyph = std::make_unique<CGlyph>();
    glyph->SetFromImage(pixels, width.left + content.left,
                        right + (width.glyphWidth - content.right), g.baseline, m_background);
    return glyph;
}
