#include "platform/InstallLayout.h"

#include <filesystem>

#include "base/Text.h"

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
