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
    void AddCommandArguments(CCommandLine& line) const override;
    QString SourceName() const override { return NameWithoutFolder(Path()); }
    void AddPathToHistory() override { m_path.History().AddCurrentPath(); }
    std::u16string Path() const { return m_path.History().Text(); }
    QComboBox& PathCombo() { return m_path.Field(); }
    void DropFile(const std::u16string& path) override { m_path.History().DropPath(path); }

private:
    QGridLayout m_layout;
    CPathField m_path;
};
