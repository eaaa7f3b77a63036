#pragma once

#include <cstdint>
#include <span>
#include <string>

// An open POSIX file descriptor, closed with the object. Every call reports failure by its
// result (errno stays as the system left it); callers turn failures into messages.
class CFileHandle {
public:
    CFileHandle() = default;
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    CFileHandle(CFileHandle&& other) noexcept;
    CFileHandle& operator=(CFileHandle&& other) noexcept;
    ~CFileHandle();

    bool OpenForReading(const std::string& path);
    // A new file with a unique name beside `target` ("<target>.XXXXXX"), given the permissions
    // a freshly created file would get. Its name is TemporaryPath().
    bool CreateTemporaryBeside(const std::string& target);
    const std::string& TemporaryPath() const { return m_temporaryPath; }

    bool IsOpen() const { return m_fd >= 0; }
    // Bytes read, possibly fewer at the end of the file; -1 on failure.
    int64_t Read(std::span<uint8_t> buffer);
    // All bytes, or false.
    bool WriteAll(std::span<const uint8_t> data);
    // The new position, or -1. whence is SEEK_SET, SEEK_CUR or SEEK_END.
    int64_t Seek(int64_t offset, int whence);
    int64_t Size();
    bool Sync();
    bool Close();

private:
    int m_fd = -1;
    std::string m_temporaryPath;
};

// Renames `from` over `to` (replacing it); false on failure.
bool RenameFile(const std::string& from, const std::string& to);
void RemoveFile(const std::string& path);
