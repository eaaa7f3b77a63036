#pragma once

#include <QWidget>

#include "core/FontPreview.h"

// A view that draws a preview's glyphs and answers the pointer: it names the glyph the pointer
// moves onto (or none) and the glyph clicked.
class CGlyphView : public QWidget {
    Q_OBJECT

public:
    explicit CGlyphView(QWidget* parent);

signals:
    void GlyphHovered(const PreviewGlyph* glyph);
    void GlyphClicked(const PreviewGlyph* glyph);

protected:
    // The glyph drawn at a point of the view, or nullptr.
    virtual const PreviewGlyph* GlyphAt(QPoint position) const = 0;
    const PreviewGlyph* Hovered() const { return m_hovered; }
    // Forgets the glyph under the pointer, as when the preview changes.
    void ForgetHovered() { m_hovered = nullptr; }

    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Hover(const PreviewGlyph* glyph);

    const PreviewGlyph* m_hovered = nullptr;
};
