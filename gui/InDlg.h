#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gui/PageWidget.h"
#include "xml/VsxXmlFile.h"

class CCommandLine;
class CFontReader;
class CSettingsFile;

// One page of the input area: it keeps its fields in the settings and builds the reader of
// its kind of source when a conversion starts.
class CInDlg : public CPageWidget {
    Q_OBJECT

public:
    CInDlg(CSettingsFile& settings, QWidget* parent) : CPageWidget(parent), m_settings(settings) {}

    // A new reader from the page's fields; throws when a field cannot give one.
    virtual std::unique_ptr<CFontReader> GetFontReader() = 0;
    // The console's options for the reader GetFontReader builds ("-i ..." onwards); throws as
    // GetFontReader does.
    virtual void AddCommandArguments(CCommandLine& line) const = 0;
    // The source as the status line names it while it is read ("DejaVu Sans", "font.bmp");
    // empty for none.
    virtual QString SourceName() const { return {}; }
    // The name of a file or face, without its folder.
    static QString NameWithoutFolder(const std::u16string& path);
    // The page's path, as the conversion uses it, goes to the front of its history.
    virtual void AddPathToHistory() {}
    // A file dropped on the input area.
    virtual void DropFile(const std::u16string&) {}
    // The letter order files, once the folder scan has finished.
    virtual void SetOrderFiles(const std::vector<XmlFileInfo>&) {}

protected:
    CSettingsFile& m_settings;
};
