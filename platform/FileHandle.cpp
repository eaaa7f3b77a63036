#include "platform/FileHandle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

CFileHandle::CFileHandle(CFileHandle&& other) noexcept : m_fd(other.m_fd) {
    other.m_fd = -1;
}

CFileHandle& CFileHandle::operator=(CFileHandle&& other) noexcept {
    if (this != &other) {
        Close();
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

CFileHandle::~CFileHandle() {
    const int saved = errno;
    Close();
    errno = saved;
}

bool CFileHandle::OpenForReading(const std::string& path) {
    Close();
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    return m_fd >= 0;
}

bool CFileHandle::CreateNew(const std::string& path, unsigned mode) {
    Close();
    m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
    return m_fd >= 0;
}

int64_t CFileHandle::Read(std::span<uint8_t> buffer) {
    std::size_t total = 0;
    while (total < buffer.size()) {
        const ssize_t n = ::read(m_fd, buffer.data() + total, buffer.size() - total);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (n == 0) {
            break;
        }
        total += static_cast<std::size_t>(n);
    }
    return static_cast<int64_t>(total);
}

bool CFileHandle::WriteAll(std::span<const uint8_t> data) {
    std::size_t total = 0;
    while (total < data.size()) {
        const ssize_t n = ::write(m_fd, data.data() + total, data.size() - total);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            return false;
        }
        total += static_cast<std::size_t>(n);
    }
    return true;
}

int64_t CFileHandle::Seek(int64_t offset, int whence) {
    return static_cast<int64_t>(::lseek(m_fd, static_cast<off_t>(offset), whence));
}

int64_t CFileHandle::Size() {
    struct stat st {};
    if (::fstat(m_fd, &st) != 0) {
        return -1;
    }
    return static_cast<int64_t>(st.st_size);
}

bool CFileHandle::Sync() {
    return ::fsync(m_fd) == 0;
}

bool CFileHandle::SetPermissions(unsigned mode) {
    return ::fchmod(m_fd, static_cast<mode_t>(mode)) == 0;
}

bool CFileHandle::Close() {
    if (m_fd < 0) {
        return true;
    }
    const int result = ::close(m_fd);
    m_fd = -1;
    return result == 0;
}
