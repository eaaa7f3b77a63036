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
    // A file that must not exist yet, opened for writing; `mode` less the umask.
    bool CreateNew(const std::string& path, unsigned mode);

    bool IsOpen() const { return m_fd >= 0; }
    // Bytes read, possibly fewer at the end of the file; -1 on failure.
    int64_t Read(std::span<uint8_t> buffer);
    // All bytes, or false.
    bool WriteAll(std::span<const uint8_t> data);
    // The new position, or -1. whence is SEEK_SET, SEEK_CUR or SEEK_END.
    int64_t Seek(int64_t offset, int whence);
    int64_t Size();
    bool Sync();
    // Exactly these permission bits, whatever the umask.
    bool SetPermissions(unsigned mode);
    bool Close();

private:
    int m_fd = -1;
};
