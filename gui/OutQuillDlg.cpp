#include "gui/OutQuillDlg.h"

#include <QSignalBlocker>

#include "base/GlobalException.h"
#include "base/ResString.h"
#include "base/Text.h"
#include "gui/CommandLine.h"
#include "gui/FieldMark.h"
#include "gui/FieldRow.h"
#include "gui/MessageText.h"
#include "gui/SettingBinding.h"
#include "gui/SettingsFile.h"
#include "platform/FileSystem.h"
#include "writers/QuillFontWriter.h"

namespace {
constexpr const char* kSection = "OutQuill";

// The encodings in encoding number order, as listed and stored.
constexpr const char16_t* kEncodingNames[] = {u"UTF-8", u"UTF-16", u"Shift_JIS",
                                              u"CodePage 1252 (ISO 8859-1)"};
// The same as the console names them.
constexpr const char16_t* kEncodingKeywords[] = {u"utf8", u"utf16", u"sjis", u"cp1252"};
constexpr int kSheetItems = 8;  // "auto", then 16 to 1024 KPixels

// The path with a .bofnt or .bofna ending (any case) replaced by `extension`; other paths
// are kept as typed.
std::u16string WithFontExtension(const std::u16string& path, std::u16string_view extension) {
    const std::u16string current = ToLowerAscii(fs::SplitPath(path).extension);
    if (current != u".bofnt" && current != u".bofna") {
        return path;
    }
    return path.substr(0, path.size() - current.size()) + std::u16string(extension);
}
}  // namespace

COutQuillDlg::DefaultField::DefaultField(const QString& text, QWidget* parent)
    : label(text, parent), edit(parent), useDefault(COutQuillDlg::tr("Use default"), parent) {
    label.setBuddy(&edit);
}

COutQuillDlg::COutQuillDlg(CSettingsFile& settings, QWidget* parent)
    : COutDlg(settings, parent),
      m_layout(this),
      m_path(settings, "OutQuillPath", QT_TRANSLATE_NOOP("CPathField", "&Output file:"),
             kFontFileFilter, QStringLiteral("bofnt"), CPathHistoryManager::Mode::kSave, this),
      m_encodingLabel(tr("&Encoding:"), this),
      m_encoding(this),
      m_group(settings, COrderCombo::Kind::kGlyphGroups, kSection, "Group", u"", this),
      m_sheetLabel(tr("S&heet Size:"), this),
      m_sheet(this),
      m_options(this),
      m_optionsLayout(&m_options),
      m_alterChar(tr("Subs&titute character:"), &m_options),
      m_lineHeight(tr("Li&ne feed width:"), &m_options),
      m_defaultLeft(tr("&Default left space width:"), &m_options),
      m_defaultWidth(tr("Default gl&yph width:"), &m_options),
      m_defaultRight(tr("Default right sp&ace width:"), &m_options) {
    m_path.Field().setObjectName(QStringLiteral("outQuillPath"));
    m_encoding.setObjectName(QStringLiteral("outQuillEncoding"));
    m_group.setObjectName(QStringLiteral("outQuillGroup"));
    m_sheet.setObjectName(QStringLiteral("outQuillSheet"));
    m_alterChar.edit.setObjectName(QStringLiteral("outQuillAlterChar"));
    m_alterChar.useDefault.setObjectName(QStringLiteral("outQuillAlterCharUseDef"));
    m_lineHeight.edit.setObjectName(QStringLiteral("outQuillLineHeight"));
    m_lineHeight.useDefault.setObjectName(QStringLiteral("outQuillLineHeightUseDef"));
    m_defaultLeft.edit.setObjectName(QStringLiteral("outQuillDefaultLeft"));
    m_defaultLeft.useDefault.setObjectName(QStringLiteral("outQuillDefaultLeftUseDef"));
    m_defaultWidth.edit.setObjectName(QStringLiteral("outQuillDefaultWidth"));
    m_defaultWidth.useDefault.setObjectName(QStringLiteral("outQuillDefaultWidthUseDef"));
    m_defaultRight.edit.setObjectName(QStringLiteral("outQuillDefaultRight"));
    m_defaultRight.useDefault.setObjectName(QStringLiteral("outQuillDefaultRightUseDef"));
    m_encodingLabel.setBuddy(&m_encoding);
    m_sheetLabel.setBuddy(&m_sheet);

    m_path.Place(m_layout, 0, 2);
    AddFieldRow(m_layout, 1, m_encodingLabel, m_encoding, 1);
    m_group.Place(m_layout, 2, 2);
    AddFieldRow(m_layout, 3, m_sheetLabel, m_sheet, 1);
    m_layout.addWidget(&m_options, 4, 0, 1, 4);
    m_layout.setColumnStretch(2, 1);
    m_layout.setRowStretch(5, 1);
    // Two fields a row, each with its label and "Use default" box.
    int place = 0;
    for (DefaultField* field :
         {&m_alterChar, &m_lineHeight, &m_defaultLeft, &m_defaultWidth, &m_defaultRight}) {
        const int column = (place % 2) * 4;
        m_optionsLayout.addWidget(&field->label, place / 2, column);
        m_optionsLayout.addWidget(&field->edit, place / 2, column + 1);
        m_optionsLayout.addWidget(&field->useDefault, place / 2, column + 2);
        ++place;
    }
    m_optionsLayout.setColumnMinimumWidth(3, 12);
    m_optionsLayout.setColumnStretch(7, 1);

    for (const char16_t* name : kEncodingNames) {
        m_encoding.addItem(QString::fromStdU16String(name));
    }
    {
        const QSignalBlocker quiet(m_encoding);
        m_encoding.setCurrentIndex(m_encoding.findText(
            QString::fromStdU16String(settings.GetString(kSection, "Encoding", u"UTF-16"))));
    }
    connect(&m_encoding, &QComboBox::currentIndexChanged, [this](int index) {
        if (index >= 0) {
            m_settings.SetString(kSection, "Encoding", kEncodingNames[index]);
        }
    });
    m_group.SetLeadingItem(MessageText(269));
    for (int item = 0; item < kSheetItems; ++item) {
        m_sheet.addItem(MessageText(350 + item));
    }
    BindSelection(m_sheet, settings, kSection, "SheetPixels", 0);

    m_alterChar.edit.setMaxLength(1);
    BindText(m_alterChar.edit, settings, kSection, "AlterChar", u"");
    BindCheckBox(m_alterChar.useDefault, settings, kSection, "AlterCharUseDef", true);
    m_alterChar.edit.setEnabled(!m_alterChar.useDefault.isChecked());
    connect(&m_alterChar.useDefault, &QCheckBox::toggled,
            [this](bool checked) { m_alterChar.edit.setEnabled(!checked); });
    BindDefaultField(m_lineHeight, "LineHeight", "LineHeightUseDef", 16);
    BindDefaultField(m_defaultLeft, "DefaultLeft", "DefaultLeftUseDef", 0);
    for (DefaultField* field : {&m_lineHeight, &m_defaultLeft}) {
        connect(&field->edit, &QLineEdit::textChanged, [this] { MarkRanges(); });
        connect(&field->useDefault, &QCheckBox::toggled, [this] { MarkRanges(); });
    }
    MarkRanges();
    BindDefaultField(m_defaultWidth, "DefaultWidth", "DefaultWidthUseDef", 16);
    BindDefaultField(m_defaultRight, "DefaultRight", "DefaultRightUseDef", 0);
}

void COutQuillDlg::BindDefaultField(DefaultField& field, const char* key, const char* useDefaultKey,
                                    int32_t defaultValue) {
    BindNumber(field.edit, m_settings, kSection, key, defaultValue);
    BindCheckBox(field.useDefault, m_settings, kSection, useDefaultKey, true);
    field.edit.setEnabled(!field.useDefault.isChecked());
    connect(&field.useDefault, &QCheckBox::toggled,
            [&field](bool checked) { field.edit.setEnabled(!checked); });
}

void COutQuillDlg::MarkRanges() {
    // The ranges the writer checks before it starts; the font decides the others.
    struct Range {
        DefaultField& field;
        int message;
        int32_t lowest;
        int32_t highest;
    };
    const Range ranges[] = {{m_lineHeight, 173, 0, 255}, {m_defaultLeft, 170, -128, 127}};
    for (const Range& r : ranges) {
        const int32_t value = ValueOf(r.field);
        const bool outside =
            value != CQuillFontWriter::kNotGiven && (value < r.lowest || value > r.highest);
        MarkField(r.field.edit, outside ? QString::fromStdU16String(FormatResString(
                                              r.message, {value, r.lowest, r.highest}))
                                        : QString());
    }
}

int32_t COutQuillDlg::ValueOf(const DefaultField& field) {
    return field.useDefault.isChecked() ? CQuillFontWriter::kNotGiven : NumberOf(field.edit.text());
}

uint16_t COutQuillDlg::GetAlterChar(int32_t encoding) const {
    if (m_alterChar.useDefault.isChecked()) {
        return CQuillFontWriter::kNotGiven;
    }
    const QString text = m_alterChar.edit.text();
    // An empty box gives code 0, which the writer refuses with its own message.
    const char16_t ch = text.isEmpty() ? u'\0' : static_cast<char16_t>(text.front().unicode());
    if (encoding < 0) {
        TL_THROW(kErrInputValue, 113);
    }
    return ch == u'\0' ? ch : CFontEncoding(encoding).SubstituteFromCharacter(ch);
}

CQuillFontWriter::Settings COutQuillDlg::GetWriterArguments() const {
    if (!m_group.HasFiles()) {
        TL_THROW(kErrInputValue, 272);
    }
    CQuillFontWriter::Settings arguments;
    if (m_encoding.currentIndex() < 0) {
        TL_THROW(kErrInputValue, 113);
    }
    arguments.encoding = static_cast<CharEncoding>(m_encoding.currentIndex());
    if (m_group.currentIndex() < 0) {
        TL_THROW(kErrInputValue, 140);
    }
    arguments.groupsPath = m_group.SelectedPath();
    const int sheet = m_sheet.currentIndex();
    if (sheet == 0) {
        arguments.sheetPixels = 0;
    } else if (sheet >= 1 && sheet <= 7) {
        arguments.sheetPixels = 1 << (sheet + 13);
    } else {
        TL_THROW(kErrInternal, 270, -1);
    }
    arguments.alternateChar = GetAlterChar(arguments.encoding);
    arguments.lineFeed = ValueOf(m_lineHeight);
    arguments.defaultLeft = ValueOf(m_defaultLeft);
    arguments.defaultWidth = ValueOf(m_defaultWidth);
    arguments.defaultRight = ValueOf(m_defaultRight);
    arguments.outputPath = WithFontExtension(m_path.History().Text(),
                                             arguments.groupsPath.empty() ? u".bofnt" : u".bofna");
    return arguments;
}

std::unique_ptr<CFontWriter> COutQuillDlg::GetFontWriter() {
    CQuillFontWriter::Settings settings = GetWriterArguments();
    m_path.History().SetText(settings.outputPath);
    ConfirmOverwrite(settings.outputPath);
    return std::make_unique<CQuillFontWriter>(std::move(settings));
}

std::unique_ptr<CFontWriter> COutQuillDlg::GetPreviewWriter() const {
    return std::make_unique<CQuillFontWriter>(GetWriterArguments());
}

void COutQuillDlg::AddCommandArguments(CCommandLine& line) const {
    const CQuillFontWriter::Settings arguments = GetWriterArguments();
    line.Add(u"-o", u"bofnt");
    line.AddPath(u"-of", arguments.outputPath);
    line.Add(u"-oe", kEncodingKeywords[arguments.encoding]);
    if (!arguments.groupsPath.empty()) {
        line.AddPath(u"-op", arguments.groupsPath);
    }
    if (arguments.sheetPixels != 0) {
        line.AddNumber(u"-os", arguments.sheetPixels / 1024);
    }
    if (arguments.alternateChar != CQuillFontWriter::kNotGiven) {
        // One character stands for itself; a hyphen, which would read as an option, and the
        // empty box's code 0 go by their codes, the same in every output encoding.
        const char16_t ch = static_cast<char16_t>(arguments.alternateChar);
        line.Add(u"-oa",
                 ch == u'-' || ch == u'\0'
                     ? QStringLiteral("0x%1").arg(static_cast<int>(ch), 0, 16).toStdU16String()
                     : std::u16string(1, ch));
    }
    const std::pair<const char16_t*, int32_t> widths[] = {{u"-oh", arguments.lineFeed},
                                                          {u"-ol", arguments.defaultLeft},
                                                          {u"-ow", arguments.defaultWidth},
                                                          {u"-or", arguments.defaultRight}};
    for (const auto& [option, value] : widths) {
        if (value != CQuillFontWriter::kNotGiven) {
            line.AddNumber(option, value);
        }
    }
}
