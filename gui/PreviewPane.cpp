#include "gui/PreviewPane.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "gui/SettingsFile.h"

namespace {
constexpr const char* kSection = "Preview";
constexpr int kZooms[] = {1, 2, 3, 4, 6, 8, 12, 16};
constexpr int kDefaultZoom = 4;
constexpr int kSampleLength = 32;
constexpr const char* kFormatNames[] = {"I4", "I8", "IA4", "IA8", "RGB565", "RGB5A3", "RGBA8"};
}  // namespace

CPreviewPane::CPreviewPane(CSettingsFile& settings, QWidget* parent)
    : QWidget(parent),
      m_settings(settings),
      m_layout(this),
      m_zoomLabel(tr("&Zoom:"), this),
      m_zoom(this),
      m_pictureLabel(tr("S&heet:"), this),
      m_picture(this),
      m_summary(this),
      m_inputFont(tr("Input font &as it stands"), this),
      m_sheetScroll(this),
      m_sheet(&m_sheetScroll),
      m_sampleLabel(tr("Sample &text:"), this),
      m_sampleText(this),
      m_sampleScroll(this),
      m_sample(&m_sampleScroll),
      m_inspector(this) {
    setObjectName(QStringLiteral("preview"));
    m_zoom.setObjectName(QStringLiteral("previewZoom"));
    m_picture.setObjectName(QStringLiteral("previewSheet"));
    m_sampleText.setObjectName(QStringLiteral("previewSample"));
    m_inputFont.setObjectName(QStringLiteral("previewInputFont"));
    m_inputFont.setToolTip(tr("Shows the binary font chosen as input, without converting it"));
    m_zoomLabel.setBuddy(&m_zoom);
    m_pictureLabel.setBuddy(&m_picture);
    m_sampleLabel.setBuddy(&m_sampleText);

    m_toolbar.addWidget(&m_zoomLabel);
    m_toolbar.addWidget(&m_zoom);
    m_toolbar.addSpacing(12);
    m_toolbar.addWidget(&m_pictureLabel);
    m_toolbar.addWidget(&m_picture);
    m_toolbar.addStretch(1);
    m_toolbar.addWidget(&m_inputFont);
    m_summary.setWordWrap(true);
    m_sheetScroll.setWidget(&m_sheet);
    m_sheetScroll.setBackgroundRole(QPalette::Dark);
    m_sampleRow.addWidget(&m_sampleLabel);
    m_sampleRow.addWidget(&m_sampleText, 1);
    m_sampleScroll.setWidget(&m_sample);
    m_sampleScroll.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_layout.setContentsMargins(0, 0, 0, 0);
    m_layout.addLayout(&m_toolbar);
    m_layout.addWidget(&m_summary);
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
    m_picture.setRange(1, 1);
    m_picture.setEnabled(false);
    connect(&m_picture, &QSpinBox::valueChanged, [this](int value) { ShowPicture(value - 1); });

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
        m_picture.setValue(glyph->picture + 1);
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
        const QSignalBlocker quiet(m_picture);
        m_picture.setRange(1, std::max<int>(static_cast<int>(p.pictures.size()), 1));
        m_picture.setValue(1);
        m_picture.setEnabled(p.pictures.size() > 1);
    }
    if (!m_sampleEdited) {
        m_sampleText.setText(DefaultSample());
    }
    FitSampleHeight();
    const QString kind = p.textureFormat < 0 ? tr("image font")
                         : p.textureFormat < static_cast<int32_t>(std::size(kFormatNames))
                             ? QString::fromLatin1(kFormatNames[p.textureFormat])
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
}

void CPreviewPane::SetZoom(int zoom) {
    m_sheet.SetZoom(zoom);
    m_sample.SetZoom(zoom);
    FitSampleHeight();
}

void CPreviewPane::FitSampleHeight() {
    // The line is shown whole, with room for its scroll bar; the sheets take the rest.
    m_sampleScroll.setFixedHeight(m_sample.sizeHint().height() + 2 * m_sampleScroll.frameWidth() +
                                  m_sampleScroll.horizontalScrollBar()->sizeHint().height());
}

void CPreviewPane::ShowPicture(int picture) {
    m_sheet.SetPicture(picture);
    m_sheet.SetMarked(m_marked);
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
