#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/FileHandle.h"
#include "platform/ReplacementFile.h"

// Binary file access whose every failure throws category 5 naming the file.
//
// A file opened for writing is written to a temporary file beside the target and renamed over
// it only when Close succeeds; a failure, destruction without Close, or SIGINT, SIGTERM or
// SIGHUP meanwhile removes the temporary and leaves any old file untouched (a signal ends the
// program with message 277). Open it only once everything to be written is ready, so that the
// temporary lives no longer than the writing itself.
class CBinaryFile {
public:
    enum class Access { kRead, kWrite };

    explicit CBinaryFile(std::u16string path) : m_path(std::move(path)) {}
    CBinaryFile(const CBinaryFile&) = delete;
    CBinaryFile& operator=(const CBinaryFile&) = delete;
    ~CBinaryFile();

    // Read: the existing file. Write: a new file that replaces the target on Close. (108)
    void Open(Access access);
    // Bytes read; fewer than asked at the end of the file is not an error. (109)
    std::size_t Read(std::span<uint8_t> buffer);
    // The whole rest of the file, refused (109) beyond what 32-bit positions address.
    std::vector<uint8_t> ReadAll();
    // The size of that rest, refused the same way.
    std::size_t RemainingSize();
    void Write(std::span<const uint8_t> data);  // (111)
    int32_t SeekTo(int32_t offset);             // (186)
    int32_t SeekDiff(int32_t offset);           // (187)
    int32_t SeekBack(int32_t offset);           // (188)
    // Closes; a written file is flushed and moved over its target (111 on failure).
    void Close();

    const std::u16string& GetPath() const { return m_path; }

private:
    int32_t Seek(int32_t offset, int whence, int message);
    CFileHandle& Handle() { return m_output.IsOpen() ? m_output.Handle() : m_input; }

    std::u16string m_path;
    CFileHandle m_input;
    CReplacementFile m_output;
};
