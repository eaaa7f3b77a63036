#include "platform/FileSystem.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "base/Text.h"

namespace fs {

namespace {
bool Stat(const std::u16string& path, struct stat& st) {
    return ::stat(Utf16ToUtf8(path).c_str(), &st) == 0;
}
}  // namespace

bool Exists(const std::u16string& path) {
    struct stat st {};
    return Stat(path, st);
}

bool IsFolder(const std::u16string& path) {
    struct stat st {};
    return Stat(path, st) && S_ISDIR(st.st_mode);
}

bool IsRegularFile(const std::u16string& path) {
    struct stat st {};
    return Stat(path, st) && S_ISREG(st.st_mode);
}

bool IsReadOnly(const std::u16string& path) {
    struct stat st {};
    return Stat(path, st) && (st.st_mode & S_IWUSR) == 0;
}

PathParts SplitPath(const std::u16string& path) {
    PathParts parts;
    const std::size_t slash = path.find_last_of(u'/');
    std::u16string last;
    if (slash == std::u16string::npos) {
        last = path;
    } else {
        parts.folder = path.substr(0, slash + 1);
        last = path.substr(slash + 1);
    }
    const std::size_t dot = last.find_last_of(u'.');
    if (dot == std::u16string::npos) {
        parts.name = last;
    } else {
        parts.name = last.substr(0, dot);
        parts.extension = last.substr(dot);
    }
    return parts;
}

std::vector<std::u16string> ListFiles(const std::u16string& folder) {
    std::vector<std::u16string> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(Utf16ToUtf8(folder), ec);
    if (ec) {
        return names;
    }
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec) {
            break;
        }
        if (it->is_regular_file(ec)) {
            names.push_back(Utf8ToUtf16(it->path().filename().string()));
        }
    }
    return names;
}

}  // namespace fs
