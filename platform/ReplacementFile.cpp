#include "platform/ReplacementFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <random>

#include "platform/InterruptCleanup.h"

namespace {

// As many links as the system itself follows before giving up.
constexpr int kMaxLinks = 40;
constexpr int kMaxAttempts = 100;

// The file a path finally names: the last component's symbolic links followed, each relative
// link read from the folder of the link. A dangling link gives the path it points at, which is
// then created.
std::string FinalTarget(std::string path) {
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            break;
        }
        std::array<char, 4096> link{};
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= link.size()) {
            break;
        }
        std::string next(link.data(), static_cast<std::size_t>(n));
        if (next.front() != '/') {
            const std::size_t slash = path.rfind('/');
            next = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + next;
        }
        path = std::move(next);
    }
    return path;
}

std::string Folder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string UniqueSuffix() {
    static constexpr char kDigits[] =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    std::random_device random;
    std::string suffix = ".";
    for (int i = 0; i < 6; ++i) {
        suffix += kDigits[random() % (sizeof kDigits - 1)];
    }
    return suffix;
}

// A folder's entries reach the disk only when the folder itself is flushed. Some file systems
// cannot flush a folder; the file is in place by then, so that is no failure of the write.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

bool CReplacementFile::Create(const std::string& path, const std::string& interruptLine) {
    Discard();
    m_target = FinalTarget(path);
    struct stat old {};
    const bool replacing = ::stat(m_target.c_str(), &old) == 0;
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        const std::string candidate = m_target + UniqueSuffix();
        const CInterruptBlock block;
        if (m_handle.CreateNew(candidate, 0666)) {
            m_path = candidate;
            m_token = RegisterUnfinishedFile(m_path, interruptLine);
            break;
        }
        if (errno != EEXIST) {
            return false;
        }
    }
    if (!m_handle.IsOpen()) {
        return false;
    }
    // A new file gets 0666 less the umask; one that replaces another keeps its permissions.
    if (replacing && !m_handle.SetPermissions(old.st_mode & 0777)) {
        Discard();
        return false;
    }
    return true;
}

bool CReplacementFile::Commit() {
    if (!m_handle.IsOpen()) {
        return false;
    }
    if (!m_handle.Sync() || !m_handle.Close()) {
        Discard();
        return false;
    }
    {
        const CInterruptBlock block;
        if (::rename(m_path.c_str(), m_target.c_str()) != 0) {
            const int error = errno;
            Discard();
            errno = error;
            return false;
        }
        UnregisterUnfinishedFile(m_token);
        m_token = -1;
        m_path.clear();
    }
    SyncFolder(Folder(m_target));
    return true;
}

void CReplacementFile::Discard() {
    const int error = errno;
    m_handle.Close();
    if (!m_path.empty()) {
        const CInterruptBlock block;
        ::unlink(m_path.c_str());
        UnregisterUnfinishedFile(m_token);
        m_token = -1;
        m_path.clear();
    }
    errno = error;
}
