#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <string>
#include <vector>

#include "gui/RecentList.h"
#include "xml/VsxXmlFile.h"

class CSettingsFile;
class QGridLayout;

// A list of definition files: those a folder scan found, then those the user added with its
// "Browse..." button beside it (kept in the settings like a path history, so every list of the same
// kind offers them). Each item shows the file's title and name and carries its full path; the
// chosen file is kept in the settings by name, or by full path for an added file.
class COrderCombo : public QComboBox {
    Q_OBJECT

public:
    enum class Kind { kLetterOrder, kGlyphGroups };

    COrderCombo(CSettingsFile& settings, Kind kind, const char* section, const char* key,
                std::u16string defaultName, QWidget* parent);

    // Lists the files after the leading item (if any), then the added files, and selects the
    // stored one; nothing is selected when that file is not among them.
    void SetFiles(const std::vector<XmlFileInfo>& files);
    bool HasFiles() const { return m_filled; }
    // The full path of the selected file; empty for a fixed item or no selection.
    std::u16string SelectedPath() const;
    // A fixed first item such as "no groups", whose stored name is the empty text.
    void SetLeadingItem(const QString& text) { m_leadingItem = text; }
    // Another label than the kind's own.
    void SetLabelText(const QString& text) { m_label.setText(text); }
    // Into `grid` as a row with its label and "Browse..." button (see AddFieldRow).
    void Place(QGridLayout& grid, int row, int span);
    // Adds a file of the user's, read for its header first, and selects it. Throws the
    // header's error when the file is no definition file of this kind.
    void AddFile(const std::u16string& path);
    // Other lists of the same kind may have added files since this one was filled.
    void showPopup() override;

private:
    void Browse();
    void AddItem(const XmlFileInfo& file, const QString& storedName);
    // The added files the settings list, as items after the scanned ones.
    void ListAddedFiles();

    CSettingsFile& m_settings;
    Kind m_kind;
    const char* m_section;
    const char* m_key;
    std::u16string m_defaultName;
    QString m_leadingItem;
    QLabel m_label;
    QPushButton m_browse;
    CRecentList m_added;
    int m_scannedCount = 0;  // items before the added files
    bool m_filled = false;
};
