#include "xml/DefinitionFolder.h"

#include "base/Text.h"
#include "platform/FileSystem.h"

DefinitionFolder ScanDefinitionFolder(std::span<const std::u16string> baseFolders,
                                      const std::u16string& name, const std::u16string& extension) {
    DefinitionFolder found;
    for (const std::u16string& base : baseFolders) {
        if (base.empty()) {
            continue;
        }
        found.searched.push_back(base + (base.ends_with(u'/') ? u"" : u"/") + name);
        if (fs::IsFolder(found.searched.back())) {
            found.folder = found.searched.back();
            break;
        }
    }
    if (found.folder.empty()) {
        return found;
    }
    CVsxXmlFile reader;
    const std::u16string wanted = ToLowerAscii(extension);
    for (const std::u16string& file : fs::ListFiles(found.folder)) {
        if (ToLowerAscii(fs::SplitPath(file).extension) != wanted) {
            continue;
        }
        XmlFileInfo info;
        try {
            reader.Load(info, found.folder + u"/" + file);
        } catch (...) {
            continue;  // a file whose header cannot be read is simply not offered
        }
        found.files.push_back(std::move(info));
    }
    return found;
}
