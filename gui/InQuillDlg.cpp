#include "gui/InQuillDlg.h"

#include "readers/QuillFontReader.h"

CInQuillDlg::CInQuillDlg(CSettingsFile& settings, QWidget* parent)
    : CInDlg(settings, parent),
      m_layout(this),
      m_pathLabel(tr("&Input file:"), this),
      m_path(this),
      m_browse(tr("&Select file"), this),
      m_history(settings, "InQuillPath", m_path, m_browse, kFontFileFilter, QStringLiteral("bofnt"),
                CPathHistoryManager::Mode::kOpen) {
    m_path.setObjectName(QStringLiteral("inQuillPath"));
    m_pathLabel.setBuddy(&m_path);
    m_path.setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_layout.addWidget(&m_pathLabel, 0, 0);
    m_layout.addWidget(&m_path, 0, 1);
    m_layout.addWidget(&m_browse, 0, 2);
    m_layout.setRowStretch(1, 1);
    m_history.LoadPathHistory();
    m_history.RestorePath();
}

std::unique_ptr<CFontReader> CInQuillDlg::GetFontReader() {
    return std::make_unique<CQuillFontReader>(CQuillFontReader::Settings{m_history.Text()});
}
