#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "gui/InDlg.h"
#include "gui/OrderCombo.h"
#include "gui/PathField.h"
#include "readers/ImageFontReader.h"

// The image font source: picture, letter order, colour format and the TX_LINEAR assist.
class CInImageDlg : public CInDlg {
    Q_OBJECT

public:
    CInImageDlg(CSettingsFile& settings, QWidget* parent);

    std::unique_ptr<CFontReader> GetFontReader() override;
    // The reader's settings from the controls; throws while the letter orders are not listed
    // or when none is selected.
    CImageFontReader::Settings GetReaderArguments() const;
    void AddCommandArguments(CCommandLine& line) const override;
    QString SourceName() const override { return NameWithoutFolder(m_path.History().Text()); }
    void AddPathToHistory() override { m_path.History().AddCurrentPath(); }
    void DropFile(const std::u16string& path) override { m_path.History().DropPath(path); }
    void SetOrderFiles(const std::vector<XmlFileInfo>& files) override { m_order.SetFiles(files); }

private:
    void UpdateAssistEnabled();

    QGridLayout m_layout;
    CPathField m_path;
    COrderCombo m_order;
    QLabel m_formatLabel;
    QComboBox m_format;
    QCheckBox m_assist;
};
