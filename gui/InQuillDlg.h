#pragma once

#include <QGridLayout>

#include "gui/InDlg.h"
#include "gui/PathField.h"

// The binary font source: one .bofnt or .bofna file.
class CInQuillDlg : public CInDlg {
    Q_OBJECT

public:
    CInQuillDlg(CSettingsFile& settings, QWidget* parent);

    std::unique_ptr<CFontReader> GetFontReader() override;
    void AddPathToHistory() override { m_path.History().AddCurrentPath(); }
    std::u16string Path() const { return m_path.History().Text(); }
    void DropFile(const std::u16string& path) override { m_path.History().DropPath(path); }

private:
    QGridLayout m_layout;
    CPathField m_path;
};
