#include "format/ResFontPreview.h"

#include <algorithm>
#include <span>
#include <vector>

#include "base/GlobalException.h"
#include "format/CompressedSheets.h"
#include "format/FontEncoding.h"
#include "format/FontFileCheck.h"
#include "format/ResFont.h"
#include "format/ResFontFields.h"
#include "format/SheetCells.h"
#include "format/TextureFormat.h"

namespace {

constexpr int32_t kCodeCount = 0x10000;
constexpr int32_t kNoPicture = -1;

// One picture per sheet, each starting as paper: white, fully transparent.
std::vector<CRgbImage> DecodeSheets(const CResFont& font, const TextureGlyphs& g) {
    const int32_t format = g.sheetFormat & ~kSheetCompressed;
    if (!texture::IsKnownFormat(format)) {
        return {};
    }
    CheckSheetGeometry(g);
    if (int64_t{g.sheetWidth} * g.sheetHeight * g.sheetCount > IImage::kMaxPixels) {
        TL_THROW(kErrImage, 179);
    }
    const std::span<const uint8_t> stored = font.GetSheetData();
    const bool compressed = (g.sheetFormat & kSheetCompressed) != 0;
    std::vector<std::span<const uint8_t>> streams;
    if (compressed) {
        streams = FindSheetStreams(stored, g.sheetCount);
    } else if (uint64_t{g.sheetCount} * g.sheetBytes > stored.size()) {
        ThrowBrokenResource();
    }
    std::vector<CRgbImage> sheets(g.sheetCount);
    for (uint16_t n = 0; n < g.sheetCount; ++n) {
        const std::vector<uint8_t> expanded =
            compressed ? ExpandSheet(streams[n], g.sheetBytes) : std::vector<uint8_t>();
        const std::span<const uint8_t> bytes =
            compressed ? std::span<const uint8_t>(expanded)
                       : stored.subspan(std::size_t{n} * g.sheetBytes, g.sheetBytes);
        CRgbImage& sheet = sheets[n];
        sheet.Create(g.sheetWidth, g.sheetHeight, 32);
        sheet.SetHasAlpha(true);
        sheet.Fill(0xFFFFFF, 0);
        texture::DecodeSheets(bytes, format, sheet);
    }
    return sheets;
}

}  // namespace

FontPreview PreviewOfResFont(const CResFont& font) {
    FontPreview preview;
    const FontInfo& info = font.GetFontInfo();
    preview.lineFeed = info.lineFeed;
    preview.width = info.width;
    preview.ascent = info.ascent;
    preview.descent = int32_t{info.height} - info.ascent;
    const std::optional<TextureGlyphs>& texture = font.GetTextureGlyphs();
    if (font.GetCharGlyphs()) {
        preview.baseline = font.GetCharGlyphs()->baseline;
    } else if (texture) {
        preview.pictures = DecodeSheets(font, *texture);
        preview.cellWidth = texture->cellWidth;
        preview.cellHeight = texture->cellHeight;
        preview.baseline = texture->baseline;
        preview.textureFormat = texture->sheetFormat & ~kSheetCompressed;
    }

    const CFontEncoding encoding(font.GetEncoding());
    for (int32_t c = 0; c < kCodeCount; ++c) {
        const auto code = static_cast<uint16_t>(c);
        const uint16_t index = font.CodeToIndex(code);
        const char16_t unicode = encoding.ToUnicode(code);
        if (index == kNoGlyph || unicode == CFontEncoding::kNoCode) {
            continue;
        }
        PreviewGlyph glyph;
        glyph.code = unicode;
        glyph.index = index;
        glyph.picture = kNoPicture;
        if (texture && !preview.pictures.empty()) {
            if (const std::optional<SheetCell> cell = CellOfIndex(*texture, index)) {
                glyph.picture = static_cast<int32_t>(cell->sheet);
                glyph.cell = cell->rect;
            }
        }
        const WidthEntry width = font.WidthOfIndex(index);
        glyph.left = width.left;
        glyph.glyphWidth = width.glyphWidth;
        glyph.advance = width.advance;
        preview.glyphs.push_back(glyph);
        if (index == info.alternateIndex && !preview.alternate) {
            preview.alternate = unicode;
        }
    }
    // Codes of a code page do not rise with their UTF-16 characters.
    std::sort(preview.glyphs.begin(), preview.glyphs.end(),
              [](const PreviewGlyph& a, const PreviewGlyph& b) { return a.code < b.code; });
    return preview;
}

FontPreview LoadFontPreview(const std::u16string& path) {
    return PreviewOfResFont(LoadFontFile(path));
}
