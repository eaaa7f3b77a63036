#pragma once

#include <span>
#include <string>
#include <vector>

#include "xml/VsxXmlFile.h"

// A folder of shipped definition files (letter orders, glyph groups or filters) and the
// headers of the files in it.
struct DefinitionFolder {
    std::u16string folder;                 // the folder found; empty when none was
    std::vector<std::u16string> searched;  // the folders looked in, up to the one found
    std::vector<XmlFileInfo> files;        // in the order the folder gave them
};

// Looks for the folder `name` in each of `baseFolders` in turn and reads the header of every
// file in the first one found whose extension is `extension` (with its dot, any case). A file
// whose header cannot be read is left out.
DefinitionFolder ScanDefinitionFolder(std::span<const std::u16string> baseFolders,
                                      const std::u16string& name, const std::u16string& extension);
