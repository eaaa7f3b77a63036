#include "gui/InQuillDlg.h"

#include "gui/CommandLine.h"
#include "readers/QuillFontReader.h"

CInQuillDlg::CInQuillDlg(CSettingsFile& settings, QWidget* parent)
    : CInDlg(settings, parent),
      m_layout(this),
      m_path(settings, "InQuillPath", QT_TRANSLATE_NOOP("CPathField", "&Input file:"),
             kFontFileFilter, QStringLiteral("bofnt"), CPathHistoryManager::Mode::kOpen, this) {
    m_path.Field().setObjectName(QStringLiteral("inQuillPath"));
    m_path.Place(m_layout, 0, 1);
    m_layout.setRowStretch(1, 1);
}

std::unique_ptr<CFontReader> CInQuillDlg::GetFontReader() {
    return std::make_unique<CQuillFontReader>(CQuillFontReader::Settings{m_path.History().Text()});
}

void CInQuillDlg::AddCommandArguments(CCommandLine& line) const {
    line.Add(u"-i", u"bofnt");
    line.AddPath(u"-if", Path());
}
