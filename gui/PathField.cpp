#include "gui/PathField.h"

#include <QGridLayout>

#include "gui/FieldRow.h"

CPathField::CPathField(CSettingsFile& settings, const char* section, const char* label,
                       const char* filter, QString defaultExtension, CPathHistoryManager::Mode mode,
                       QWidget* parent)
    : m_path(parent),
      m_browse(tr("Select file"), parent),
      m_history(settings, section, m_path, m_browse, filter, std::move(defaultExtension), mode) {
    if (label != nullptr) {
        m_label.emplace(tr(label), parent);
        m_label->setBuddy(&m_path);
    }
    m_path.setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_history.LoadPathHistory();
    m_history.RestorePath();
}

void CPathField::Place(QGridLayout& grid, int row, int span, QWidget* lead) {
    AddFieldRow(grid, row, lead != nullptr ? *lead : *m_label, m_path, span, &m_browse);
}
