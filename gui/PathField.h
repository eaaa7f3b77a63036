#pragma once

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <optional>

#include "gui/PathHistoryManager.h"

class QGridLayout;

// A file path row of a page: its label, the editable path offering the recent paths, and the
// "Select file" button. The history is loaded and the last text restored at once.
class CPathField {
    Q_DECLARE_TR_FUNCTIONS(CPathField)

public:
    // `label` is translated in this class's context (mark it with QT_TRANSLATE_NOOP); a field
    // without one is led by a widget of the caller's. See CPathHistoryManager for the rest.
    CPathField(CSettingsFile& settings, const char* section, const char* label, const char* filter,
               QString defaultExtension, CPathHistoryManager::Mode mode, QWidget* parent);

    QComboBox& Field() { return m_path; }
    QPushButton& Button() { return m_browse; }
    CPathHistoryManager& History() { return m_history; }
    const CPathHistoryManager& History() const { return m_history; }
    // Into `grid` as a row (see AddFieldRow), led by `lead` or else by the field's own label.
    void Place(QGridLayout& grid, int row, int span, QWidget* lead = nullptr);

private:
    std::optional<QLabel> m_label;
    QComboBox m_path;
    QPushButton m_browse;
    CPathHistoryManager m_history;
};
