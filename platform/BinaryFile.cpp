#include "platform/BinaryFile.h"

#include <cerrno>
#include <cstdio>
#include <limits>

#include "base/GlobalException.h"
#include "base/ResString.h"
#include "base/Text.h"

namespace {

// What the error line of a run stopped by a signal while writing says. Built before the
// temporary exists, since the signal handler can only copy it out.
std::string InterruptLine(const std::u16string& path) {
    const CGeneralException& stopped =
        MakeException(__FILE__, __LINE__, "CBinaryFile::Open", kErrFileIO, 277, {path});
    return Utf16ToUtf8(FormatResString(102, {stopped.What(), EINTR}));
}

}  // namespace

CBinaryFile::~CBinaryFile() = default;

void CBinaryFile::Open(Access access) {
    m_output.Discard();
    m_input.Close();
    const std::string path = Utf16ToUtf8(m_path);
    const bool opened = access == Access::kRead ? m_input.OpenForReading(path)
                                                : m_output.Create(path, InterruptLine(m_path));
    if (!opened) {
        TL_THROW(kErrFileIO, 108, m_path);
    }
}

std::size_t CBinaryFile::Read(std::span<uint8_t> buffer) {
    const int64_t n = Handle().IsOpen() ? Handle().Read(buffer) : -1;
    if (n < 0) {
        TL_THROW(kErrFileIO, 109, m_path);
    }
    return static_cast<std::size_t>(n);
}

std::vector<uint8_t> CBinaryFile::ReadAll() {
    std::vector<uint8_t> data(RemainingSize());
    data.resize(Read(data));
    return data;
}

std::size_t CBinaryFile::RemainingSize() {
    CFileHandle& handle = Handle();
    const int64_t size = handle.IsOpen() ? handle.Size() : -1;
    const int64_t position = handle.IsOpen() ? handle.Seek(0, SEEK_CUR) : -1;
    if (size < 0 || position < 0 || size > std::numeric_limits<int32_t>::max()) {
        TL_THROW(kErrFileIO, 109, m_path);
    }
    return static_cast<std::size_t>(size > position ? size - position : 0);
}

void CBinaryFile::Write(std::span<const uint8_t> data) {
    if (!Handle().IsOpen() || !Handle().WriteAll(data)) {
        TL_THROW(kErrFileIO, 111, m_path);
    }
}

int32_t CBinaryFile::Seek(int32_t offset, int whence, int message) {
    const int64_t position = Handle().IsOpen() ? Handle().Seek(offset, whence) : -1;
    if (position < 0 || position > std::numeric_limits<int32_t>::max()) {
        TL_THROW(kErrFileIO, message, m_path);
    }
    return static_cast<int32_t>(position);
}

int32_t CBinaryFile::SeekTo(int32_t offset) {
    return Seek(offset, SEEK_SET, 186);
}
int32_t CBinaryFile::SeekDiff(int32_t offset) {
    return Seek(offset, SEEK_CUR, 187);
}
int32_t CBinaryFile::SeekBack(int32_t offset) {
    return Seek(offset, SEEK_END, 188);
}

void CBinaryFile::Close() {
    if (!m_output.IsOpen()) {
        m_input.Close();
        return;
    }
    if (!m_output.Commit()) {
        TL_THROW(kErrFileIO, 111, m_path);
    }
}
