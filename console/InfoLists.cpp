#include "console/InfoLists.h"

#include <algorithm>
#include <vector>

#include "base/ResString.h"
#include "console/ConsoleOutput.h"
#include "platform/FontCatalog.h"
#include "platform/InstallLayout.h"
#include "platform/Process.h"
#include "xml/DefinitionFolder.h"

namespace {

void PrintFontList() {
    std::u16string text;
    for (const FamilyStyles& family : ListFamilyStyles()) {
        if (family.styles.empty()) {
            text.append(family.family).push_back(u'\n');
        }
        for (const std::u16string& style : family.styles) {
            text.append(family.family).append(u":").append(style).push_back(u'\n');
        }
    }
    WriteText(stdout, text);
}

// One kind of shipped file: its folder's name (also the extension) and the heading's message.
struct ShippedKind {
    const char16_t* name;
    int heading;
};
constexpr ShippedKind kShippedKinds[] = {{u"xlor", 402}, {u"xggp", 403}, {u"xllt", 404}};
constexpr int kFolderNotFound = 405;

void PrintShippedFiles() {
    const std::vector<std::u16string> bases = SharedDataFolders(ProgramFolder());
    std::u16string text;
    for (const ShippedKind& kind : kShippedKinds) {
        const std::u16string name = kind.name;
        DefinitionFolder found = ScanDefinitionFolder(bases, name, u"." + name);
        if (found.folder.empty()) {
            std::u16string searched;
            for (const std::u16string& folder : found.searched) {
                searched.append(searched.empty() ? u"" : u", ").append(folder);
            }
            text.append(FormatResString(kFolderNotFound, {name, searched})).push_back(u'\n');
            continue;
        }
        text.append(FormatResString(kind.heading, {found.folder})).push_back(u'\n');
        std::sort(
            found.files.begin(), found.files.end(),
            [](const XmlFileInfo& a, const XmlFileInfo& b) { return a.fileName < b.fileName; });
        std::size_t width = 0;
        for (const XmlFileInfo& file : found.files) {
            width = std::max(width, file.fileName.size());
        }
        for (const XmlFileInfo& file : found.files) {
            std::u16string line = u"  " + file.fileName;
            if (!file.title.empty()) {
                line.append(width - file.fileName.size() + 2, u' ').append(file.title);
            }
            text.append(line).push_back(u'\n');
        }
    }
    WriteText(stdout, text);
}

}  // namespace

bool AnswerListOption(std::span<const std::u16string> arguments) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == u"--list-fonts") {
            PrintFontList();
            return true;
        }
        if (arguments[i] == u"--list-files") {
            PrintShippedFiles();
            return true;
        }
    }
    return false;
}
