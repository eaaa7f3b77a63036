#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <vector>

#include "gui/GlyphView.h"

// Where one character of the sample line goes, in font pixels from the line's start.
struct SamplePlace {
    char16_t code = 0;
    // The glyph drawn: the character's own, the font's alternate for one it lacks, or none.
    const PreviewGlyph* glyph = nullptr;
    // The font has no glyph of its own for the character.
    bool missing = false;
    // Where the character starts; its pixels start `left` further on, and the next character
    // starts `advance` further on.
    int32_t pen = 0;
    // How far the pen moves on: the glyph's advance, or a missing character's box.
    int32_t advance = 0;
};

// A line of sample text set with the preview's glyphs as the console sets them: each glyph's
// cell drawn its glyph width wide at the pen plus its left space, on one baseline, and the pen
// moved on by its advance. It is drawn as a game draws it: on a plain background, the glyphs of
// intensity formats in the text colour. A character the font lacks is outlined in red, over
// the alternate glyph when the font has one, and named by its tooltip. Pointing at a glyph
// names it; clicking marks it.
class CSampleView : public CGlyphView {
    Q_OBJECT

public:
    explicit CSampleView(QWidget* parent);

    // The preview stays the caller's and must outlive its use here (or be replaced first).
    void SetPreview(const FontPreview* preview);
    void SetText(const QString& text);
    void SetZoom(int zoom);
    void SetColors(const QColor& background, const QColor& text);
    void SetBaselineShown(bool shown);
    const std::vector<SamplePlace>& Places() const { return m_places; }
    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    const PreviewGlyph* GlyphAt(QPoint position) const override;

private:
    void Lay();
    void Tint();
    const SamplePlace* PlaceAt(QPoint position) const;
    QRect BoxOf(const SamplePlace& place) const;

    const FontPreview* m_preview = nullptr;
    std::vector<QImage> m_images;
    QString m_text;
    int m_zoom = 1;
    QColor m_background;
    QColor m_textColor;
    bool m_baselineShown = true;
    std::vector<SamplePlace> m_places;
    int32_t m_lineWidth = 0;  // font pixels
};
