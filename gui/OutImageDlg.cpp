#include "gui/OutImageDlg.h"

#include <QColorDialog>
#include <QPixmap>
#include <QSignalBlocker>

#include "base/GlobalException.h"
#include "base/ResString.h"
#include "base/Text.h"
#include "base/Util.h"
#include "gui/CommandLine.h"
#include "gui/FieldMark.h"
#include "gui/FieldRow.h"
#include "gui/MessageText.h"
#include "gui/SettingBinding.h"
#include "gui/SettingsFile.h"

namespace {
constexpr const char* kSection = "OutBmp";

// The four number fields: their keys and labels in each mode.
constexpr const char* kSizeKeys[] = {"Width", "Height", "Left", "Top"};
constexpr const char* kMarginKeys[] = {"MarginLeft", "MarginTop", "MarginRight", "MarginBottom"};
constexpr int kSizeLabels[] = {232, 233, 231, 234};
constexpr int kMarginLabels[] = {235, 238, 236, 237};
// What a cell width or height of 0 is told, as the writer would tell it.
constexpr int kCellSizeMessages[] = {200, 199};

// The format list's items and the extension of each; "by extension" has none.
constexpr int kFormatNames[] = {340, 341, 342, 426};
constexpr const char16_t* kFormatExtensions[] = {u"", u"bmp", u"tga", u"png"};

constexpr QSize kSwatchSize(32, 14);

// Colours are typed and stored red first; the writer takes them as the number 0xRRGGBB.
uint32_t ToRgbNumber(uint32_t color) {
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

// With a BMP, TGA or PNG format the path ends in that format's extension: a .bmp or .tga
// ending is replaced, anything else (.png too, as it always was) is kept and the extension
// appended.
std::u16string WithImageExtension(const std::u16string& path, int format) {
    if (format < 1 || format > 3) {
        return path;
    }
    const std::u16string chosen = kFormatExtensions[format];
    std::u16string result = path;
    const std::u16string lower = ToLowerAscii(path);
    const auto endsWith = [&lower](std::u16string_view ending) {
        return lower.size() >= ending.size() &&
               lower.compare(lower.size() - ending.size(), ending.size(), ending) == 0;
    };
    for (const std::u16string_view other : {u".bmp", u".tga"}) {
        if (endsWith(other) && other.substr(1) != chosen) {
            result.resize(result.size() - other.size());
        }
    }
    if (!ToLowerAscii(result).ends_with(u"." + chosen)) {
        result += u"." + chosen;
    }
    return result;
}
}  // namespace

COutImageDlg::ColorSwatch::ColorSwatch(const QString& text, const char* settingsKey,
                                       uint32_t defaultRgb, QWidget* parent)
    : label(text, parent), button(parent), key(settingsKey), defaultColor(defaultRgb) {
    label.setBuddy(&button);
    button.setIconSize(kSwatchSize);
}

COutImageDlg::COutImageDlg(CSettingsFile& settings, QWidget* parent)
    : COutDlg(settings, parent),
      m_layout(this),
      m_path(settings, "OutBmpPath", QT_TRANSLATE_NOOP("CPathField", "Ima&ge file:"),
             kImageFileFilter, QString(), CPathHistoryManager::Mode::kSave, this),
      m_order(settings, COrderCombo::Kind::kLetterOrder, kSection, "Order", u"cp1252.xlor", this),
      m_options(this),
      m_optionsLayout(&m_options),
      m_cellSizeValidator(this),
      m_sizeMode(tr("Specify size/offset"), &m_options),
      m_marginMode(tr("Specify margin"), &m_options),
      m_center(tr("Center glyph"), &m_options),
      m_formatLabel(tr("Forma&t\uFF1A"), &m_options),
      m_format(&m_options),
      m_grid(tr("&Draw grid"), &m_options),
      m_nullColor(tr("null"), "NullBlockColor", CImageFontWriter::Settings().nullCellColor,
                  &m_options),
      m_gridColor(tr("grid"), "GridColor", CImageFontWriter::Settings().gridColor, &m_options),
      m_widthColor(tr("width"), "WidthBarColor", CImageFontWriter::Settings().widthLineColor,
                   &m_options),
      m_marginColor(tr("margin"), "MarginColor", CImageFontWriter::Settings().marginColor,
                    &m_options) {
    m_path.Field().setObjectName(QStringLiteral("outImagePath"));
    m_order.setObjectName(QStringLiteral("outImageOrder"));
    m_sizeMode.setObjectName(QStringLiteral("outImageSizeMode"));
    m_marginMode.setObjectName(QStringLiteral("outImageMarginMode"));
    m_center.setObjectName(QStringLiteral("outImageCenter"));
    m_format.setObjectName(QStringLiteral("outImageFormat"));
    m_grid.setObjectName(QStringLiteral("outImageGrid"));
    for (std::size_t i = 0; i < m_sizeEdits.size(); ++i) {
        m_sizeEdits[i].setObjectName(QStringLiteral("outImageSize%1").arg(i));
        m_sizeLabels[i].setBuddy(&m_sizeEdits[i]);
    }
    m_formatLabel.setBuddy(&m_format);
    // Apart from the input page's, which can be in view at the same time.
    m_order.SetLabelText(tr("Letter &order:"));

    m_path.Place(m_layout, 0, 1);
    m_order.Place(m_layout, 1, 1);
    m_layout.addWidget(&m_options, 2, 0, 1, 3);
    m_layout.setColumnStretch(1, 1);
    m_layout.setRowStretch(3, 1);

    m_optionsLayout.addWidget(&m_sizeMode, 0, 0, 1, 2);
    m_optionsLayout.addWidget(&m_marginMode, 0, 2, 1, 2);
    for (int i = 0; i < 4; ++i) {
        m_optionsLayout.addWidget(&m_sizeLabels[i], 1 + i / 2, (i % 2) * 2);
        m_optionsLayout.addWidget(&m_sizeEdits[i], 1 + i / 2, (i % 2) * 2 + 1);
    }
    AddFieldRow(m_optionsLayout, 3, m_formatLabel, m_format, 1);
    m_optionsLayout.addWidget(&m_center, 3, 2);
    m_optionsLayout.addWidget(&m_grid, 3, 3);
    m_optionsLayout.addLayout(&m_colorRow, 4, 0, 1, 4);
    for (ColorSwatch* swatch : {&m_nullColor, &m_gridColor, &m_widthColor, &m_marginColor}) {
        m_colorRow.addWidget(&swatch->label);
        m_colorRow.addWidget(&swatch->button);
        m_colorRow.addSpacing(12);
        ShowColor(*swatch);
        connect(&swatch->button, &QPushButton::clicked, [this, swatch] { ChooseColor(*swatch); });
    }
    m_colorRow.addStretch(1);

    for (const int message : kFormatNames) {
        m_format.addItem(MessageText(message));
    }
    BindSelection(m_format, settings, kSection, "Format", 0);
    BindCheckBox(m_grid, settings, kSection, "Grid", true);
    BindCheckBox(m_center, settings, kSection, "Center", true);
    (settings.GetBool(kSection, "SizeType", false) ? m_sizeMode : m_marginMode).setChecked(true);
    LoadSizeFields();
    connect(&m_sizeMode, &QRadioButton::toggled, [this](bool checked) {
        m_settings.SetBool(kSection, "SizeType", checked);
        LoadSizeFields();
    });
    connect(&m_center, &QCheckBox::toggled, [this] { UpdateSizeLabels(); });
    for (int i = 0; i < 4; ++i) {
        connect(&m_sizeEdits[i], &QLineEdit::textChanged, [this, i] { StoreSizeField(i); });
    }
}

void COutImageDlg::LoadSizeFields() {
    const char* const* keys = SizeMode() ? kSizeKeys : kMarginKeys;
    for (int i = 0; i < 4; ++i) {
        const QSignalBlocker quiet(m_sizeEdits[i]);
        m_sizeEdits[i].setValidator(SizeMode() && i < 2 ? &m_cellSizeValidator : nullptr);
        m_sizeEdits[i].setText(QString::number(m_settings.GetInt(kSection, keys[i], 0)));
    }
    UpdateSizeLabels();
    MarkCellSize();
}

void COutImageDlg::StoreSizeField(int field) {
    const char* const* keys = SizeMode() ? kSizeKeys : kMarginKeys;
    m_settings.SetInt(kSection, keys[field], NumberOf(m_sizeEdits[field].text()));
    MarkCellSize();
}

void COutImageDlg::MarkCellSize() {
    // A cell of width or height 0 holds nothing; the writer would refuse it.
    for (int i = 0; i < 2; ++i) {
        const int32_t value = NumberOf(m_sizeEdits[i].text());
        MarkField(m_sizeEdits[i],
                  SizeMode() && value == 0
                      ? QString::fromStdU16String(FormatResString(kCellSizeMessages[i], {value}))
                      : QString());
    }
}

void COutImageDlg::UpdateSizeLabels() {
    const int* labels = SizeMode() ? kSizeLabels : kMarginLabels;
    for (int i = 0; i < 4; ++i) {
        m_sizeLabels[i].setText(MessageText(labels[i]));
    }
    // Centred glyphs take no offset and mirror their margins: the second pair is not used.
    for (int i = 2; i < 4; ++i) {
        m_sizeEdits[i].setEnabled(!m_center.isChecked());
        m_sizeLabels[i].setEnabled(!m_center.isChecked());
    }
}

uint32_t COutImageDlg::ColorOf(const char* key, uint32_t defaultColor) const {
    const std::u16string text = m_settings.GetString(kSection, key, u"");
    return text.empty() ? defaultColor : ToRgbNumber(ToColor(text));
}

void COutImageDlg::ShowColor(ColorSwatch& swatch) {
    uint32_t color = swatch.defaultColor;
    try {
        color = ColorOf(swatch.key, swatch.defaultColor);
    } catch (const CGeneralException&) {
        // A hand-edited value that is no colour shows the default; the conversion reports it.
    }
    // An icon, not a style: the button's own shading would lighten the colour it shows.
    QPixmap sample(kSwatchSize);
    sample.fill(QColor::fromRgb(color));
    swatch.button.setIcon(QIcon(sample));
    swatch.button.setToolTip(QColor::fromRgb(color).name().toUpper());
}

void COutImageDlg::ChooseColor(ColorSwatch& swatch) {
    const QColor current(swatch.button.toolTip());
    const QColor chosen = QColorDialog::getColor(current, this);
    if (!chosen.isValid()) {
        return;
    }
    // Stored red first, as the colour options are typed.
    const uint32_t colorRef = static_cast<uint32_t>(chosen.red()) |
                              (static_cast<uint32_t>(chosen.green()) << 8) |
                              (static_cast<uint32_t>(chosen.blue()) << 16);
    m_settings.SetString(kSection, swatch.key, ColorToString(colorRef));
    ShowColor(swatch);
}

CImageFontWriter::Settings COutImageDlg::GetWriterArguments() const {
    if (!m_order.HasFiles()) {
        TL_THROW(kErrInputValue, 272);
    }
    CImageFontWriter::Settings arguments;
    arguments.orderPath = m_order.SelectedPath();
    if (arguments.orderPath.empty()) {
        TL_THROW(kErrInputValue, 167);
    }
    arguments.drawGrid = m_grid.isChecked();
    arguments.outputFormat =
        static_cast<CImageFontWriter::OutputFormat>(std::max(m_format.currentIndex(), 0));
    std::array<int32_t, 4> field{};
    for (int i = 0; i < 4; ++i) {
        field[i] = NumberOf(m_sizeEdits[i].text());
    }
    const bool center = m_center.isChecked();
    if (SizeMode()) {
        arguments.cellWidth = field[0];
        arguments.cellHeight = field[1];
        arguments.leftMargin = center ? -1 : field[2];
        arguments.topMargin = center ? -1 : field[3];
    } else {
        arguments.leftMargin = field[0];
        arguments.topMargin = field[1];
        arguments.rightMargin = center ? field[0] : field[2];
        arguments.bottomMargin = center ? field[1] : field[3];
    }
    arguments.gridColor = ColorOf("GridColor", arguments.gridColor);
    arguments.marginColor = ColorOf("MarginColor", arguments.marginColor);
    arguments.widthLineColor = ColorOf("WidthBarColor", arguments.widthLineColor);
    arguments.nullCellColor = ColorOf("NullBlockColor", arguments.nullCellColor);
    arguments.backgroundColor = ColorOf("BackgroundColor", arguments.backgroundColor);
    arguments.outputPath = WithImageExtension(m_path.History().Text(), arguments.outputFormat);
    return arguments;
}

std::unique_ptr<CFontWriter> COutImageDlg::GetFontWriter() {
    CImageFontWriter::Settings settings = GetWriterArguments();
    m_path.History().SetText(settings.outputPath);
    ConfirmOverwrite(settings.outputPath);
    return std::make_unique<CImageFontWriter>(std::move(settings));
}

void COutImageDlg::AddCommandArguments(CCommandLine& line) const {
    const CImageFontWriter::Settings arguments = GetWriterArguments();
    line.Add(u"-o", u"image");
    line.AddPath(u"-of", arguments.outputPath);
    line.AddPath(u"-oo", arguments.orderPath);
    if (arguments.outputFormat != CImageFontWriter::kByExtension) {
        line.Add(u"-oi", kFormatExtensions[arguments.outputFormat]);
    }
    if (!arguments.drawGrid) {
        line.Add(u"-og");
    }
    if (SizeMode()) {
        line.AddNumber(u"-ow", arguments.cellWidth);
        line.AddNumber(u"-oh", arguments.cellHeight);
        // Without an offset the console centres the glyph.
        if (!m_center.isChecked()) {
            line.AddNumber(u"-ol", arguments.leftMargin);
            line.AddNumber(u"-ot", arguments.topMargin);
        }
    } else {
        line.AddNumber(u"-ol", arguments.leftMargin);
        line.AddNumber(u"-ot", arguments.topMargin);
        line.AddNumber(u"-or", arguments.rightMargin);
        line.AddNumber(u"-ob", arguments.bottomMargin);
    }
    const CImageFontWriter::Settings defaults;
    const std::pair<const char16_t*, uint32_t CImageFontWriter::Settings::*> colors[] = {
        {u"-ocg", &CImageFontWriter::Settings::gridColor},
        {u"-ocm", &CImageFontWriter::Settings::marginColor},
        {u"-ocw", &CImageFontWriter::Settings::widthLineColor},
        {u"-ocn", &CImageFontWriter::Settings::nullCellColor},
        {u"-ocb", &CImageFontWriter::Settings::backgroundColor}};
    for (const auto& [option, color] : colors) {
        if (arguments.*color != defaults.*color) {
            line.Add(option, QStringLiteral("%1")
                                 .arg(arguments.*color, 6, 16, QLatin1Char('0'))
                                 .toUpper()
                                 .toStdU16String());
        }
    }
}
