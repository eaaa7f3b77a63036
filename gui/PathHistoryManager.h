#pragma once

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "gui/RecentList.h"

class CSettingsFile;

// File dialog filters of the path fields, in Qt's "Name (patterns)" form; translated when the
// dialog opens.
inline constexpr const char* kImageFileFilter = QT_TRANSLATE_NOOP(
    "CPathHistoryManager",
    "Supported Images (*.bmp *.tga *.png);;Bitmap Images (*.bmp);;Targa Images (*.tga);;"
    "PNG Images (*.png);;all files (*)");
inline constexpr const char* kFontFileFilter = QT_TRANSLATE_NOOP(
    "CPathHistoryManager",
    "font resource (*.bofnt *.bofna);;normal bofnt (*.bofnt);;archived bofnt (*.bofna);;"
    "all files (*)");
inline constexpr const char* kBmFontFileFilter =
    QT_TRANSLATE_NOOP("CPathHistoryManager", "BMFont descriptor (*.fnt *.xml);;all files (*)");
inline constexpr const char* kFilterFileFilter =
    QT_TRANSLATE_NOOP("CPathHistoryManager", "Filter List (*.xllt);;all files (*)");

// The recent paths of one path field (an editable combo box with a "Select file" button),
// newest first, kept in their own settings section: keys "0".."9", "HistoryNum" and the
// field's last text under "Path".
class CPathHistoryManager {
    Q_DECLARE_TR_FUNCTIONS(CPathHistoryManager)

public:
    static constexpr int kMaxHistory = CRecentList::kMaxEntries;
    enum class Mode { kOpen, kSave };

    CPathHistoryManager(CSettingsFile& settings, const char* section, QComboBox& combo,
                        QPushButton& browseButton, const char* filter, QString defaultExtension,
                        Mode mode);

    // Fills the drop-down list from the settings; an empty history offers the current folder.
    void LoadPathHistory();
    // The field's text from the section's "Path".
    void RestorePath();
    void SavePath();
    // Moves `path` to the front of the history, saves it and refills the list.
    void AddPath(const std::u16string& path);
    // The field's text added to the history, as a conversion that uses it does.
    void AddCurrentPath() { AddPath(Text()); }
    // A file dropped on the field's page: taken like a browse result.
    void DropPath(const std::u16string& path);
    // The "Select File" dialog, starting at the field's text.
    void Browse();

    std::u16string Text() const { return m_combo.currentText().toStdU16String(); }
    void SetText(const std::u16string& path);
    const std::vector<std::u16string>& Entries() const { return m_recent.Entries(); }

private:
    void FillList();

    CSettingsFile& m_settings;
    const char* m_section;
    QComboBox& m_combo;
    const char* m_filter;
    QString m_defaultExtension;
    Mode m_mode;
    CRecentList m_recent;
};
