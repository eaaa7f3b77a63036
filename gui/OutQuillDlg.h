#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "gui/OrderCombo.h"
#include "gui/OutDlg.h"
#include "gui/PathField.h"
#include "writers/QuillFontWriter.h"

// The binary font target: file, encoding, glyph groups, sheet size and the default widths.
class COutQuillDlg : public COutDlg {
    Q_OBJECT

public:
    COutQuillDlg(CSettingsFile& settings, QWidget* parent);

    std::unique_ptr<CFontWriter> GetFontWriter() override;
    std::unique_ptr<CFontWriter> GetPreviewWriter() const override;
    // The writer's settings from the controls, with the path's extension settled (.bofnt for a
    // normal font, .bofna with glyph groups); the field itself is not changed.
    CQuillFontWriter::Settings GetWriterArguments() const;
    void AddCommandArguments(CCommandLine& line) const override;
    void AddPathToHistory() override { m_path.History().AddCurrentPath(); }
    void DropFile(const std::u16string& path) override { m_path.History().DropPath(path); }
    void SetGroupFiles(const std::vector<XmlFileInfo>& files) override { m_group.SetFiles(files); }
    void SetOptionsShown(bool shown) override { m_options.setVisible(shown); }

private:
    // One number with its "Use default" box; a checked box gives the writer "not given".
    struct DefaultField {
        QLabel label;
        QLineEdit edit;
        QCheckBox useDefault;
        DefaultField(const QString& text, QWidget* parent);
    };
    void BindDefaultField(DefaultField& field, const char* key, const char* useDefaultKey,
                          int32_t defaultValue);
    static int32_t ValueOf(const DefaultField& field);
    // Marks a line feed or default left space that the writer would refuse.
    void MarkRanges();
    uint16_t GetAlterChar(int32_t encoding) const;

    QGridLayout m_layout;
    CPathField m_path;
    QLabel m_encodingLabel;
    QComboBox m_encoding;
    COrderCombo m_group;
    QLabel m_sheetLabel;
    QComboBox m_sheet;
    QGroupBox m_options;
    QGridLayout m_optionsLayout;
    DefaultField m_alterChar;
    DefaultField m_lineHeight;
    DefaultField m_defaultLeft;
    DefaultField m_defaultWidth;
    DefaultField m_defaultRight;
};
