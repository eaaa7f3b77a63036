#pragma once

#include <QImage>
#include <QString>
#include <vector>

#include "gui/GlyphView.h"

// Where one character of the sample line goes, in font pixels from the line's start.
struct SamplePlace {
    char16_t code = 0;
    // The glyph drawn: the character's own, the font's alternate for one it lacks, or none.
    const PreviewGlyph* glyph = nullptr;
    // Where the character starts; its pixels start `left` further on, and the next character
    // starts `advance` further on.
    int32_t pen = 0;
};

// A line of sample text set with the preview's glyphs as the console sets them: each glyph's
// cell drawn its glyph width wide at the pen plus its left space, on one baseline, and the pen
// moved on by its advance. Pointing at a glyph names it; clicking marks it.
class CSampleView : public CGlyphView {
public:
    explicit CSampleView(QWidget* parent);

    // The preview stays the caller's and must outlive its use here (or be replaced first).
    void SetPreview(const FontPreview* preview);
    void SetText(const QString& text);
    void SetZoom(int zoom);
    const std::vector<SamplePlace>& Places() const { return m_places; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    const PreviewGlyph* GlyphAt(QPoint position) const override;

private:
    void Lay();

    const FontPreview* m_preview = nullptr;
    std::vector<QImage> m_images;
    QString m_text;
    int m_zoom = 1;
    std::vector<SamplePlace> m_places;
    int32_t m_lineWidth = 0;  // font pixels
};
