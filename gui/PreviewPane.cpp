#include "gui/PreviewPane.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "gui/PreviewPicture.h"
#include "gui/SettingsFile.h"
#include "gui/TextureFormatNames.h"

namespace {
constexpr const char* kSection = "Preview";
constexpr int kZooms[] = {1, 2, 3, 4, 6, 8, 12, 16};
constexpr int kDefaultZoom = 4;
constexpr int kSampleLength = 32;
constexpr char16_t kDefaultBackground[] = u"#404040";
constexpr char16_t kDefaultTextColor[] = u"#ffffff";
}  // namespace

CPreviewPane::CPreviewPane(CSettingsFile& settings, QWidget* parent)
    : QWidget(parent),
      m_settings(settings),
      m_layout(this),
      m_zoomLabel(tr("&Zoom:"), this),
      m_zoom(this),
      m_sheetLabel(this),
      m_cellGuides(tr("Cell outlines"), this),
      m_baselineGuides(tr("Baseline"), this),
      m_inputFont(tr("Input font as it stands"), this),
      m_notice(this),
      m_summary(this),
      m_strip(this),
      m_sheetScroll(this),
      m_sheet(&m_sheetScroll),
      m_sampleLabel(tr("Sample te&xt:"), this),
      m_sampleText(this),
      m_backgroundLabel(tr("Background:"), this),
      m_background(this),
      m_textColorLabel(tr("Text:"), this),
      m_textColor(this),
      m_sampleScroll(this),
      m_sample(&m_sampleScroll),
      m_inspector(this) {
    setObjectName(QStringLiteral("preview"));
    m_zoom.setObjectName(QStringLiteral("previewZoom"));
    m_sheetLabel.setObjectName(QStringLiteral("previewSheet"));
    m_strip.setObjectName(QStringLiteral("previewSheets"));
    m_cellGuides.setObjectName(QStringLiteral("previewCells"));
    m_baselineGuides.setObjectName(QStringLiteral("previewBaseline"));
    m_notice.setObjectName(QStringLiteral("previewNotice"));
    m_sampleText.setObjectName(QStringLiteral("previewSample"));
    m_background.setObjectName(QStringLiteral("previewBackground"));
    m_textColor.setObjectName(QStringLiteral("previewTextColor"));
    m_inputFont.setObjectName(QStringLiteral("previewInputFont"));
    m_inputFont.setToolTip(tr("Shows the binary font chosen as input, without converting it"));
    m_cellGuides.setToolTip(tr("Outline every glyph's cell on the sheet"));
    m_baselineGuides.setToolTip(tr("Draw the baseline across every cell and under the sample"));
    m_background.setToolTip(tr("The colour behind the sample text"));
    m_textColor.setToolTip(tr("The colour the sample text is drawn in, as a game tints it"));
    m_zoomLabel.setBuddy(&m_zoom);
    m_sampleLabel.setBuddy(&m_sampleText);
    m_backgroundLabel.setBuddy(&m_background);
    m_textColorLabel.setBuddy(&m_textColor);

    m_toolbar.addWidget(&m_zoomLabel);
    m_toolbar.addWidget(&m_zoom);
    m_toolbar.addSpacing(12);
    m_toolbar.addWidget(&m_sheetLabel);
    m_toolbar.addSpacing(12);
    m_toolbar.addWidget(&m_cellGuides);
    m_toolbar.addWidget(&m_baselineGuides);
    m_toolbar.addStretch(1);
    m_toolbar.addWidget(&m_inputFont);
    m_notice.setWordWrap(true);
    m_notice.setStyleSheet(QStringLiteral("background: #FFF4C0; color: #5A4200; padding: 3px;"));
    m_notice.hide();
    m_summary.setWordWrap(true);
    m_strip.hide();
    m_sheetScroll.setWidget(&m_sheet);
    m_sheetScroll.setBackgroundRole(QPalette::Dark);
    m_sampleRow.addWidget(&m_sampleLabel);
    m_sampleRow.addWidget(&m_sampleText, 1);
    m_sampleRow.addWidget(&m_backgroundLabel);
    m_sampleRow.addWidget(&m_background);
    m_sampleRow.addWidget(&m_textColorLabel);
    m_sampleRow.addWidget(&m_textColor);
    m_sampleScroll.setWidget(&m_sample);
    m_sampleScroll.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_sampleScroll.setFocusPolicy(Qt::NoFocus);
    m_layout.setContentsMargins(0, 0, 0, 0);
    m_layout.addLayout(&m_toolbar);
    m_layout.addWidget(&m_notice);
    m_layout.addWidget(&m_summary);
    m_layout.addWidget(&m_strip);
    m_layout.addWidget(&m_sheetScroll, 1);
    m_layout.addLayout(&m_sampleRow);
    m_layout.addWidget(&m_sampleScroll);
    m_layout.addWidget(&m_inspector);

    for (const int zoom : kZooms) {
        m_zoom.addItem(QStringLiteral("%1x").arg(zoom), zoom);
    }
    const int stored = m_zoom.findData(settings.GetInt(kSection, "Zoom", kDefaultZoom));
    m_zoom.setCurrentIndex(stored >= 0 ? stored : m_zoom.findData(kDefaultZoom));
    SetZoom(m_zoom.currentData().toInt());
    connect(&m_zoom, &QComboBox::currentIndexChanged, [this] {
        m_settings.SetInt(kSection, "Zoom", m_zoom.currentData().toInt());
        SetZoom(m_zoom.currentData().toInt());
    });
    connect(&m_strip, &QListWidget::currentRowChanged, [this](int row) {
        if (row >= 0) {
            ShowPicture(row);
        }
    });

    m_cellGuides.setChecked(settings.GetBool(kSection, "CellOutlines", false));
    m_baselineGuides.setChecked(settings.GetBool(kSection, "Baseline", true));
    UpdateGuides();
    for (QCheckBox* box : {&m_cellGuides, &m_baselineGuides}) {
        connect(box, &QCheckBox::toggled, [this] {
            m_settings.SetBool(kSection, "CellOutlines", m_cellGuides.isChecked());
            m_settings.SetBool(kSection, "Baseline", m_baselineGuides.isChecked());
            UpdateGuides();
        });
    }
    const auto storedColor = [&settings](const char* key, const char16_t* fallback) {
        const QColor color(QString::fromStdU16String(settings.GetString(kSection, key, fallback)));
        return color.isValid() ? color : QColor(QString::fromStdU16String(fallback));
    };
    m_background.SetColor(storedColor("SampleBackground", kDefaultBackground));
    m_textColor.SetColor(storedColor("SampleColor", kDefaultTextColor));
    UpdateSampleColors();
    connect(&m_background, &CColorButton::ColorChosen, [this](const QColor& color) {
        m_settings.SetString(kSection, "SampleBackground", color.name().toStdU16String());
        UpdateSampleColors();
    });
    connect(&m_textColor, &CColorButton::ColorChosen, [this](const QColor& color) {
        m_settings.SetString(kSection, "SampleColor", color.name().toStdU16String());
        UpdateSampleColors();
    });

    const QString sample = QString::fromStdU16String(settings.GetString(kSection, "Sample", u""));
    m_sampleEdited = !sample.isEmpty();
    connect(&m_sampleText, &QLineEdit::textChanged, &m_sample, &CSampleView::SetText);
    m_sampleText.setText(sample);
    connect(&m_sampleText, &QLineEdit::textEdited, [this](const QString& text) {
        // A text of the user's stays through later previews; emptied, the font's own returns.
        m_sampleEdited = !text.isEmpty();
        m_settings.SetString(kSection, "Sample", text.toStdU16String());
    });

    // Pointing shows a glyph while the pointer is on it; clicking keeps it shown.
    const auto hover = [this](const PreviewGlyph* glyph) {
        m_inspector.Show(m_preview.get(), glyph != nullptr ? glyph : m_marked);
    };
    connect(&m_sheet, &CSheetView::GlyphHovered, hover);
    connect(&m_sample, &CSampleView::GlyphHovered, hover);
    connect(&m_sheet, &CSheetView::GlyphClicked,
            [this](const PreviewGlyph* glyph) { Mark(glyph); });
    connect(&m_sample, &CSampleView::GlyphClicked, [this](const PreviewGlyph* glyph) {
        Mark(glyph);
        // Its sheet, and its cell there, come into view.
        m_strip.setCurrentRow(glyph->picture);
        ShowPicture(glyph->picture);
        const int zoom = m_zoom.currentData().toInt();
        const ImageRect& cell = glyph->cell;
        m_sheetScroll.ensureVisible((cell.left + cell.Width() / 2) * zoom,
                                    (cell.top + cell.Height() / 2) * zoom,
                                    cell.Width() * zoom / 2 + 8, cell.Height() * zoom / 2 + 8);
    });
    m_inspector.Show(nullptr, nullptr);
    m_summary.setText(tr("Convert, or press Preview, to see the font here."));
}

void CPreviewPane::SetPreview(FontPreview preview) {
    m_marked = nullptr;
    m_sheet.SetPreview(nullptr);
    m_sample.SetPreview(nullptr);
    m_preview = std::make_unique<FontPreview>(std::move(preview));
    const FontPreview& p = *m_preview;
    m_sheet.SetPreview(&p);
    m_sample.SetPreview(&p);
    {
        std::vector<QImage> pictures;
        for (const CRgbImage& picture : p.pictures) {
            pictures.push_back(AsQImage(picture));
        }
        const QSignalBlocker quiet(m_strip);
        m_strip.SetPictures(pictures, p.lightInk);
        m_strip.setCurrentRow(0);
        m_strip.setVisible(pictures.size() > 1);
    }
    ShowPicture(0);
    if (!m_sampleEdited) {
        m_sampleText.setText(DefaultSample());
    }
    FitSampleHeight();
    const QString kind = p.bmFontPages         ? tr("BMFont pages")
                         : p.textureFormat < 0 ? tr("image font")
                         : p.textureFormat < static_cast<int32_t>(std::size(kTextureFormatNames))
                             ? QString::fromStdU16String(kTextureFormatNames[p.textureFormat])
                             : tr("format %1").arg(p.textureFormat);
    const QSize size = p.pictures.empty()
                           ? QSize()
                           : QSize(p.pictures.front().GetWidth(), p.pictures.front().GetHeight());
    m_summary.setText(tr("%1, %2 x %3 pixels, %4 glyphs in cells of %5 x %6")
                          .arg(kind)
                          .arg(size.width())
                          .arg(size.height())
                          .arg(p.glyphs.size())
                          .arg(p.cellWidth)
                          .arg(p.cellHeight));
    m_inspector.Show(&p, nullptr);
    m_outOfDate = false;
    ShowNotice(QString());
}

void CPreviewPane::Clear(const QString& reason) {
    m_marked = nullptr;
    m_sheet.SetPreview(nullptr);
    m_sample.SetPreview(nullptr);
    m_inspector.Show(nullptr, nullptr);
    m_preview.reset();
    m_strip.clear();
    m_strip.hide();
    m_sheetLabel.clear();
    m_summary.clear();
    m_outOfDate = false;
    ShowNotice(reason);
}

void CPreviewPane::MarkOutOfDate() {
    if (m_preview == nullptr || m_outOfDate) {
        return;
    }
    m_outOfDate = true;
    ShowNotice(
        tr("Out of date: the settings changed after this preview was made. Press "
           "Preview to see them."));
}

void CPreviewPane::ShowNotice(const QString& text) {
    m_notice.setText(text);
    m_notice.setVisible(!text.isEmpty());
}

void CPreviewPane::SetZoom(int zoom) {
    m_sheet.SetZoom(zoom);
    m_sample.SetZoom(zoom);
    FitSampleHeight();
}

void CPreviewPane::UpdateGuides() {
    m_sheet.SetGuides(m_cellGuides.isChecked(), m_baselineGuides.isChecked());
    m_sample.SetBaselineShown(m_baselineGuides.isChecked());
}

void CPreviewPane::UpdateSampleColors() {
    m_sample.SetColors(m_background.Color(), m_textColor.Color());
}

void CPreviewPane::FitSampleHeight() {
    // The line is shown whole, with room for its scroll bar; the sheets take the rest.
    m_sampleScroll.setFixedHeight(m_sample.sizeHint().height() + 2 * m_sampleScroll.frameWidth() +
                                  m_sampleScroll.horizontalScrollBar()->sizeHint().height());
}

void CPreviewPane::ShowPicture(int picture) {
    m_sheet.SetPicture(picture);
    m_sheet.SetMarked(m_marked);
    const int count = m_preview != nullptr ? static_cast<int>(m_preview->pictures.size()) : 0;
    m_sheetLabel.setText(count > 0 ? tr("Sheet %1 of %2").arg(picture + 1).arg(count) : QString());
}

void CPreviewPane::Mark(const PreviewGlyph* glyph) {
    m_marked = glyph;
    m_sheet.SetMarked(glyph);
    m_inspector.Show(m_preview.get(), glyph);
}

QString CPreviewPane::DefaultSample() const {
    std::vector<const PreviewGlyph*> byIndex;
    for (const PreviewGlyph& glyph : m_preview->glyphs) {
        byIndex.push_back(&glyph);
    }
    std::stable_sort(
        byIndex.begin(), byIndex.end(),
        [](const PreviewGlyph* a, const PreviewGlyph* b) { return a->index < b->index; });
    QString sample;
    for (const PreviewGlyph* glyph : byIndex) {
        const QChar ch(glyph->code);
        if (ch.isPrint() && !(sample.isEmpty() && ch.isSpace())) {
            sample += ch;
        }
        if (sample.size() >= kSampleLength) {
            break;
        }
    }
    return sample;
}
