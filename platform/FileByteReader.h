#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/ByteReader.h"

class CBinaryFile;

// A cursor over the rest of a file open for reading, for formats read front to back: the bytes
// pass through a window of fixed size, so a large file never sits in memory whole. Reads are
// checked as CByteReader checks them, against the size the file had when the cursor was made;
// a file that ends early (it changed meanwhile) fails the same way.
class CFileByteReader {
public:
    // Enough for the longest TGA row (65535 pixels of 4 bytes) several times over; the window
    // is never larger than the rest of the file.
    static constexpr std::size_t kWindow = std::size_t{1} << 20;

    CFileByteReader(CBinaryFile& file, std::size_t window, CByteReader::FailFunction onShort);

    std::size_t Remaining() const { return m_remaining; }
    void Skip(std::size_t count);
    uint8_t U8() { return Take(1)[0]; }
    // The next `count` bytes (at most the window), consumed; valid until the next read.
    std::span<const uint8_t> Take(std::size_t count) {
        // The window never holds more than the file had, so bytes in it need no other check.
        if (m_end - m_at < count) {
            Refill(count);
        }
        const auto bytes = std::span<const uint8_t>(m_window).subspan(m_at, count);
        m_at += count;
        m_remaining -= count;
        return bytes;
    }

private:
    // Moves what is left of the window to its front and fills the rest from the file, so that
    // at least `count` bytes are there; fails when the file has not that many left.
    void Refill(std::size_t count);
    [[noreturn]] void Fail() const;

    CBinaryFile& m_file;
    std::vector<uint8_t> m_window;
    std::size_t m_at = 0;     // the next unread byte in the window
    std::size_t m_end = 0;    // the end of what the window holds
    std::size_t m_remaining;  // unread bytes of the file, window included
    CByteReader::FailFunction m_fail;
};
