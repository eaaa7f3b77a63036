#include "gui/OutBmFontDlg.h"

#include "gui/CommandLine.h"
#include "gui/FieldRow.h"
#include "gui/SettingBinding.h"

namespace {
constexpr const char* kSection = "OutBmFont";
}  // namespace

COutBmFontDlg::COutBmFontDlg(CSettingsFile& settings, QWidget* parent)
    : COutDlg(settings, parent),
      m_layout(this),
      m_path(settings, "OutBmFontPath", QT_TRANSLATE_NOOP("CPathField", "&Output file:"),
             kBmFontFileFilter, QStringLiteral("fnt"), CPathHistoryManager::Mode::kSave, this),
      m_formLabel(tr("&Descriptor form:"), this),
      m_form(this) {
    m_path.Field().setObjectName(QStringLiteral("outBmFontPath"));
    m_form.setObjectName(QStringLiteral("outBmFontForm"));
    m_formLabel.setBuddy(&m_form);

    m_path.Place(m_layout, 0, 2);
    AddFieldRow(m_layout, 1, m_formLabel, m_form, 1);
    m_layout.setColumnStretch(2, 1);
    m_layout.setRowStretch(2, 1);

    // In BmFontForm order.
    m_form.addItem(tr("Text"));
    m_form.addItem(QStringLiteral("XML"));
    m_form.addItem(tr("Binary"));
    BindSelection(m_form, settings, kSection, "Form", 0);
}

CBmFontWriter::Settings COutBmFontDlg::GetWriterArguments() const {
    return {m_path.History().Text(), static_cast<BmFontForm>(std::max(m_form.currentIndex(), 0))};
}

std::unique_ptr<CFontWriter> COutBmFontDlg::GetFontWriter() {
    CBmFontWriter::Settings settings = GetWriterArguments();
    ConfirmOverwrite(settings.outputPath);
    return std::make_unique<CBmFontWriter>(std::move(settings));
}

std::unique_ptr<CFontWriter> COutBmFontDlg::GetPreviewWriter() const {
    return std::make_unique<CBmFontWriter>(GetWriterArguments());
}

void COutBmFontDlg::AddCommandArguments(CCommandLine& line) const {
    const CBmFontWriter::Settings arguments = GetWriterArguments();
    line.Add(u"-o", u"fnt");
    line.AddPath(u"-of", arguments.outputPath);
    if (arguments.form == BmFontForm::kXml) {
        line.Add(u"-ofx");
    } else if (arguments.form == BmFontForm::kBinary) {
        line.Add(u"-ofb");
    }
}
