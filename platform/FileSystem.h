#pragma once

#include <string>
#include <vector>

// Paths and file attributes, on POSIX.
namespace fs {

struct PathParts {
    std::u16string drive;      // always empty here
    std::u16string folder;     // up to and including the last '/'
    std::u16string name;       // the last component up to its last '.'
    std::u16string extension;  // from that '.' on, or empty
};

bool Exists(const std::u16string& path);
bool IsFolder(const std::u16string& path);
// A regular file (after symbolic links): not a folder, pipe or device that could block a reader.
bool IsRegularFile(const std::u16string& path);
// Judged by the owner's write permission bit, so that it holds for root too.
bool IsReadOnly(const std::u16string& path);
PathParts SplitPath(const std::u16string& path);
// The regular files of a folder (names only), in no particular order; empty if it cannot be read.
std::vector<std::u16string> ListFiles(const std::u16string& folder);

}  // namespace fs
