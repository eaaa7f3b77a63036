#pragma once

#include <string>

// Base of every reader and writer: the settings check and the shared path checks.
class CFontIO {
public:
    virtual ~CFontIO() = default;
    // Checks settings and files before anything is read or written; throws on the first problem.
    virtual void ValidateInput() = 0;

    // True when the path names an existing file or folder; an empty path fails with 132.
    static bool IsFileExists(const std::u16string& path);
    // An output path must not be a folder (129) or a read-only file (130); a new file's folder
    // must exist (112).
    static void ValidateOutputPath(const std::u16string& path);
};
