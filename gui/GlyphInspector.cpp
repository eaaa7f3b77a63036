#include "gui/GlyphInspector.h"

#include <set>

namespace {

// Ink is what differs from paper: any pixel not wholly transparent where the picture has
// transparency, else any pixel that is not white.
bool HasTransparency(const CRgbImage& picture) {
    for (const uint32_t pixel : picture.Pixels()) {
        if ((pixel >> 24) != 0xFF) {
            return true;
        }
    }
    return false;
}

std::optional<int32_t> InkAscent(const FontPreview& preview, const PreviewGlyph& glyph) {
    if (glyph.picture < 0 || glyph.picture >= static_cast<int32_t>(preview.pictures.size())) {
        return std::nullopt;
    }
    const CRgbImage& picture = preview.pictures[static_cast<std::size_t>(glyph.picture)];
    const bool transparent = HasTransparency(picture);
    const auto pixels = picture.Pixels();
    const int32_t left = glyph.cell.left + glyph.pixelsAt;
    const int32_t right = std::min(left + glyph.glyphWidth, picture.GetWidth());
    const int32_t bottom = std::min(glyph.cell.bottom, picture.GetHeight());
    for (int32_t y = std::max(glyph.cell.top, 0); y < bottom; ++y) {
        for (int32_t x = std::max(left, 0); x < right; ++x) {
            const uint32_t pixel = pixels[static_cast<std::size_t>(y) * picture.GetWidth() + x];
            const bool ink = transparent ? (pixel >> 24) != 0 : (pixel & 0xFFFFFF) != 0xFFFFFF;
            if (ink) {
                return preview.baseline - (y - glyph.cell.top);
            }
        }
    }
    return std::nullopt;
}

}  // namespace

GlyphFacts FactsOf(const FontPreview& preview, const PreviewGlyph& glyph) {
    GlyphFacts facts;
    facts.code = glyph.code;
    facts.index = glyph.index;
    facts.picture = glyph.picture;
    facts.left = glyph.left;
    facts.glyphWidth = glyph.glyphWidth;
    facts.advance = glyph.advance;
    // Columns and rows are the distinct cell edges left of and above this one on its picture,
    // which holds for the sheets of a binary font and the grid of an image font alike.
    std::set<int32_t> lefts;
    std::set<int32_t> tops;
    for (const PreviewGlyph& other : preview.glyphs) {
        if (other.picture == glyph.picture) {
            lefts.insert(other.cell.left);
            tops.insert(other.cell.top);
        }
    }
    facts.column = static_cast<int32_t>(std::distance(lefts.begin(), lefts.find(glyph.cell.left)));
    facts.row = static_cast<int32_t>(std::distance(tops.begin(), tops.find(glyph.cell.top)));
    facts.ascent = InkAscent(preview, glyph);
    return facts;
}

CGlyphInspector::CGlyphInspector(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setMinimumHeight(fontMetrics().height() * 2 + 8);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void CGlyphInspector::Show(const FontPreview* preview, const PreviewGlyph* glyph) {
    if (preview == nullptr || glyph == nullptr) {
        setText(tr("Point at a glyph to see its widths; click to keep it."));
        return;
    }
    const GlyphFacts f = FactsOf(*preview, *glyph);
    const QString character =
        QChar(f.code).isPrint()
            ? QStringLiteral(" '%1'").arg(QString(QChar(f.code)).toHtmlEscaped())
            : QString();
    setText(tr("<b>U+%1</b>%2 &nbsp; glyph index %3 &nbsp; sheet %4, column %5, row %6<br>"
               "left space %7 &nbsp; glyph width %8 &nbsp; advance %9 &nbsp; ascent %10")
                .arg(QStringLiteral("%1").arg(f.code, 4, 16, QLatin1Char('0')).toUpper(), character)
                .arg(f.index)
                .arg(f.picture + 1)
                .arg(f.column)
                .arg(f.row)
                .arg(f.left)
                .arg(f.glyphWidth)
                .arg(f.advance)
                .arg(f.ascent ? QString::number(*f.ascent) : QStringLiteral("-")));
}
