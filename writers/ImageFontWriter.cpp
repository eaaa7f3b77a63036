#include "writers/ImageFontWriter.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "base/GlobalException.h"
#include "base/Text.h"
#include "core/FontData.h"
#include "core/PgCtrl.h"
#include "image/BitMapFile.h"
#include "image/ImageFontCell.h"
#include "image/PngFile.h"
#include "image/TgaFile.h"
#include "xml/GlyphOrder.h"
#include "xml/OrderFileCheck.h"

using image_font_cell::CellGrid;
using image_font_cell::kAreaOffset;

namespace {

// How far a glyph's space and pixels are moved right to centre them in the content width.
int32_t CenteringOffset(const CImageFontWriter::Layout& l, const CGlyph& glyph) {
    return (l.contentWidth - std::max(glyph.rightSpace, 0) - std::max(glyph.leftSpace, 0) -
            glyph.image.GetWidth()) /
           2;
}

// A size that comes from the font has nothing to centre in, so a centring margin (-1) counts
// as none there rather than shifting every glyph out of its cell. Gives the glyph area's size
// along one axis and where the content starts in it.
std::pair<int32_t, int32_t> AreaAroundContent(int32_t leading, int32_t trailing, int32_t content) {
    const auto margin = [](int32_t m) { return m == -1 ? 0 : m; };
    return {margin(leading) + margin(trailing) + content, margin(leading)};
}

}  // namespace

void CImageFontWriter::ValidateSettings() {
    ValidateOrderFile(m_settings.orderPath);
    if (m_settings.cellWidth == 0) {
        TL_THROW(kErrInputValue, 200, m_settings.cellWidth);
    }
    if (m_settings.cellHeight == 0) {
        TL_THROW(kErrInputValue, 199, m_settings.cellHeight);
    }
}

void CImageFontWriter::LoadGlyphOrder(CGlyphOrder& order) {
    order.Load(m_settings.orderPath);
}

CImageFontWriter::OutputFormat CImageFontWriter::ResolveFormat() const {
    if (m_settings.outputFormat != kByExtension) {
        return m_settings.outputFormat;
    }
    const std::u16string& path = m_settings.outputPath;
    const auto dot = path.rfind(u'.');
    const std::u16string extension =
        dot == std::u16string::npos ? std::u16string() : ToLowerAscii(path.substr(dot + 1));
    if (extension == u"bmp") {
        return kBmp;
    }
    if (extension == u"tga") {
        return kTga;
    }
    if (extension == u"png") {
        return kPng;
    }
    TL_THROW(kErrInputValue, 210);
}

CImageFontWriter::Layout CImageFontWriter::CalcLayout(const CFontData& font,
                                                      const CGlyphOrder& order) const {
    Layout l;
    l.baseline = font.baseline.value;
    l.contentWidth = std::max(font.glyphWidth.value, font.charWidth.value);
    l.contentHeight = std::max(font.height.value, l.baseline);

    if (m_settings.cellWidth < 0) {
        std::tie(l.grid.gw, l.leftOffset) =
            AreaAroundContent(m_settings.leftMargin, m_settings.rightMargin, l.contentWidth);
    } else {
        l.grid.gw = m_settings.cellWidth;
        if (m_settings.leftMargin == -1) {
            const int32_t s = l.grid.gw > l.contentWidth ? 1 : -1;
            l.leftOffset = (l.grid.gw - l.contentWidth + s) / 2;
        } else {
            l.leftOffset = m_settings.leftMargin;
        }
    }
    if (m_settings.cellHeight < 0) {
        std::tie(l.grid.gh, l.topOffset) =
            AreaAroundContent(m_settings.topMargin, m_settings.bottomMargin, l.contentHeight);
    } else {
        l.grid.gh = m_settings.cellHeight;
        if (m_settings.topMargin != -1) {
            l.topOffset = m_settings.topMargin;
        } else if (l.contentHeight <= l.grid.gh) {
            l.topOffset = (l.grid.gh - l.contentHeight) / 2;
        } else {
            // Spread the overflow in proportion to the part above the baseline.
            const int32_t d = l.grid.gh - l.contentHeight;
            l.topOffset = d - (l.contentHeight - l.baseline) * d / l.contentHeight;
        }
    }
    if (font.widthFromSource && font.width.value > l.grid.gw) {
        const int32_t e = font.width.value - l.grid.gw;
        l.leftOffset += e / 2;
        l.grid.gw += e;
    }
    if (font.ascentDescentFromSource) {
        const int32_t r = l.baseline + l.topOffset;
        const int32_t room = l.grid.gh - r;
        if (font.ascent.value > r) {
            l.topOffset += font.ascent.value - r;
            l.grid.gh += font.ascent.value - r;
        }
        if (font.descent.value > room) {
            l.grid.gh += font.descent.value - room;
        }
    }
    l.grid = CellGrid::OfArea(order.GetWidth(), order.GetHeight(), l.grid.gw, l.grid.gh);
    return l;
}

void CImageFontWriter::DrawGlyph(IImage& picture, const Layout& l, int32_t column, int32_t row,
                                 const CGlyph& glyph) const {
    const int32_t x0 = l.grid.AreaLeft(column);
    const int32_t y0 = l.grid.AreaTop(row);
    const int32_t left = glyph.leftSpace;
    const int32_t right = glyph.rightSpace;
    const int32_t w = glyph.image.GetWidth();
    const int32_t c = CenteringOffset(l, glyph);

    if (w > 0) {
        CRgbImage canvas;
        glyph.DrawAligned(canvas, l.baseline);
        // Whatever falls outside the glyph area is cut off, on every side.
        const int32_t x = l.leftOffset + c + std::max(left, 0);
        const int32_t y = l.topOffset;
        const int32_t sx = std::max(-x, 0);
        const int32_t sy = std::max(-y, 0);
        const int32_t dx = std::max(x, 0);
        const int32_t dy = std::max(y, 0);
        const int32_t copyWidth = std::min(l.grid.gw - dx, canvas.GetWidth() - sx);
        const int32_t copyHeight = std::min(l.grid.gh - dy, canvas.GetHeight() - sy);
        if (copyWidth > 0 && copyHeight > 0) {
            picture.CopyRect(canvas, sx, sy, x0 + dx, y0 + dy, copyWidth, copyHeight);
        }
    }
    const int32_t advance = left + w + right;
    if (advance > 0) {
        const int32_t s = std::max(l.leftOffset + c - std::min(left, 0), 0);
        const int32_t length = std::min(l.grid.gw - s, advance);
        if (length > 0) {
            picture.FillRect(x0 + s, y0 + l.grid.gh + 1, length, 1, m_settings.widthLineColor, 0);
        }
    }
}

void CImageFontWriter::DrawGrid(IImage& picture, const Layout& l) const {
    const int32_t width = picture.GetWidth();
    const int32_t height = picture.GetHeight();
    const auto columns = [&](std::initializer_list<int32_t> at, uint32_t colour) {
        for (int32_t i = 0; i < l.grid.bx; ++i) {
            for (const int32_t offset : at) {
                picture.FillRect(l.grid.px * i + offset, 0, 1, height, colour, 0);
            }
        }
    };
    const auto rows = [&](std::initializer_list<int32_t> at, uint32_t colour) {
        for (int32_t j = 0; j < l.grid.by; ++j) {
            for (const int32_t offset : at) {
                picture.FillRect(0, l.grid.py * j + offset, width, 1, colour, 0);
            }
        }
    };
    columns({1, l.grid.px - 2}, m_settings.marginColor);
    rows({1, l.grid.py - 4, l.grid.py - 2}, m_settings.marginColor);
    columns({0, l.grid.px - 1}, m_settings.gridColor);
    rows({0, l.grid.py - 1}, m_settings.gridColor);
}

void CImageFontWriter::DrawArrangeInfo(IImage& picture, const Layout& l,
                                       const CFontData& font) const {
    const uint32_t marker = m_settings.drawGrid ? m_settings.backgroundColor : m_settings.gridColor;
    // The reader tells markers from the rest of an edge by their colour alone: on the top edge it
    // takes the colour met second when that colour has exactly two pixels, on the left edge the
    // rarer colour. In a cell of a few pixels the rest of the edge can be as few as the markers,
    // and the reader would measure the wrong ones or refuse the picture; such markers are left
    // out, so that what is marked reads back as written and the rest is derived again.
    if (font.widthFromSource && font.width.value > 0) {
        const int32_t xl = (l.grid.gw - font.width.value) / 2 + 1;
        const int32_t xr = xl + font.width.value + 1;
        const bool misread = xl == 1 && l.grid.gw == 2;
        if (xl >= 1 && xr <= l.grid.gw + 2 && !misread) {
            picture.SetPixel(xl, 0, marker, 0);
            picture.SetPixel(xr, 0, marker, 0);
        }
    }
    // The reader looks for left markers in rows 1 to cell height + 2; a baseline pushed
    // outside them by a negative top offset cannot be marked.
    const auto onLeftEdge = [&](int32_t y) { return y >= 1 && y <= l.grid.gh + 2; };
    const int32_t yb = l.topOffset + l.baseline + kAreaOffset;
    if (onLeftEdge(yb)) {
        picture.SetPixel(0, yb, marker, 0);
    }
    if (font.ascentDescentFromSource && font.ascent.value >= 0 && font.descent.value >= 0) {
        const int32_t yt = yb - font.ascent.value - 1;
        const int32_t yd = yb + font.descent.value;
        const int32_t markers = yd > yb ? 3 : 2;
        const bool rarer = markers < l.grid.gh + 2 - markers;
        if (yt >= 1 && yd <= l.grid.gh + 2 && onLeftEdge(yb) && rarer) {
            picture.SetPixel(0, yt, marker, 0);
            picture.SetPixel(0, yd, marker, 0);
        }
    }
    picture.SetPixel(0, 0, m_settings.backgroundColor, 0);
}

std::unique_ptr<CRgbImage> CImageFontWriter::BuildPicture(const CFontData& font,
                                                          const CGlyphOrder& order) const {
    // An order without cells would give a picture of no rows, which no reader takes back.
    if (order.GetWidth() < 1) {
        TL_THROW(kErrXml, 155, order.GetWidth());
    }
    if (order.GetHeight() < 1) {
        TL_THROW(kErrXml, 154, order.GetHeight());
    }
    const Layout l = CalcLayout(font, order);
    // A few kilobytes of letter order over a font of wide cells could ask for gigabytes: the
    // picture is refused before anything is made for it.
    const int64_t width = int64_t{l.grid.px} * l.grid.bx;
    const int64_t height = int64_t{l.grid.py} * l.grid.by;
    if (width > kMaxPictureSide || height > kMaxPictureSide) {
        TL_THROW(kErrInputValue, 280, width, height, kMaxPictureSide, kMaxPictureSide);
    }
    auto picture = std::make_unique<CRgbImage>();
    picture->Create(l.grid.px * l.grid.bx, l.grid.py * l.grid.by, 32);
    picture->SetHasAlpha(true);
    picture->Fill(m_settings.backgroundColor, 0);

    g_pPgCtrl->SetProgressRange(l.grid.bx * l.grid.by);
    for (int32_t row = 0; row < l.grid.by; ++row) {
        for (int32_t column = 0; column < l.grid.bx; ++column) {
            const uint16_t code = order.GetCharCode(column, row);
            if (code == CGlyphOrder::NullCode) {
                picture->FillRect(l.grid.AreaLeft(column), l.grid.AreaTop(row), l.grid.gw,
                                  l.grid.gh, m_settings.nullCellColor, 0);
            } else if (const CGlyph* glyph = font.FindGlyph(code)) {
                DrawGlyph(*picture, l, column, row, *glyph);
            }
            g_pPgCtrl->StepProgress(1);
        }
    }
    if (m_settings.drawGrid) {
        DrawGrid(*picture, l);
    }
    DrawArrangeInfo(*picture, l, font);
    return picture;
}

void CImageFontWriter::WriteTarget(CFontData& font, const CGlyphOrder& order,
                                   FontPreview* written) {
    const OutputFormat format = ResolveFormat();
    if (format != kBmp && format != kTga && format != kPng) {
        TL_THROW(kErrInputValue, 211, static_cast<int32_t>(format));
    }
    // The "Creating" and "Writing" statuses of each format.
    g_pPgCtrl->SetStatus(format == kBmp ? 250 : format == kTga ? 253 : 421);
    g_pPgCtrl->ResetProgress();
    std::unique_ptr<CRgbImage> picture = BuildPicture(font, order);
    g_pPgCtrl->SetStatus(format == kBmp ? 251 : format == kTga ? 254 : 422);
    if (format == kBmp) {
        CBitMapFile(m_settings.outputPath).Save(*picture);
    } else if (format == kTga) {
        CTgaFile(m_settings.outputPath).Save(*picture);
    } else {
        CPngFile(m_settings.outputPath).Save(*picture);
    }
    if (written != nullptr) {
        *written = PreviewOfPicture(font, order, std::move(*picture));
    }
}

FontPreview CImageFontWriter::PreviewFontData(const CFontData& font, const CGlyphOrder& order) {
    return PreviewOfPicture(font, order, std::move(*BuildPicture(font, order)));
}

FontPreview CImageFontWriter::PreviewOfPicture(const CFontData& font, const CGlyphOrder& order,
                                               CRgbImage picture) const {
    FontPreview preview;
    preview.pictures.push_back(std::move(picture));
    const Layout l = CalcLayout(font, order);
    preview.cellWidth = l.grid.gw;
    preview.cellHeight = l.grid.gh;
    preview.baseline = l.topOffset + l.baseline;
    preview.ascent = font.ascent.value;
    preview.descent = font.descent.value;
    preview.lineFeed = font.lineFeed.value;
    preview.width = font.width.value;
    for (int32_t row = 0; row < l.grid.by; ++row) {
        for (int32_t column = 0; column < l.grid.bx; ++column) {
            const uint16_t code = order.GetCharCode(column, row);
            const CGlyph* glyph = code == CGlyphOrder::NullCode ? nullptr : font.FindGlyph(code);
            if (glyph == nullptr) {
                continue;
            }
            const int32_t x = l.grid.AreaLeft(column);
            const int32_t y = l.grid.AreaTop(row);
            const int32_t pixelsAt =
                l.leftOffset + CenteringOffset(l, *glyph) + std::max(glyph->leftSpace, 0);
            preview.glyphs.push_back(PreviewGlyph{
                code, static_cast<uint16_t>(row * l.grid.bx + column), 0,
                ImageRect{x, y, x + l.grid.gw, y + l.grid.gh}, glyph->leftSpace,
                glyph->image.GetWidth(), glyph->Advance(), std::clamp(pixelsAt, 0, l.grid.gw)});
        }
    }
    // A character the order holds twice is drawn twice; its first cell stands for it.
    std::stable_sort(preview.glyphs.begin(), preview.glyphs.end(),
                     [](const PreviewGlyph& a, const PreviewGlyph& b) { return a.code < b.code; });
    preview.glyphs.erase(
        std::unique(preview.glyphs.begin(), preview.glyphs.end(),
                    [](const PreviewGlyph& a, const PreviewGlyph& b) { return a.code == b.code; }),
        preview.glyphs.end());
    return preview;
}
