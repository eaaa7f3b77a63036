#include "platform/InstallLayout.h"

#include <filesystem>

#include "base/Text.h"
#include "platform/FileSystem.h"

namespace {

// The program folder and the installed folder below its parent, with the ".." resolved so that
// messages and lists name the folder plainly.
std::vector<std::u16string> BesideAndInstalled(const std::u16string& programFolder,
                                               const char* installed) {
    if (programFolder.empty()) {
        return {};
    }
    const std::filesystem::path below =
        (std::filesystem::path(Utf16ToUtf8(programFolder)) / ".." / installed / "")
            .lexically_normal();
    return {programFolder, Utf8ToUtf16(below.string())};
}

}  // namespace

std::vector<std::u16string> SharedDataFolders(const std::u16string& programFolder) {
    return BesideAndInstalled(programFolder, "share/typeloom");
}

std::vector<std::u16string> LanguageLibraryFolders(const std::u16string& programFolder) {
    return BesideAndInstalled(programFolder, "lib/typeloom");
}

std::u16string ShippedFile(const std::u16string& value, const std::u16string& kind,
                           const std::u16string& programFolder) {
    if (value.empty() || value.find(u'/') != std::u16string::npos || fs::Exists(value)) {
        return value;
    }
    const std::u16string extension = u"." + kind;
    const std::u16string name =
        ToLowerAscii(value).ends_with(extension) ? value : value + extension;
    for (const std::u16string& folder : SharedDataFolders(programFolder)) {
        const std::u16string path = folder + kind + u"/" + name;
        if (fs::IsRegularFile(path)) {
            return path;
        }
    }
    return value;
}
