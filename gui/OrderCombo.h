#pragma once

#include <QComboBox>
#include <string>
#include <vector>

#include "xml/VsxXmlFile.h"

class CSettingsFile;

// A list of definition files found by a folder scan: each item shows the file's title and
// name and carries its full path; the chosen file's name is kept in the settings.
class COrderCombo : public QComboBox {
    Q_OBJECT

public:
    COrderCombo(CSettingsFile& settings, const char* section, const char* key,
                std::u16string defaultName, QWidget* parent);

    // Lists the files after the leading item (if any) and selects the
    // stored name; nothing is selected when that file is not among them.
    void SetFiles(const std::vector<XmlFileInfo>& files);
    bool HasFiles() const { return m_filled; }
    // The full path of the selected file; empty for a fixed item or no selection.
    std::u16string SelectedPath() const;
    // A fixed first item such as "no groups", whose stored name is the empty text.
    void SetLeadingItem(const QString& text) { m_leadingItem = text; }

private:
    CSettingsFile& m_settings;
    const char* m_section;
    const char* m_key;
    std::u16string m_defaultName;
    QString m_leadingItem;
    bool m_filled = false;
};
