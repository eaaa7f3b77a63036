#include "gui/InWinDlg.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QSignalBlocker>
#include <initializer_list>
#include <set>

#include "base/GlobalException.h"
#include "gui/CommandLine.h"
#include "gui/FieldRow.h"
#include "gui/MessageText.h"
#include "gui/SettingBinding.h"
#include "gui/SettingsFile.h"
#include "platform/FontCatalog.h"
#include "readers/WinFontReader.h"

namespace {
constexpr const char* kSection = "InWin";
constexpr int kWidthTypeFixed = 3;

// The gradations offered (messages 320 to 325), their stored names and what the reader gets.
struct Gradation {
    int message;
    const char16_t* name;
    int32_t bitDepth;
    bool alpha;
};
constexpr Gradation kGradations[] = {
    {320, u"I1", 1, false}, {321, u"I4", 4, false}, {322, u"I8", 6, false},
    {323, u"IA1", 1, true}, {324, u"IA4", 4, true}, {325, u"IA8", 6, true},
};
constexpr int kDefaultGradation = 1;
// The width types as the console names them, in width type order.
constexpr const char16_t* kWidthTypeKeywords[] = {u"glyph", u"keepsp", u"char", u"fixed"};
// Marks the last entry of the face list, which asks for a font file instead of naming a face.
constexpr int kAddFontFileRole = Qt::UserRole + 1;

// A face draws its own name when it has every character of it.
bool CanDrawOwnName(const QFont& font, const QString& name) {
    const QFontMetrics metrics(font);
    for (const QChar ch : name) {
        if (!metrics.inFont(ch)) {
            return false;
        }
    }
    return true;
}
}  // namespace

CInWinDlg::CInWinDlg(CSettingsFile& settings, QWidget* parent)
    : CInDlg(settings, parent),
      m_layout(this),
      m_faceLabel(tr("&Font name:"), this),
      m_face(this),
      m_styleLabel(tr("Sty&le:"), this),
      m_style(this),
      m_sizeLabel(tr("&Size:"), this),
      m_size(this),
      m_sizeUnit(QStringLiteral("px"), this),
      m_depthLabel(tr("&Bit Depth:"), this),
      m_depth(this),
      m_optionsButton(settings, kSection, this),
      m_options(this),
      m_optionsLayout(&m_options),
      m_enableAverage(tr("Specify the average width:"), &m_options),
      m_average(&m_options),
      m_averageUnit(QStringLiteral("px"), &m_options),
      m_softAntialias(tr("Soft Antialias"), &m_options),
      m_widthLabel(tr("&Width:"), &m_options),
      m_widthType(&m_options),
      m_fixedLabel(tr("Char width:"), &m_options),
      m_fixed(&m_options),
      m_fixedUnit(QStringLiteral("px"), &m_options),
      m_outline(tr("Outl&ine"), &m_options),
      m_outlineWidth(&m_options),
      m_outlineUnit(QStringLiteral("px"), &m_options),
      m_shadow(tr("Shadow mo&ved"), &m_options),
      m_shadowX(&m_options),
      m_shadowXUnit(tr("px right,"), &m_options),
      m_shadowY(&m_options),
      m_shadowYUnit(tr("px down"), &m_options),
      m_fallbackLabel(tr("Fallba&ck fonts:"), &m_options),
      m_fallbackFace(&m_options),
      m_addFallback(tr("Add"), &m_options),
      m_fallbacks(&m_options),
      m_removeFallback(tr("Remove"), &m_options),
      m_raiseFallback(tr("Up"), &m_options),
      m_lowerFallback(tr("Down"), &m_options) {
    m_face.setObjectName(QStringLiteral("inWinFace"));
    m_style.setObjectName(QStringLiteral("inWinStyle"));
    m_fallbackFace.setObjectName(QStringLiteral("inWinFallbackFace"));
    m_addFallback.setObjectName(QStringLiteral("inWinAddFallback"));
    m_fallbacks.setObjectName(QStringLiteral("inWinFallbacks"));
    m_removeFallback.setObjectName(QStringLiteral("inWinRemoveFallback"));
    m_raiseFallback.setObjectName(QStringLiteral("inWinRaiseFallback"));
    m_lowerFallback.setObjectName(QStringLiteral("inWinLowerFallback"));
    m_size.setObjectName(QStringLiteral("inWinSize"));
    m_depth.setObjectName(QStringLiteral("inWinDepth"));
    m_optionsButton.setObjectName(QStringLiteral("inWinOptions"));
    m_enableAverage.setObjectName(QStringLiteral("inWinEnableAverage"));
    m_average.setObjectName(QStringLiteral("inWinAverage"));
    m_softAntialias.setObjectName(QStringLiteral("inWinSoftAA"));
    m_widthType.setObjectName(QStringLiteral("inWinWidthType"));
    m_fixed.setObjectName(QStringLiteral("inWinFixed"));
    m_outline.setObjectName(QStringLiteral("inWinOutline"));
    m_outlineWidth.setObjectName(QStringLiteral("inWinOutlineWidth"));
    m_shadow.setObjectName(QStringLiteral("inWinShadow"));
    m_shadowX.setObjectName(QStringLiteral("inWinShadowX"));
    m_shadowY.setObjectName(QStringLiteral("inWinShadowY"));
    m_faceLabel.setBuddy(&m_face);
    m_styleLabel.setBuddy(&m_style);
    m_fallbackLabel.setBuddy(&m_fallbackFace);
    m_fallbackFace.setEditable(true);
    m_fallbacks.setMaximumHeight(m_fallbacks.fontMetrics().height() * 5);
    m_sizeLabel.setBuddy(&m_size);
    m_depthLabel.setBuddy(&m_depth);
    m_widthLabel.setBuddy(&m_widthType);
    m_size.setEditable(true);
    // As wide as a size takes, whatever sizes the face lists.
    m_size.setMinimumContentsLength(5);
    m_size.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_average.setEditable(true);
    m_face.setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_face.setMinimumContentsLength(20);
    m_face.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    // Two rows above the options and the fallback faces beside them, so the window with every
    // option unfolded keeps to the height of a small screen.
    AddFieldRow(m_layout, 0, m_faceLabel, m_face, 1);
    m_layout.addWidget(&m_styleLabel, 0, 2, Qt::AlignRight);
    m_layout.addWidget(&m_style, 0, 3);
    m_layout.addWidget(&m_sizeLabel, 1, 0);
    m_sizeRow.setContentsMargins(0, 0, 0, 0);
    for (QWidget* part : std::initializer_list<QWidget*>{&m_size, &m_sizeUnit}) {
        m_sizeRow.addWidget(part);
    }
    m_sizeRow.addSpacing(fontMetrics().height());
    for (QWidget* part : std::initializer_list<QWidget*>{&m_depthLabel, &m_depth}) {
        m_sizeRow.addWidget(part);
    }
    m_sizeRow.addStretch(1);
    m_layout.addLayout(&m_sizeRow, 1, 1);
    m_layout.addWidget(&m_optionsButton, 1, 2, 1, 2, Qt::AlignRight);
    m_layout.addWidget(&m_options, 2, 0, 1, 4);
    m_layout.setColumnStretch(2, 1);
    m_layout.setRowStretch(3, 1);
    AddFieldRow(m_optionsLayout, 0, m_enableAverage, m_average, 1, &m_averageUnit);
    m_optionsLayout.addWidget(&m_softAntialias, 0, 3);
    AddFieldRow(m_optionsLayout, 1, m_widthLabel, m_widthType, 3);
    AddFieldRow(m_optionsLayout, 2, m_fixedLabel, m_fixed, 1, &m_fixedUnit);
    // The effects under the width fields, beside the fallback list: the window grows no taller.
    m_outlineWidth.setRange(1, GlyphEffects::kMaxOutline);
    for (QSpinBox* offset : {&m_shadowX, &m_shadowY}) {
        offset->setRange(-GlyphEffects::kMaxShadowOffset, GlyphEffects::kMaxShadowOffset);
    }
    m_effectsRow.setContentsMargins(0, 0, 0, 0);
    for (QWidget* part :
         std::initializer_list<QWidget*>{&m_outline, &m_outlineWidth, &m_outlineUnit}) {
        m_effectsRow.addWidget(part);
    }
    m_effectsRow.addSpacing(fontMetrics().height());
    for (QWidget* part : std::initializer_list<QWidget*>{&m_shadow, &m_shadowX, &m_shadowXUnit,
                                                         &m_shadowY, &m_shadowYUnit}) {
        m_effectsRow.addWidget(part);
    }
    m_effectsRow.addStretch(1);
    m_optionsLayout.addLayout(&m_effectsRow, 3, 0, 1, 4);
    m_optionsLayout.setColumnMinimumWidth(4, fontMetrics().height());
    m_optionsLayout.setColumnStretch(4, 1);
    m_optionsLayout.addWidget(&m_fallbackLabel, 0, 5);
    m_optionsLayout.addWidget(&m_fallbackFace, 0, 6);
    m_optionsLayout.addWidget(&m_addFallback, 0, 7);
    m_optionsLayout.addWidget(&m_fallbacks, 1, 5, 3, 2);
    m_optionsLayout.addWidget(&m_removeFallback, 1, 7);
    m_optionsLayout.addWidget(&m_raiseFallback, 2, 7);
    m_optionsLayout.addWidget(&m_lowerFallback, 3, 7, Qt::AlignTop);

    for (const Gradation& gradation : kGradations) {
        m_depth.addItem(MessageText(gradation.message), QString::fromStdU16String(gradation.name));
    }
    for (int message = 330; message <= 333; ++message) {
        m_widthType.addItem(MessageText(message));
    }
    {
        const QSignalBlocker quiet(m_depth);
        const int stored =
            m_depth.findData(QString::fromStdU16String(settings.GetString(kSection, "bpp", u"I4")));
        m_depth.setCurrentIndex(stored >= 0 ? stored : kDefaultGradation);
    }
    connect(&m_depth, &QComboBox::currentIndexChanged, [this](int index) {
        if (index >= 0) {
            m_settings.SetString(kSection, "bpp", kGradations[index].name);
        }
        UpdateEffectsEnabled();
    });
    BindCheckBox(m_softAntialias, settings, kSection, "SoftAA", true);
    BindSelection(m_widthType, settings, kSection, "Width", 1);
    BindNumber(m_fixed, settings, kSection, "Fixed", 16);
    BindCheckBox(m_enableAverage, settings, kSection, "EnableAverageWidth", false);
    BindCheckBox(m_outline, settings, kSection, "Outline", false);
    BindSpinBox(m_outlineWidth, settings, kSection, "OutlineWidth", 1);
    BindCheckBox(m_shadow, settings, kSection, "Shadow", false);
    BindSpinBox(m_shadowX, settings, kSection, "ShadowX", 2);
    BindSpinBox(m_shadowY, settings, kSection, "ShadowY", 2);
    connect(&m_outline, &QCheckBox::toggled, [this] { UpdateEffectsEnabled(); });
    connect(&m_shadow, &QCheckBox::toggled, [this] { UpdateEffectsEnabled(); });
    UpdateEffectsEnabled();

    FillFaceNames();
    SelectStoredFace();
    FillSizeLists();
    FillStyles();
    connect(&m_style, &QComboBox::currentIndexChanged, [this](int index) {
        if (index >= 0) {
            m_settings.SetString(kSection, "Style", m_style.itemText(index).toStdU16String());
        }
    });
    for (const auto& [name, outline] : ListInstalledFaces()) {
        m_fallbackFace.addItem(QString::fromStdU16String(name));
    }
    m_fallbackFace.setCurrentIndex(-1);
    for (const QString& face :
         QString::fromStdU16String(m_settings.GetString(kSection, "Fallbacks", u""))
             .split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        m_fallbacks.addItem(face);
    }
    connect(&m_addFallback, &QPushButton::clicked, [this] { AddFallback(); });
    connect(&m_removeFallback, &QPushButton::clicked, [this] {
        delete m_fallbacks.currentItem();
        SaveFallbacks();
    });
    connect(&m_raiseFallback, &QPushButton::clicked, [this] { MoveFallback(-1); });
    connect(&m_lowerFallback, &QPushButton::clicked, [this] { MoveFallback(1); });
    BindNumber(*m_size.lineEdit(), settings, kSection, "Size", 16);
    BindNumber(*m_average.lineEdit(), settings, kSection, "AverageWidth", 16);
    connect(&m_face, &QComboBox::currentIndexChanged, [this](int index) {
        if (index >= 0 && m_face.itemData(index, kAddFontFileRole).toBool()) {
            BrowseFontFile();
        } else if (index >= 0) {
            m_lastFace = index;
            m_settings.SetString(kSection, "Name", m_face.itemText(index).toStdU16String());
            FillSizeLists();
            FillStyles();
        }
    });

    connect(&m_enableAverage, &QCheckBox::toggled, &m_average, &QWidget::setEnabled);
    m_average.setEnabled(m_enableAverage.isChecked());
    connect(&m_widthType, &QComboBox::currentIndexChanged, [this] { UpdateFixedEnabled(); });
    UpdateFixedEnabled();

    m_options.setVisible(m_optionsButton.isChecked());
    connect(&m_optionsButton, &QToolButton::toggled, &m_options, &QWidget::setVisible);
}

void CInWinDlg::FillFaceNames() {
    const QSignalBlocker quiet(m_face);
    const QStringList known = QFontDatabase::families();
    for (const auto& [name, outline] : ListInstalledFaces()) {
        const QString face = QString::fromStdU16String(name);
        m_face.addItem(face);
        QFont font(face);
        if (known.contains(face) && CanDrawOwnName(font, face)) {
            m_face.setItemData(m_face.count() - 1, font, Qt::FontRole);
        }
    }
    m_face.addItem(tr("Add font file..."));
    m_face.setItemData(m_face.count() - 1, true, kAddFontFileRole);
    m_facesFilled = true;
}

void CInWinDlg::AddFontFile(const QString& path) {
    int index = m_face.findText(path, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        const QSignalBlocker quiet(m_face);
        index = m_face.count() - 1;
        m_face.insertItem(index, path);
    }
    m_face.setCurrentIndex(index);
}

void CInWinDlg::BrowseFontFile() {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Select Font File"), QString(),
                                     tr("Font files (*.ttf *.otf *.ttc *.otc);;all files (*)"));
    if (!path.isEmpty()) {
        AddFontFile(path);
        return;
    }
    const QSignalBlocker quiet(m_face);
    m_face.setCurrentIndex(m_lastFace);
}

void CInWinDlg::SelectStoredFace() {
    const QSignalBlocker quiet(m_face);
    const std::u16string stored = m_settings.GetString(kSection, "Name", u"Tahoma");
    int index = m_face.findText(QString::fromStdU16String(stored),
                                Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0 && FontFileReference(stored)) {
        index = m_face.count() - 1;
        m_face.insertItem(index, QString::fromStdU16String(stored));
    }
    if (index < 0) {
        index = m_face.findText(QStringLiteral("DejaVu Sans"),
                                Qt::MatchExactly | Qt::MatchCaseSensitive);
    }
    m_face.setCurrentIndex(index < 0 && m_face.count() > 0 ? 0 : index);
    m_lastFace = m_face.currentIndex();
}

void CInWinDlg::FillSizeLists() {
    // The sizes the face offers: its bitmap sizes, or the usual steps for a scalable face.
    const QString face = m_face.currentText();
    QList<int> sizes = QFontDatabase::smoothSizes(face, QString());
    if (sizes.isEmpty()) {
        sizes = QFontDatabase::standardSizes();
    }
    const std::set<int> distinct(sizes.begin(), sizes.end());
    for (QComboBox* list : {&m_size, &m_average}) {
        const QSignalBlocker quiet(list);
        const QString text = list->currentText();
        list->clear();
        for (const int size : distinct) {
            list->addItem(QString::number(size));
        }
        list->setEditText(text);
    }
}

void CInWinDlg::FillStyles() {
    const QSignalBlocker quiet(m_style);
    m_style.clear();
    const std::u16string family = m_face.currentText().toStdU16String();
    // A font file is one face already.
    if (!FontFileReference(family)) {
        for (const std::u16string& style : StylesOfFamily(family)) {
            m_style.addItem(QString::fromStdU16String(style));
        }
    }
    const int stored =
        m_style.findText(QString::fromStdU16String(m_settings.GetString(kSection, "Style", u"")),
                         Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_style.setCurrentIndex(stored >= 0 ? stored : (m_style.count() > 0 ? 0 : -1));
    m_style.setEnabled(m_style.count() > 1);
}

std::u16string CInWinDlg::ChosenFaceName() const {
    const std::u16string face = m_face.currentText().toStdU16String();
    // The regular style comes first; the family name alone picks it, as it always has.
    if (m_style.currentIndex() <= 0) {
        return face;
    }
    return face + u":" + m_style.currentText().toStdU16String();
}

void CInWinDlg::AddFallback() {
    const QString face = m_fallbackFace.currentText().trimmed();
    if (!face.isEmpty() && m_fallbacks.findItems(face, Qt::MatchExactly).isEmpty()) {
        m_fallbacks.addItem(face);
        m_fallbacks.setCurrentRow(m_fallbacks.count() - 1);
        SaveFallbacks();
    }
}

void CInWinDlg::MoveFallback(int step) {
    const int row = m_fallbacks.currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_fallbacks.count()) {
        return;
    }
    m_fallbacks.insertItem(target, m_fallbacks.takeItem(row));
    m_fallbacks.setCurrentRow(target);
    SaveFallbacks();
}

void CInWinDlg::SaveFallbacks() {
    QStringList faces;
    for (int row = 0; row < m_fallbacks.count(); ++row) {
        faces.append(m_fallbacks.item(row)->text());
    }
    m_settings.SetString(kSection, "Fallbacks", faces.join(QLatin1Char('\n')).toStdU16String());
}

void CInWinDlg::UpdateFixedEnabled() {
    const bool fixed = m_widthType.currentIndex() == kWidthTypeFixed;
    m_fixed.setEnabled(fixed);
    m_fixedLabel.setEnabled(fixed);
}

void CInWinDlg::UpdateEffectsEnabled() {
    const bool alpha = kGradations[std::max(m_depth.currentIndex(), 0)].alpha;
    const QString why =
        alpha ? QString() : tr("Outlines and shadows need a gradation with alpha (IA).");
    for (QCheckBox* box : {&m_outline, &m_shadow}) {
        box->setEnabled(alpha);
        box->setToolTip(why);
    }
    const bool outline = alpha && m_outline.isChecked();
    const bool shadow = alpha && m_shadow.isChecked();
    for (QWidget* part : std::initializer_list<QWidget*>{&m_outlineWidth, &m_outlineUnit}) {
        part->setEnabled(outline);
    }
    for (QWidget* part :
         std::initializer_list<QWidget*>{&m_shadowX, &m_shadowXUnit, &m_shadowY, &m_shadowYUnit}) {
        part->setEnabled(shadow);
    }
}

CWinFontReader::Settings CInWinDlg::GetReaderArguments() const {
    if (!m_facesFilled) {
        TL_THROW(kErrInputValue, 272);
    }
    const Gradation& gradation = kGradations[std::max(m_depth.currentIndex(), 0)];
    CWinFontReader::Settings arguments;
    arguments.faceName = ChosenFaceName();
    for (int row = 0; row < m_fallbacks.count(); ++row) {
        arguments.fallbackFaces.push_back(m_fallbacks.item(row)->text().toStdU16String());
    }
    arguments.size = NumberOf(m_size.currentText());
    arguments.averageWidth = m_enableAverage.isChecked() ? NumberOf(m_average.currentText()) : 0;
    arguments.bitDepth = gradation.bitDepth;
    arguments.alpha = gradation.alpha;
    arguments.widthType =
        static_cast<CLetterer::WidthType>(std::max(m_widthType.currentIndex(), 0));
    arguments.fixedWidth = NumberOf(m_fixed.text());
    arguments.softAntialias = m_softAntialias.isChecked();
    // Effects count only where they are offered.
    if (gradation.alpha && m_outline.isChecked()) {
        arguments.effects.outline = m_outlineWidth.value();
    }
    if (gradation.alpha && m_shadow.isChecked()) {
        arguments.effects.shadow = GlyphEffects::Offset{m_shadowX.value(), m_shadowY.value()};
    }
    return arguments;
}

std::unique_ptr<CFontReader> CInWinDlg::GetFontReader() {
    return std::make_unique<CWinFontReader>(GetReaderArguments());
}

void CInWinDlg::AddCommandArguments(CCommandLine& line) const {
    const CWinFontReader::Settings arguments = GetReaderArguments();
    line.Add(u"-i", u"win");
    line.Add(u"-in", arguments.faceName);
    for (const std::u16string& face : arguments.fallbackFaces) {
        line.Add(u"-inf", face);
    }
    line.AddNumber(u"-is", arguments.size);
    if (arguments.averageWidth != 0) {
        line.AddNumber(u"-isw", arguments.averageWidth);
    }
    // The console names a depth by its number of bits: I1, I4, I6, and IA for alpha.
    line.Add(u"-ic", (arguments.alpha ? u"IA" : u"I") +
                         QString::number(arguments.bitDepth).toStdU16String());
    if (arguments.softAntialias) {
        line.Add(u"-ia");
    }
    line.Add(u"-it", kWidthTypeKeywords[arguments.widthType]);
    if (arguments.widthType == CLetterer::kWidthFixed) {
        line.AddNumber(u"-iw", arguments.fixedWidth);
    }
    if (arguments.effects.outline) {
        line.AddNumber(u"-ieo", *arguments.effects.outline);
    }
    if (const auto& shadow = arguments.effects.shadow) {
        line.AddSigned(u"-ies",
                       QStringLiteral("%1,%2").arg(shadow->x).arg(shadow->y).toStdU16String());
    }
}
