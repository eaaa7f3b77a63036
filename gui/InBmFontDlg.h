#pragma once

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "gui/InDlg.h"
#include "gui/PathField.h"
#include "readers/BmFontReader.h"

// The AngelCode BMFont source: the descriptor (its pages beside it) and the colour format the
// glyphs take on. The descriptor says which character each glyph is, so there is no letter
// order; the main window's filter applies as to every source.
class CInBmFontDlg : public CInDlg {
    Q_OBJECT

public:
    CInBmFontDlg(CSettingsFile& settings, QWidget* parent);

    std::unique_ptr<CFontReader> GetFontReader() override;
    void AddCommandArguments(CCommandLine& line) const override;
    QString SourceName() const override { return NameWithoutFolder(m_path.History().Text()); }
    CBmFontReader::Settings GetReaderArguments() const;
    void AddPathToHistory() override { m_path.History().AddCurrentPath(); }
    void DropFile(const std::u16string& path) override { m_path.History().DropPath(path); }

private:
    QGridLayout m_layout;
    CPathField m_path;
    QLabel m_formatLabel;
    QComboBox m_format;
};
