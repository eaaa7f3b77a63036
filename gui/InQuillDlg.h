#pragma once

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "gui/InDlg.h"
#include "gui/PathHistoryManager.h"

// The binary font source: one .bofnt or .bofna file.
class CInQuillDlg : public CInDlg {
    Q_OBJECT

public:
    CInQuillDlg(CSettingsFile& settings, QWidget* parent);

    std::unique_ptr<CFontReader> GetFontReader() override;
    void AddPathToHistory() override { m_history.AddCurrentPath(); }
    std::u16string Path() const { return m_history.Text(); }
    void DropFile(const std::u16string& path) override { m_history.DropPath(path); }

private:
    QGridLayout m_layout;
    QLabel m_pathLabel;
    QComboBox m_path;
    QPushButton m_browse;
    CPathHistoryManager m_history;
};
