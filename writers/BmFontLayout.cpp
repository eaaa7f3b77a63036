#include "writers/BmFontLayout.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "base/GlobalException.h"
#include "core/FontData.h"
#include "core/PgCtrl.h"
#include "format/ResFontBlocks.h"
#include "format/SheetCells.h"
#include "format/TextureFormat.h"
#include "writers/SheetInfo.h"

namespace {

constexpr int64_t kLargestCellSide = 255;

bool IsIntensity(int32_t format) {
    return format == kTexI4 || format == kTexI8 || format == kTexIA4 || format == kTexIA8;
}

// The ink of an intensity glyph's pixel: its words are black ink on white paper.
uint32_t InkOf(uint32_t word) {
    return 255 - (((word >> 16) & 0xFF) + ((word >> 8) & 0xFF) + (word & 0xFF)) / 3;
}

// Whether an alpha font holds its letters apart from their alpha anywhere (outlines and shadows
// cover more than the letter): then the pages keep the letter in their colour and letter, outline
// and shadow in their alpha, as BMFont stores outlined fonts, so that neither is lost.
bool HoldsLetterApart(const CFontData& font) {
    const int32_t format = font.glyphImageFormat.value;
    if (format != kTexIA4 && format != kTexIA8) {
        return false;
    }
    for (const auto& glyph : font.Glyphs()) {
        for (const uint32_t word : glyph->image.Pixels()) {
            // Levels of ink and alpha made from one coverage differ by rounding alone.
            const auto ink = static_cast<int32_t>(InkOf(word));
            if (std::abs(ink - static_cast<int32_t>(word >> 24)) > 1) {
                return true;
            }
        }
    }
    return false;
}

// A glyph pixel as a page holds it for the font's texture format: intensity glyphs white with
// their coverage in alpha, or with `letterApart` the letter's ink as the grey of the colour.
uint32_t PageWord(uint32_t word, int32_t format, bool letterApart) {
    if (letterApart) {
        return (word & 0xFF000000u) | InkOf(word) * 0x010101u;
    }
    if (format == kTexI4 || format == kTexI8) {
        return (InkOf(word) << 24) | 0x00FFFFFFu;
    }
    if (IsIntensity(format)) {
        return (word & 0xFF000000u) | 0x00FFFFFFu;
    }
    return word;
}

// The cells of the binary font's sheets for this font.
TextureGlyphs SheetGeometry(const CFontData& font) {
    const int32_t cellWidth = font.glyphWidth.value;
    const int32_t cellHeight = font.height.value;
    if (cellWidth > kLargestCellSide) {
        TL_THROW(kErrInputValue, 177, cellWidth, kLargestCellSide);
    }
    if (cellHeight > kLargestCellSide) {
        TL_THROW(kErrInputValue, 176, cellHeight, kLargestCellSide);
    }
    const auto count = static_cast<int32_t>(font.GetGlyphCount());
    const SheetInfo info =
        MakeSheetInfo(font.glyphImageFormat.value, CalcTextureSize(cellWidth, cellHeight, count, 0),
                      cellWidth, cellHeight);
    TextureGlyphs g;
    g.cellWidth = static_cast<uint8_t>(cellWidth);
    g.cellHeight = static_cast<uint8_t>(cellHeight);
    g.cellsPerRow = static_cast<uint16_t>(info.cellsPerRow);
    g.rowsPerSheet = static_cast<uint16_t>(info.rowsPerSheet);
    g.sheetWidth = static_cast<uint16_t>(info.size.width);
    g.sheetHeight = static_cast<uint16_t>(info.size.height);
    g.sheetCount = static_cast<uint16_t>((count + info.cellsPerSheet - 1) / info.cellsPerSheet);
    return g;
}

// Draws the glyph into its cell on the baseline row `baseline` of the cell, cut to the cell.
void DrawGlyph(const CGlyph& glyph, const ImageRect& cell, int32_t baseline, int32_t format,
               bool letterApart, CRgbImage& page) {
    const int32_t top = std::max(baseline - glyph.ascent, 0);
    const int32_t width = std::min(glyph.image.GetWidth(), cell.Width());
    const int32_t height = std::min(glyph.image.GetHeight(), cell.Height() - top);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            page.SetValue(cell.left + x, cell.top + top + y,
                          PageWord(glyph.image.GetWord(x, y), format, letterApart));
        }
    }
}

}  // namespace

std::u16string BmFontPageName(const std::u16string& stem, int64_t id, int64_t pageCount) {
    const std::string last = std::to_string(std::max<int64_t>(pageCount - 1, 0));
    std::string number = std::to_string(id);
    number.insert(0, last.size() > number.size() ? last.size() - number.size() : 0, '0');
    return stem + u"_" + std::u16string(number.begin(), number.end()) + u".png";
}

BmFontLayout LayOutBmFont(const CFontData& font, const std::u16string& stem) {
    const int32_t format = font.glyphImageFormat.value;
    const TextureGlyphs g = SheetGeometry(font);
    BmFontLayout layout;
    BmFontDescriptor& d = layout.descriptor;
    d.info.face = stem;
    d.info.size = font.ascent.value + font.descent.value;
    BmFontCommon& c = d.common.emplace();
    c.lineHeight = font.lineFeed.value;
    c.base = font.ascent.value;
    c.scaleW = g.sheetWidth;
    c.scaleH = g.sheetHeight;
    c.pages = g.sheetCount;
    const bool letterApart = HoldsLetterApart(font);
    const int64_t colour = IsIntensity(format) && !letterApart ? kChannelOne : kChannelGlyph;
    c.redChnl = c.greenChnl = c.blueChnl = colour;
    if (letterApart) {
        c.alphaChnl = kChannelGlyphAndOutline;
    }
    for (int64_t id = 0; id < c.pages; ++id) {
        d.pages.push_back(BmFontPage{id, BmFontPageName(stem, id, c.pages), {}});
    }

    const uint32_t paper = PageWord(font.backgroundColor.value & 0x00FFFFFFu, format, letterApart);
    layout.pages.resize(g.sheetCount);
    for (CRgbImage& page : layout.pages) {
        page.Create(g.sheetWidth, g.sheetHeight, 32);
        page.SetHasAlpha(true);
        page.Fill(paper & 0x00FFFFFFu, paper >> 24);
    }
    const auto& glyphs = font.Glyphs();
    for (std::size_t index = 0; index < glyphs.size(); ++index) {
        const CGlyph& glyph = *glyphs[index];
        const SheetCell cell = CellOfIndex(g, static_cast<uint16_t>(index)).value();
        layout.cells.push_back(cell.rect);
        DrawGlyph(glyph, cell.rect, font.baseline.value, format, letterApart,
                  layout.pages[cell.sheet]);
        const int32_t top =
            glyph.image.GetWidth() > 0 ? std::max(font.baseline.value - glyph.ascent, 0) : 0;
        BmFontChar& ch = d.chars.emplace_back();
        ch.id = glyph.charCode;
        ch.x = cell.rect.left;
        ch.y = cell.rect.top + top;
        ch.width = std::min(glyph.image.GetWidth(), cell.rect.Width());
        ch.height = std::min<int64_t>(glyph.image.GetHeight(), cell.rect.Height() - top);
        ch.xoffset = glyph.leftSpace;
        ch.yoffset = c.base - glyph.ascent;
        ch.xadvance = glyph.Advance();
        ch.page = cell.sheet;
        g_pPgCtrl->StepProgress(1);
    }
    return layout;
}

FontPreview PreviewOfBmFont(const CFontData& font, BmFontLayout layout) {
    FontPreview preview;
    const BmFontDescriptor& d = layout.descriptor;
    preview.pictures = std::move(layout.pages);
    preview.cellWidth = font.glyphWidth.value;
    preview.cellHeight = font.height.value;
    preview.baseline = font.baseline.value;
    preview.ascent = font.ascent.value;
    preview.descent = font.descent.value;
    preview.lineFeed = font.lineFeed.value;
    preview.width = font.width.value;
    preview.bmFontPages = true;
    preview.lightInk = IsIntensity(font.glyphImageFormat.value);
    const auto& glyphs = font.Glyphs();
    for (std::size_t index = 0; index < glyphs.size(); ++index) {
        const CGlyph& glyph = *glyphs[index];
        const BmFontChar& ch = d.chars[index];
        PreviewGlyph shown;
        shown.code = static_cast<char16_t>(glyph.charCode);
        shown.index = static_cast<uint16_t>(index);
        shown.picture = static_cast<int32_t>(ch.page);
        shown.cell = layout.cells[index];
        shown.left = glyph.leftSpace;
        shown.glyphWidth = glyph.image.GetWidth();
        shown.advance = glyph.Advance();
        preview.glyphs.push_back(shown);
    }
    return preview;
}
