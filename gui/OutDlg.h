#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gui/PageWidget.h"
#include "xml/VsxXmlFile.h"

class CCommandLine;
class CFontWriter;
class CSettingsFile;

// One page of the output area: it keeps its fields in the settings and builds the writer of
// its kind of target, after asking whether an existing file may be replaced.
class COutDlg : public CPageWidget {
    Q_OBJECT

public:
    COutDlg(CSettingsFile& settings, QWidget* parent) : CPageWidget(parent), m_settings(settings) {}

    // A new writer from the page's fields; throws when a field cannot give one, and the cancel
    // signal when the user keeps an existing file.
    virtual std::unique_ptr<CFontWriter> GetFontWriter() = 0;
    // A writer for a preview: the same settings, but no file is written, so the path is neither
    // settled nor asked about.
    virtual std::unique_ptr<CFontWriter> GetPreviewWriter() const = 0;
    // The console's options for the writer GetFontWriter builds ("-o ..." onwards), the path
    // settled as that writer gets it; throws as GetPreviewWriter does.
    virtual void AddCommandArguments(CCommandLine& line) const = 0;
    virtual void AddPathToHistory() = 0;
    virtual void DropFile(const std::u16string& path) = 0;
    virtual void SetOrderFiles(const std::vector<XmlFileInfo>&) {}
    virtual void SetGroupFiles(const std::vector<XmlFileInfo>&) {}
    // Shows or hides the page's less used fields.
    virtual void SetOptionsShown(bool shown) = 0;
    // Whether the page has such fields (the button that unfolds them is shown only then).
    virtual bool HasOptions() const { return true; }

protected:
    // When a file exists at `path`, asks (Cancel as the default answer) whether to overwrite it;
    // any answer but OK throws the cancel signal.
    void ConfirmOverwrite(const std::u16string& path);

    CSettingsFile& m_settings;
};
