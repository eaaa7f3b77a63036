#pragma once

#include <QImage>
#include <vector>

#include "gui/GlyphView.h"

// One picture of a preview (a texture sheet, or an image font's picture) at a whole-number
// zoom, with the cell of the marked glyph outlined and its baseline drawn. Pointing at a cell
// names its glyph; clicking marks it.
class CSheetView : public CGlyphView {
public:
    explicit CSheetView(QWidget* parent);

    // The preview stays the caller's and must outlive its use here (or be replaced first).
    void SetPreview(const FontPreview* preview);
    void SetPicture(int picture);
    int Picture() const { return m_picture; }
    void SetZoom(int zoom);
    void SetMarked(const PreviewGlyph* glyph);
    // Every cell's outline, and the baseline across every cell.
    void SetGuides(bool cells, bool baseline);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    const PreviewGlyph* GlyphAt(QPoint position) const override;

private:
    void OutlineCell(QPainter& painter, const PreviewGlyph& glyph, const QColor& color) const;
    void PaintGuides(QPainter& painter, const QRect& clip) const;

    const FontPreview* m_preview = nullptr;
    int m_picture = 0;
    int m_zoom = 1;
    QImage m_image;
    std::vector<const PreviewGlyph*> m_onPicture;  // the glyphs whose cells lie on it
    const PreviewGlyph* m_marked = nullptr;
    bool m_cellGuides = false;
    bool m_baselineGuides = false;
};
