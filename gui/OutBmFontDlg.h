#pragma once

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "gui/OutDlg.h"
#include "gui/PathField.h"
#include "writers/BmFontWriter.h"

// The AngelCode BMFont target: the descriptor file and its form (text, XML or binary); the PNG
// pages are written beside it.
class COutBmFontDlg : public COutDlg {
    Q_OBJECT

public:
    COutBmFontDlg(CSettingsFile& settings, QWidget* parent);

    std::unique_ptr<CFontWriter> GetFontWriter() override;
    std::unique_ptr<CFontWriter> GetPreviewWriter() const override;
    CBmFontWriter::Settings GetWriterArguments() const;
    void AddCommandArguments(CCommandLine& line) const override;
    void AddPathToHistory() override { m_path.History().AddCurrentPath(); }
    void DropFile(const std::u16string& path) override { m_path.History().DropPath(path); }
    // All its fields are always shown.
    void SetOptionsShown(bool) override {}
    bool HasOptions() const override { return false; }

private:
    QGridLayout m_layout;
    CPathField m_path;
    QLabel m_formLabel;
    QComboBox m_form;
};
