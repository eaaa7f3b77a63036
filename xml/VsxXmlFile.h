#pragma once

#include <string>
#include <string_view>

#include "xml/XmlReadFrame.h"

// The header of a letter order or glyph groups file, as the desktop lists show it.
struct XmlFileInfo {
    std::u16string title;
    std::u16string comment;
    std::u16string path;      // as given to Load
    std::u16string fileName;  // the path's last component, with its extension
};

// Reads only the `head` of a definition file; one object serves many files.
class CVsxXmlFile : public CXmlReadFrame {
public:
    CVsxXmlFile();

    // Fills `info` from the file; throws category 9 on failure (224 when nothing is known).
    void Load(XmlFileInfo& info, const std::u16string& path);
    bool IsLoaded() const { return m_loaded; }

private:
    void OnStartElement(std::u16string_view name, xercesc::AttributeList& attributes) override;
    void OnEndElement(std::u16string_view name) override;
    void OnCharacters(std::u16string_view text) override;

    XmlFileInfo* m_info = nullptr;
    bool m_loaded = false;
    bool m_insideTitle = false;
    bool m_insideComment = false;
};
