#pragma once

#include <string>

#include "platform/FileHandle.h"

// A new file written beside the file it replaces and moved over it only when complete, so that a
// failure, a crash or a signal part-way leaves the old file as it was. Rewriting keeps what the
// user set on the old file: its permission bits, and a symbolic link, which keeps pointing at
// the rewritten target rather than being replaced by a plain file.
class CReplacementFile {
public:
    CReplacementFile() = default;
    CReplacementFile(const CReplacementFile&) = delete;
    CReplacementFile& operator=(const CReplacementFile&) = delete;
    ~CReplacementFile() { Discard(); }

    // Creates "<target>.XXXXXX" beside the file `path` finally names (symbolic links followed).
    // `interruptLine` is printed should a signal end the program before Commit or Discard.
    bool Create(const std::string& path, const std::string& interruptLine);
    bool IsOpen() const { return m_handle.IsOpen(); }
    CFileHandle& Handle() { return m_handle; }
    // Flushes the file to the disk, moves it over the target and flushes the folder, so that
    // the new name survives a power cut too. On failure the new file is removed.
    bool Commit();
    // Closes and removes the new file, if any.
    void Discard();

private:
    CFileHandle m_handle;
    std::string m_path;    // the new file
    std::string m_target;  // the file it replaces
    int m_token = -1;
};
