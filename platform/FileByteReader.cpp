#include "platform/FileByteReader.h"

#include <algorithm>
#include <exception>

#include "platform/BinaryFile.h"

CFileByteReader::CFileByteReader(CBinaryFile& file, std::size_t window,
                                 CByteReader::FailFunction onShort)
    : m_file(file), m_remaining(file.RemainingSize()), m_fail(std::move(onShort)) {
    m_window.resize(std::min(window, m_remaining));
}

void CFileByteReader::Skip(std::size_t count) {
    if (count > m_remaining) {
        Fail();
    }
    while (count > 0) {
        const std::size_t part = std::min(count, m_window.size());
        Take(part);
        count -= part;
    }
}

void CFileByteReader::Refill(std::size_t count) {
    if (count > m_remaining || count > m_window.size()) {
        Fail();
    }
    const std::size_t kept = m_end - m_at;
    std::copy(m_window.begin() + static_cast<std::ptrdiff_t>(m_at),
              m_window.begin() + static_cast<std::ptrdiff_t>(m_end), m_window.begin());
    m_at = 0;
    m_end = kept;
    // Never past the size the file had at the start, should it have grown since.
    const std::size_t wanted = std::min(m_window.size() - kept, m_remaining - kept);
    m_end += m_file.Read(std::span<uint8_t>(m_window).subspan(kept, wanted));
    if (m_end < count) {
        Fail();
    }
}

void CFileByteReader::Fail() const {
    m_fail();
    // The failure function must throw; stop safely if it did not.
    std::terminate();
}
