#include "readers/TextureGlyphSheets.h"

#include <span>
#include <vector>

#include "compress/Compress.h"
#include "core/ByteReader.h"
#include "core/GlobalException.h"
#include "writers/format/ResFont.h"
#include "writers/format/ResFontFields.h"
#include "writers/format/TextureFormat.h"

namespace {

// Sheets start as paper: white, fully transparent.
constexpr uint32_t kPaperRgb = 0xFFFFFFu;
constexpr uint32_t kPaperAlpha = 0;

// Each compressed sheet is its stored size, big-endian whatever the file's byte order, and a
// stream padded to that size. One layer is undone, and it must give exactly one sheet: a
// shorter result would leave pixels undecoded, a longer one would spill into the next sheet.
std::vector<uint8_t> ExpandSheets(std::span<const uint8_t> stored, uint16_t sheetCount,
                                  uint32_t sheetBytes) {
    // Every sheet takes at least its size word and a stream header: a count that the data
    // cannot hold is refused before anything is allocated for it.
    constexpr std::size_t kSmallestSheet = 8;
    if (std::size_t{sheetCount} * kSmallestSheet > stored.size()) {
        ThrowBrokenResource();
    }
    std::vector<uint8_t> sheets;
    CByteReader reader(stored, [] { ThrowBrokenResource(); });
    for (uint16_t sheet = 0; sheet < sheetCount; ++sheet) {
        const uint32_t storedSize = reader.U32BE();
        const std::vector<uint8_t> expanded = Expand(reader.Take(storedSize), 1);
        if (expanded.size() != sheetBytes) {
            ThrowBrokenResource();
        }
        // Room for all sheets only once one stream has really given a whole sheet.
        if (sheet == 0) {
            sheets.reserve(std::size_t{sheetCount} * sheetBytes);
        }
        sheets.insert(sheets.end(), expanded.begin(), expanded.end());
    }
    return sheets;
}

}  // namespace

CTextureGlyphSheets::CTextureGlyphSheets(const CResFont& font)
    : m_font(font),
      m_geometry(font.GetTextureGlyphs().value()),
      m_format(m_geometry.sheetFormat & ~kSheetCompressed) {
    CheckGeometry();
    Decode();
}

// Every cell must lie inside its sheet, so that no glyph index can address pixels past the
// decoded image, and a sheet of a known format must have the size its pixels need.
void CTextureGlyphSheets::CheckGeometry() const {
    const TextureGlyphs& g = m_geometry;
    const bool cellsFit = g.cellsPerRow > 0 && g.rowsPerSheet > 0 &&
                          uint32_t{g.cellsPerRow} * (g.cellWidth + 1u) <= g.sheetWidth &&
                          uint32_t{g.rowsPerSheet} * (g.cellHeight + 1u) <= g.sheetHeight;
    if (!cellsFit) {
        ThrowBrokenResource();
    }
    if (texture::IsKnownFormat(m_format) &&
        texture::SheetBytes(m_format, g.sheetWidth, g.sheetHeight) != g.sheetBytes) {
        ThrowBrokenResource();
    }
}

void CTextureGlyphSheets::Decode() {
    const TextureGlyphs& g = m_geometry;
    // Refused before the height is formed: it may not fit 32 bits.
    const int64_t height = int64_t{g.sheetHeight} * g.sheetCount;
    if (height * g.sheetWidth > IImage::kMaxPixels) {
        TL_THROW(kErrImage, 179);
    }
    // An unknown format decodes nothing: every cell stays paper, so neither its sheets nor an
    // image of them are needed, whatever size its fields claim. The others are checked against
    // the data before the image is made, so that a broken file is refused without first
    // allocating what its fields claim.
    if (!texture::IsKnownFormat(m_format)) {
        return;
    }
    std::vector<uint8_t> expanded;
    std::span<const uint8_t> sheetBytes;
    const std::span<const uint8_t> stored = m_font.GetSheetData();
    if ((g.sheetFormat & kSheetCompressed) != 0) {
        expanded = ExpandSheets(stored, g.sheetCount, g.sheetBytes);
        sheetBytes = expanded;
    } else {
        const uint64_t needed = uint64_t{g.sheetCount} * g.sheetBytes;
        if (needed > stored.size()) {
            ThrowBrokenResource();
        }
        sheetBytes = stored.first(static_cast<std::size_t>(needed));
    }
    m_sheets.Create(g.sheetWidth, static_cast<int32_t>(height), 32);
    m_sheets.SetHasAlpha(true);
    m_sheets.Fill(kPaperRgb, kPaperAlpha);
    texture::DecodeSheets(sheetBytes, m_format, m_sheets);
    if (height > 0) {
        m_background = m_sheets.GetWord(0, 0);
    }
}

std::unique_ptr<CGlyph> CTextureGlyphSheets::MakeGlyph(uint16_t index) const {
    const TextureGlyphs& g = m_geometry;
    const WidthEntry width = m_font.WidthOfIndex(index);
    const uint32_t cellsPerSheet = uint32_t{g.cellsPerRow} * g.rowsPerSheet;
    const uint32_t sheet = index / cellsPerSheet;
    if (sheet >= g.sheetCount || width.glyphWidth > g.cellWidth) {
        ThrowBrokenResource();
    }
    const uint32_t cell = index % cellsPerSheet;
    const auto x = static_cast<int32_t>(cell % g.cellsPerRow * (g.cellWidth + 1u) + 1);
    const auto y = static_cast<int32_t>(sheet * g.sheetHeight +
                                        cell / g.cellsPerRow * (g.cellHeight + 1u) + 1);
    // A glyph without columns has no rows either: an image without pixels is 0 x 0.
    const int32_t rows = width.glyphWidth > 0 ? g.cellHeight : 0;
    CRgbImage pixels;
    if (texture::IsKnownFormat(m_format)) {
        m_sheets.ExtractRect(pixels, x, y, width.glyphWidth, rows);
    } else {
        pixels.Create(width.glyphWidth, rows, 32);
        pixels.SetHasAlpha(true);
        pixels.Fill(kPaperRgb, kPaperAlpha);
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
