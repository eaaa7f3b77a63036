#include "core/BinaryFile.h"

#include <cstdio>
#include <limits>

#include "core/GlobalException.h"
#include "platform/Text.h"

CBinaryFile::~CBinaryFile() { Discard(); }

void CBinaryFile::Discard() {
    if (m_writing) {
        const std::string temporary = m_handle.TemporaryPath();
        m_handle.Close();
        RemoveFile(temporary);
        m_writing = false;
    }
    m_handle.Close();
}

void CBinaryFile::Open(Access access) {
    Discard();
    const std::string path = Utf16ToUtf8(m_path);
    const bool opened = access == Access::kRead ? m_handle.OpenForReading(path)
                                                : m_handle.CreateTemporaryBeside(path);
    if (!opened) {
        TL_THROW(kErrFileIO, 108, m_path);
    }
    m_writing = access == Access::kWrite;
}

std::size_t CBinaryFile::Read(std::span<uint8_t> buffer) {
    const int64_t n = m_handle.IsOpen() ? m_handle.Read(buffer) : -1;
    if (n < 0) {
        TL_THROW(kErrFileIO, 109, m_path);
    }
    return static_cast<std::size_t>(n);
}

std::vector<uint8_t> CBinaryFile::ReadAll() {
    const int64_t size = m_handle.IsOpen() ? m_handle.Size() : -1;
    const int64_t position = m_handle.IsOpen() ? m_handle.Seek(0, SEEK_CUR) : -1;
    if (size < 0 || position < 0 || size > std::numeric_limits<int32_t>::max()) {
        TL_THROW(kErrFileIO, 109, m_path);
    }
    std::vector<uint8_t> data(static_cast<std::size_t>(size > position ? size - position : 0));
    data.resize(Read(data));
    return data;
}

void CBinaryFile::Write(std::span<const uint8_t> data) {
    if (!m_handle.IsOpen() || !m_handle.WriteAll(data)) {
        TL_THROW(kErrFileIO, 111, m_path);
    }
}

int32_t CBinaryFile::Seek(int32_t offset, int whence, int message) {
    const int64_t position = m_handle.IsOpen() ? m_handle.Seek(offset, whence) : -1;
    if (position < 0 || position > std::numeric_limits<int32_t>::max()) {
        TL_THROW(kErrFileIO, message, m_path);
    }
    return static_cast<int32_t>(position);
}

int32_t CBinaryFile::SeekTo(int32_t offset) { return Seek(offset, SEEK_SET, 186); }
int32_t CBinaryFile::SeekDiff(int32_t offset) { return Seek(offset, SEEK_CUR, 187); }
int32_t CBinaryFile::SeekBack(int32_t offset) { return Seek(offset, SEEK_END, 188); }

void CBinaryFile::Close() {
    if (!m_writing) {
        m_handle.Close();
        return;
    }
    const std::string temporary = m_handle.TemporaryPath();
    const bool flushed = m_handle.Sync() && m_handle.Close();
    m_writing = false;
    if (!flushed || !RenameFile(temporary, Utf16ToUtf8(m_path))) {
        RemoveFile(temporary);
        TL_THROW(kErrFileIO, 111, m_path);
    }
}
