#include "gui/SampleView.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "gui/PreviewPicture.h"

namespace {
// Room around the line, in screen pixels.
constexpr int kMargin = 6;
const QColor kBaseline(0x00, 0x78, 0xD7, 0xA0);
const QColor kBackground(0xF4, 0xF4, 0xF4);
}  // namespace

CSampleView::CSampleView(QWidget* parent) : CGlyphView(parent) {}

void CSampleView::SetPreview(const FontPreview* preview) {
    m_preview = preview;
    ForgetHovered();
    m_images.clear();
    if (preview != nullptr) {
        for (const CRgbImage& picture : preview->pictures) {
            m_images.push_back(AsQImage(picture));
        }
    }
    Lay();
}

void CSampleView::SetText(const QString& text) {
    m_text = text;
    Lay();
}

void CSampleView::SetZoom(int zoom) {
    m_zoom = std::max(zoom, 1);
    Lay();
}

void CSampleView::Lay() {
    m_places.clear();
    m_lineWidth = 0;
    if (m_preview != nullptr) {
        const PreviewGlyph* alternate =
            m_preview->alternate ? m_preview->Find(*m_preview->alternate) : nullptr;
        int32_t pen = 0;
        for (const QChar ch : m_text) {
            SamplePlace place;
            place.code = ch.unicode();
            place.glyph = m_preview->Find(place.code);
            if (place.glyph == nullptr) {
                place.glyph = alternate;
            }
            place.pen = pen;
            if (place.glyph != nullptr) {
                pen += place.glyph->advance;
                m_lineWidth = std::max(
                    {m_lineWidth, pen, place.pen + place.glyph->left + place.glyph->glyphWidth});
            }
            m_places.push_back(place);
        }
    }
    updateGeometry();
    resize(sizeHint());
    update();
}

QSize CSampleView::sizeHint() const {
    const int height = m_preview != nullptr ? m_preview->cellHeight : 0;
    return QSize(m_lineWidth * m_zoom + 2 * kMargin, height * m_zoom + 2 * kMargin);
}

void CSampleView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), kBackground);
    if (m_preview == nullptr) {
        return;
    }
    for (const SamplePlace& place : m_places) {
        const PreviewGlyph* glyph = place.glyph;
        if (glyph == nullptr || glyph->picture < 0 ||
            glyph->picture >= static_cast<int>(m_images.size())) {
            continue;
        }
        const QRect source(glyph->cell.left + glyph->pixelsAt, glyph->cell.top,
                           std::min(glyph->glyphWidth, glyph->cell.Width() - glyph->pixelsAt),
                           glyph->cell.Height());
        const QPoint at(kMargin + (place.pen + glyph->left) * m_zoom, kMargin);
        PaintZoomed(painter, m_images[static_cast<std::size_t>(glyph->picture)], source, at, m_zoom,
                    event->rect());
    }
    const int baseline = kMargin + m_preview->baseline * m_zoom + m_zoom - 1;
    painter.setPen(kBaseline);
    painter.drawLine(kMargin, baseline, kMargin + m_lineWidth * m_zoom, baseline);
}

const PreviewGlyph* CSampleView::GlyphAt(QPoint position) const {
    const int x = (position.x() - kMargin) / m_zoom;
    for (const SamplePlace& place : m_places) {
        if (place.glyph != nullptr && x >= place.pen && x < place.pen + place.glyph->advance) {
            return place.glyph;
        }
    }
    return nullptr;
}
