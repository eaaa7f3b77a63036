#include "gui/SampleView.h"

#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

#include "gui/PreviewPicture.h"

namespace {
// Room around the line, in screen pixels.
constexpr int kMargin = 6;
const QColor kBaseline(0x00, 0x78, 0xD7, 0xA0);
const QColor kMissing(0xFF, 0x30, 0x30);
}  // namespace

CSampleView::CSampleView(QWidget* parent)
    : CGlyphView(parent), m_background(0x40, 0x40, 0x40), m_textColor(Qt::white) {}

void CSampleView::SetPreview(const FontPreview* preview) {
    m_preview = preview;
    ForgetHovered();
    Tint();
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

void CSampleView::SetColors(const QColor& background, const QColor& text) {
    m_background = background;
    if (text != m_textColor) {
        m_textColor = text;
        Tint();
    }
    update();
}

void CSampleView::SetBaselineShown(bool shown) {
    m_baselineShown = shown;
    update();
}

void CSampleView::Tint() {
    m_images.clear();
    if (m_preview != nullptr) {
        for (const CRgbImage& picture : m_preview->pictures) {
            m_images.push_back(
                TintedAsInGame(AsQImage(picture), m_preview->textureFormat, m_textColor));
        }
    }
}

void CSampleView::Lay() {
    m_places.clear();
    m_lineWidth = 0;
    if (m_preview != nullptr) {
        const PreviewGlyph* alternate =
            m_preview->alternate ? m_preview->Find(*m_preview->alternate) : nullptr;
        // A missing character without an alternate takes a box as wide as the font's usual
        // glyph.
        const int32_t missingWidth =
            std::max(m_preview->width > 0 ? m_preview->width : m_preview->cellWidth / 2, 1);
        int32_t pen = 0;
        for (const QChar ch : m_text) {
            SamplePlace place;
            place.code = ch.unicode();
            place.glyph = m_preview->Find(place.code);
            place.missing = place.glyph == nullptr;
            if (place.missing) {
                place.glyph = alternate;
            }
            place.pen = pen;
            place.advance = place.glyph != nullptr ? place.glyph->advance : missingWidth;
            pen += place.advance;
            m_lineWidth = std::max(m_lineWidth, pen);
            if (place.glyph != nullptr) {
                m_lineWidth =
                    std::max(m_lineWidth, place.pen + place.glyph->left + place.glyph->glyphWidth);
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

QRect CSampleView::BoxOf(const SamplePlace& place) const {
    const int height = m_preview != nullptr ? m_preview->cellHeight : 0;
    return QRect(kMargin + place.pen * m_zoom, kMargin, std::max(place.advance, 1) * m_zoom,
                 height * m_zoom);
}

void CSampleView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), m_background);
    if (m_preview == nullptr) {
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const SamplePlace& place : m_places) {
        const PreviewGlyph* glyph = place.glyph;
        if (glyph != nullptr && glyph->picture >= 0 &&
            glyph->picture < static_cast<int>(m_images.size())) {
            const QRect source(glyph->cell.left + glyph->pixelsAt, glyph->cell.top,
                               std::min(glyph->glyphWidth, glyph->cell.Width() - glyph->pixelsAt),
                               glyph->cell.Height());
            const QRect target(QPoint(kMargin + (place.pen + glyph->left) * m_zoom, kMargin),
                               source.size() * m_zoom);
            if (target.intersects(event->rect())) {
                painter.drawImage(target, m_images[static_cast<std::size_t>(glyph->picture)],
                                  source);
            }
        }
        if (place.missing) {
            painter.setPen(QPen(kMissing, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(BoxOf(place).adjusted(1, 1, -1, -1));
        }
    }
    if (m_baselineShown) {
        const int baseline = kMargin + m_preview->baseline * m_zoom + m_zoom - 1;
        painter.setPen(kBaseline);
        painter.drawLine(kMargin, baseline, kMargin + m_lineWidth * m_zoom, baseline);
    }
}

const SamplePlace* CSampleView::PlaceAt(QPoint position) const {
    for (const SamplePlace& place : m_places) {
        if (BoxOf(place).contains(position)) {
            return &place;
        }
    }
    return nullptr;
}

const PreviewGlyph* CSampleView::GlyphAt(QPoint position) const {
    const SamplePlace* place = PlaceAt(position);
    return place != nullptr ? place->glyph : nullptr;
}

bool CSampleView::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return CGlyphView::event(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const SamplePlace* place = PlaceAt(help->pos());
    if (place == nullptr || !place->missing) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    const QString character = QStringLiteral("U+%1 %2")
                                  .arg(static_cast<int>(place->code), 4, 16, QLatin1Char('0'))
                                  .toUpper()
                                  .arg(QString(QChar(place->code)));
    QToolTip::showText(
        help->globalPos(),
        place->glyph != nullptr
            ? tr("%1 is not in the font: its substitute character is drawn").arg(character)
            : tr("%1 is not in the font").arg(character),
        this);
    return true;
}
