#pragma once

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

#include "core/FontPreview.h"
#include "gui/GlyphInspector.h"
#include "gui/SampleView.h"
#include "gui/SheetView.h"

class CSettingsFile;

// The font as the console will see it: the sheets (or the image font's picture) decoded to
// pixels over a checkerboard, a line of sample text set with the glyphs' widths, a zoom of 1 to
// 16 times, and the inspector of the glyph pointed at. Its zoom and sample text are kept in the
// settings (section "Preview").
class CPreviewPane : public QWidget {
    Q_OBJECT

public:
    CPreviewPane(CSettingsFile& settings, QWidget* parent);

    void SetPreview(FontPreview preview);
    const FontPreview* Preview() const { return m_preview.get(); }
    const CSampleView& SampleView() const { return m_sample; }
    // The button that shows a binary font chosen as input as it stands.
    QPushButton& InputFontButton() { return m_inputFont; }

private:
    void SetZoom(int zoom);
    void FitSampleHeight();
    void ShowPicture(int picture);
    void Mark(const PreviewGlyph* glyph);
    // The first characters of the font in the order of its glyph indices (a letter order's
    // order for an image font), controls left out.
    QString DefaultSample() const;

    CSettingsFile& m_settings;
    std::unique_ptr<FontPreview> m_preview;
    const PreviewGlyph* m_marked = nullptr;
    bool m_sampleEdited = false;

    QVBoxLayout m_layout;
    QHBoxLayout m_toolbar;
    QLabel m_zoomLabel;
    QComboBox m_zoom;
    QLabel m_pictureLabel;
    QSpinBox m_picture;
    QLabel m_summary;
    QPushButton m_inputFont;
    QScrollArea m_sheetScroll;
    CSheetView m_sheet;
    QHBoxLayout m_sampleRow;
    QLabel m_sampleLabel;
    QLineEdit m_sampleText;
    QScrollArea m_sampleScroll;
    CSampleView m_sample;
    CGlyphInspector m_inspector;
};
