#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <span>

#include "base/Endian.h"

// A cursor over untrusted bytes. Every read is checked against the end; running out calls the
// failure function given at construction, which must throw the format's own error.
class CByteReader {
public:
    using FailFunction = std::function<void()>;

    CByteReader(std::span<const uint8_t> data, FailFunction onShort)
        : m_data(data), m_fail(std::move(onShort)) {}

    std::size_t Position() const { return m_position; }
    std::size_t Size() const { return m_data.size(); }
    std::size_t Remaining() const { return m_data.size() - m_position; }

    void Seek(std::size_t position) {
        if (position > m_data.size()) {
            Fail();
        }
        m_position = position;
    }
    void Skip(std::size_t count) { Take(count); }

    uint8_t U8() { return Take(1)[0]; }
    uint16_t U16BE() { return endian::LoadU16BE(Take(2), 0); }
    uint16_t U16LE() { return endian::LoadU16LE(Take(2), 0); }
    uint32_t U32BE() { return endian::LoadU32BE(Take(4), 0); }
    uint32_t U32LE() { return endian::LoadU32LE(Take(4), 0); }
    int8_t S8() { return static_cast<int8_t>(U8()); }
    int32_t S32LE() { return static_cast<int32_t>(U32LE()); }

    // The next `count` bytes, consumed.
    std::span<const uint8_t> Take(std::size_t count) {
        if (count > Remaining()) {
            Fail();
        }
        const auto bytes = m_data.subspan(m_position, count);
        m_position += count;
        return bytes;
    }
    // `count` bytes at an absolute offset, not moving the cursor.
    std::span<const uint8_t> At(std::size_t offset, std::size_t count) const {
        if (offset > m_data.size() || count > m_data.size() - offset) {
            Fail();
        }
        return m_data.subspan(offset, count);
    }

private:
    [[noreturn]] void Fail() const {
        m_fail();
        // The failure function must throw; stop safely if it did not.
        std::terminate();
    }

    std::span<const uint8_t> m_data;
    std::size_t m_position = 0;
    FailFunction m_fail;
};
