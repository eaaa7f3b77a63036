#include "readers/CharGlyphBitmaps.h"

#include "base/ByteReader.h"
#include "format/ResFont.h"
#include "format/ResFontFields.h"
#include "format/TextureFormat.h"
#include "image/RgbImage.h"

namespace {

constexpr std::size_t kCellWidthAt = 0;
constexpr std::size_t kCellHeightAt = 1;
constexpr std::size_t kBitsPerPixelAt = 6;

}  // namespace

CCharGlyphBitmaps::CCharGlyphBitmaps(const CResFont& font) : m_font(font) {
    const CResFont::Block* block = font.FindBlock(kBlockCGLP);
    const CharGlyphs& glyphs = font.GetCharGlyphs().value();
    const CByteReader content(block->content, [] { ThrowBrokenResource(); });
    m_cellWidth = content.At(kCellWidthAt, 1)[0];
    m_cellHeight = content.At(kCellHeightAt, 1)[0];
    m_bitsPerPixel = content.At(kBitsPerPixelAt, 1)[0];
    m_baseline = glyphs.baseline;
    const bool knownDepth =
        m_bitsPerPixel == 1 || m_bitsPerPixel == 2 || m_bitsPerPixel == 4 || m_bitsPerPixel == 8;
    const int64_t bitmapBits = int64_t{m_cellWidth} * m_cellHeight * m_bitsPerPixel;
    if (!knownDepth || glyphs.bytesPerGlyph * int64_t{8} < bitmapBits) {
        ThrowBrokenResource();
    }
}

int32_t CCharGlyphBitmaps::GetTextureFormat() const {
    return m_bitsPerPixel <= 4 ? kTexI4 : kTexI8;
}

std::unique_ptr<CGlyph> CCharGlyphBitmaps::MakeGlyph(uint16_t index) const {
    const WidthEntry width = m_font.WidthOfIndex(index);
    const std::span<const uint8_t> bitmap = m_font.GlyphBytesOfIndex(index);
    if (bitmap.empty() || width.glyphWidth > m_cellWidth) {
        ThrowBrokenResource();
    }
    const int32_t cellPixels = m_cellWidth * m_cellHeight;
    CRgbImage values;
    values.Create(cellPixels, 1, m_bitsPerPixel);
    values.ReadBits(bitmap, 0, 0, cellPixels, 1, m_bitsPerPixel, 0);

    const uint32_t solid = (1u << m_bitsPerPixel) - 1;
    CRgbImage pixels;
    // A glyph without columns has no rows either: an image without pixels is 0 x 0.
    const int32_t rows = width.glyphWidth > 0 ? m_cellHeight : 0;
    pixels.Create(width.glyphWidth, rows, 32);
    pixels.SetHasAlpha(true);
    for (int32_t y = 0; y < rows; ++y) {
        for (int32_t x = 0; x < width.glyphWidth; ++x) {
            const uint32_t ink = values.GetWord(y * m_cellWidth + x, 0) * 255 / solid;
            const uint32_t gray = 255 - ink;
            pixels.SetPixel(x, y, gray << 16 | gray << 8 | gray, ink);
        }
    }
    const int32_t right =
        m_font.IsPreviousVersion() ? 0 : width.advance - width.glyphWidth - width.left;
    auto glyph = std::make_unique<CGlyph>();
    glyph->SetFromOpaqueImage(pixels, width.left, right, m_baseline);
    return glyph;
}
