#include "core/FontIO.h"

#include "base/GlobalException.h"
#include "platform/FileSystem.h"

bool CFontIO::IsFileExists(const std::u16string& path) {
    if (path.empty()) {
        TL_THROW(kErrInputValue, 132);
    }
    return fs::Exists(path);
}

void CFontIO::ValidateOutputPath(const std::u16string& path) {
    if (IsFileExists(path)) {
        if (fs::IsFolder(path)) {
            TL_THROW(kErrInputValue, 129, path);
        }
        if (!fs::IsReadOnly(path)) {
            return;
        }
        TL_THROW(kErrInputValue, 130, path);
    }
    const fs::PathParts parts = fs::SplitPath(path);
    std::u16string folder = parts.drive;
    folder.append(parts.folder);
    if (folder.empty()) {
        folder = u".";
    }
    if (!IsFileExists(folder)) {
        TL_THROW(kErrInputValue, 112, folder);
    }
}
