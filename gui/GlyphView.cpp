#include "gui/GlyphView.h"

#include <QMouseEvent>

CGlyphView::CGlyphView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
}

void CGlyphView::mouseMoveEvent(QMouseEvent* event) {
    Hover(GlyphAt(event->position().toPoint()));
}

void CGlyphView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    Hover(nullptr);
}

void CGlyphView::Hover(const PreviewGlyph* glyph) {
    if (glyph != m_hovered) {
        m_hovered = glyph;
        update();
        emit GlyphHovered(glyph);
    }
}

void CGlyphView::mousePressEvent(QMouseEvent* event) {
    if (const PreviewGlyph* glyph = GlyphAt(event->position().toPoint())) {
        emit GlyphClicked(glyph);
    }
}
