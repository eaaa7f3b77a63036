#include "gui/SheetView.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "gui/PreviewPicture.h"

namespace {
const QColor kMarkedCell(0x00, 0x78, 0xD7);
const QColor kHoveredCell(0xFF, 0x8C, 0x00);
const QColor kCellGuide(0x00, 0xA0, 0x60, 0xB0);
const QColor kBaselineGuide(0xE0, 0x20, 0xA0, 0xC0);
}  // namespace

CSheetView::CSheetView(QWidget* parent) : CGlyphView(parent) {}

void CSheetView::SetPreview(const FontPreview* preview) {
    m_preview = preview;
    m_marked = nullptr;
    ForgetHovered();
    SetPicture(0);
}

void CSheetView::SetPicture(int picture) {
    m_picture = picture;
    m_image = QImage();
    m_onPicture.clear();
    if (m_preview != nullptr && picture >= 0 &&
        picture < static_cast<int>(m_preview->pictures.size())) {
        m_image = AsQImage(m_preview->pictures[static_cast<std::size_t>(picture)]);
        for (const PreviewGlyph& glyph : m_preview->glyphs) {
            if (glyph.picture == picture) {
                m_onPicture.push_back(&glyph);
            }
        }
    }
    updateGeometry();
    resize(sizeHint());
    update();
}

void CSheetView::SetZoom(int zoom) {
    m_zoom = std::max(zoom, 1);
    updateGeometry();
    resize(sizeHint());
    update();
}

void CSheetView::SetMarked(const PreviewGlyph* glyph) {
    m_marked = glyph;
    update();
}

void CSheetView::SetGuides(bool cells, bool baseline) {
    m_cellGuides = cells;
    m_baselineGuides = baseline;
    update();
}

void CSheetView::PaintGuides(QPainter& painter, const QRect& clip) const {
    for (const PreviewGlyph* glyph : m_onPicture) {
        const ImageRect& cell = glyph->cell;
        const QRect box(cell.left * m_zoom, cell.top * m_zoom, cell.Width() * m_zoom,
                        cell.Height() * m_zoom);
        if (!box.intersects(clip)) {
            continue;
        }
        if (m_cellGuides) {
            painter.setPen(QPen(kCellGuide, 1));
            painter.drawRect(box.adjusted(0, 0, -1, -1));
        }
        if (m_baselineGuides) {
            const int baseline = (cell.top + m_preview->baseline) * m_zoom + m_zoom - 1;
            painter.setPen(QPen(kBaselineGuide, 1));
            painter.drawLine(box.left(), baseline, box.right(), baseline);
        }
    }
}

QSize CSheetView::sizeHint() const {
    return m_image.size() * m_zoom;
}

void CSheetView::paintEvent(QPaintEvent* event) {
    if (m_image.isNull()) {
        return;
    }
    QPainter painter(this);
    PaintZoomed(painter, m_image, m_image.rect(), QPoint(0, 0), m_zoom, event->rect(),
                m_preview != nullptr && m_preview->lightInk);
    if (m_cellGuides || m_baselineGuides) {
        PaintGuides(painter, event->rect());
    }
    if (Hovered() != nullptr && Hovered() != m_marked) {
        OutlineCell(painter, *Hovered(), kHoveredCell);
    }
    if (m_marked != nullptr && m_marked->picture == m_picture) {
        OutlineCell(painter, *m_marked, kMarkedCell);
    }
}

void CSheetView::OutlineCell(QPainter& painter, const PreviewGlyph& glyph,
                             const QColor& color) const {
    const ImageRect& cell = glyph.cell;
    const QRect box(cell.left * m_zoom, cell.top * m_zoom, cell.Width() * m_zoom,
                    cell.Height() * m_zoom);
    painter.setPen(QPen(color, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    // The baseline, across the glyph's own width.
    const int baseline = (cell.top + m_preview->baseline) * m_zoom + m_zoom - 1;
    painter.setPen(QPen(color, 1, Qt::DashLine));
    const int pixels = box.left() + glyph.pixelsAt * m_zoom;
    painter.drawLine(pixels, baseline, pixels + std::max(glyph.glyphWidth, 1) * m_zoom, baseline);
}

const PreviewGlyph* CSheetView::GlyphAt(QPoint position) const {
    const int x = position.x() / m_zoom;
    const int y = position.y() / m_zoom;
    for (const PreviewGlyph* glyph : m_onPicture) {
        const ImageRect& cell = glyph->cell;
        if (x >= cell.left && x < cell.right && y >= cell.top && y < cell.bottom) {
            return glyph;
        }
    }
    return nullptr;
}
