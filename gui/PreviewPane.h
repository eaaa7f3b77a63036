#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

#include "core/FontPreview.h"
#include "gui/ColorButton.h"
#include "gui/GlyphInspector.h"
#include "gui/SampleView.h"
#include "gui/SheetStrip.h"
#include "gui/SheetView.h"

class CSettingsFile;

// The font as the console will see it: the sheets (or the image font's picture) decoded to
// pixels over a checkerboard, one at a time, with a strip of all of them and guides for the
// cells and the baseline; a line of sample text set with the glyphs' widths as a game draws it;
// a zoom of 1 to 16 times, and the inspector of the glyph pointed at. Its zoom, guides, sample
// text and colours are kept in the settings (section "Preview").
class CPreviewPane : public QWidget {
    Q_OBJECT

public:
    CPreviewPane(CSettingsFile& settings, QWidget* parent);

    void SetPreview(FontPreview preview);
    // No preview any more, and why.
    void Clear(const QString& reason);
    // The preview shown no longer follows the settings; said until the next one comes.
    void MarkOutOfDate();
    bool IsOutOfDate() const { return m_outOfDate; }
    // The picture shown, from 0.
    int Picture() const { return m_sheet.Picture(); }
    QString SheetText() const { return m_sheetLabel.text(); }
    // Where the sheets are shown, in this pane's coordinates: a part without buttons.
    QRect SheetArea() const { return m_sheetScroll.geometry(); }
    const FontPreview* Preview() const { return m_preview.get(); }
    const CSampleView& SampleView() const { return m_sample; }
    // The button that shows a binary font chosen as input as it stands.
    QPushButton& InputFontButton() { return m_inputFont; }

private:
    void SetZoom(int zoom);
    void FitSampleHeight();
    void ShowPicture(int picture);
    void ShowNotice(const QString& text);
    void UpdateGuides();
    void UpdateSampleColors();
    void Mark(const PreviewGlyph* glyph);
    // The first characters of the font in the order of its glyph indices (a letter order's
    // order for an image font), controls left out.
    QString DefaultSample() const;

    CSettingsFile& m_settings;
    std::unique_ptr<FontPreview> m_preview;
    const PreviewGlyph* m_marked = nullptr;
    bool m_sampleEdited = false;
    bool m_outOfDate = false;

    QVBoxLayout m_layout;
    QHBoxLayout m_toolbar;
    QLabel m_zoomLabel;
    QComboBox m_zoom;
    QLabel m_sheetLabel;
    QCheckBox m_cellGuides;
    QCheckBox m_baselineGuides;
    QPushButton m_inputFont;
    QLabel m_notice;
    QLabel m_summary;
    CSheetStrip m_strip;
    QScrollArea m_sheetScroll;
    CSheetView m_sheet;
    QHBoxLayout m_sampleRow;
    QLabel m_sampleLabel;
    QLineEdit m_sampleText;
    QLabel m_backgroundLabel;
    CColorButton m_background;
    QLabel m_textColorLabel;
    CColorButton m_textColor;
    QScrollArea m_sampleScroll;
    CSampleView m_sample;
    CGlyphInspector m_inspector;
};
