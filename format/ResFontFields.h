#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "base/ByteReader.h"

// What every block of a binary font resource shares: fields in the file's byte order, the one
// error for bytes that do not hold what they declare, and the 4-byte alignment of blocks.

// The resource error: category 6, message 151.
[[noreturn]] void ThrowBrokenResource();

inline constexpr uint64_t kBlockAlignment = 4;

// `value` rounded up to a multiple of `alignment`; 0 leaves it as it is.
constexpr uint64_t RoundUp(uint64_t value, uint64_t alignment) {
    return alignment == 0 ? value : (value + alignment - 1) / alignment * alignment;
}

// Appends fields in the chosen byte order.
class CFieldWriter {
public:
    explicit CFieldWriter(bool bigEndian) : m_bigEndian(bigEndian) {}

    void U8(uint32_t v) { m_out.push_back(static_cast<uint8_t>(v)); }
    void S8(int32_t v) { U8(static_cast<uint8_t>(v)); }
    void U16(uint32_t v) { endian::AppendU16(m_out, static_cast<uint16_t>(v), m_bigEndian); }
    void U32(uint32_t v) { endian::AppendU32(m_out, v, m_bigEndian); }
    // Fields in order, each as wide as its type; CFieldReader::Fields reads them back.
    template <typename... T>
    void Fields(const T&... v) {
        (Field(v), ...);
    }
    template <typename T>
    void Field(const T& v) {
        static_assert(sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4);
        if constexpr (sizeof(T) == 1) {
            U8(static_cast<uint8_t>(v));
        } else if constexpr (sizeof(T) == 2) {
            U16(static_cast<uint16_t>(v));
        } else {
            U32(static_cast<uint32_t>(v));
        }
    }
    // `n` zero bytes.
    void Pad(std::size_t n) { m_out.resize(m_out.size() + n); }
    // 8-bit characters ended by 0.
    void Text(std::string_view text);
    // Zeros up to the next multiple of 4.
    void Align() { m_out.resize(static_cast<std::size_t>(RoundUp(m_out.size(), kBlockAlignment))); }
    std::size_t Size() const { return m_out.size(); }
    std::vector<uint8_t> Take() { return std::move(m_out); }

private:
    bool m_bigEndian;
    std::vector<uint8_t> m_out;
};

// Reads fields in the file's byte order; running out is a broken resource.
class CFieldReader {
public:
    CFieldReader(std::span<const uint8_t> content, bool bigEndian)
        : m_reader(content, [] { ThrowBrokenResource(); }), m_bigEndian(bigEndian) {}

    uint8_t U8() { return m_reader.U8(); }
    int8_t S8() { return m_reader.S8(); }
    uint16_t U16() { return m_bigEndian ? m_reader.U16BE() : m_reader.U16LE(); }
    uint32_t U32() { return m_bigEndian ? m_reader.U32BE() : m_reader.U32LE(); }
    // Fields in order, as CFieldWriter::Fields wrote them.
    template <typename... T>
    void Fields(T&... v) {
        (Field(v), ...);
    }
    template <typename T>
    void Field(T& v) {
        static_assert(sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4);
        if constexpr (sizeof(T) == 1) {
            v = static_cast<T>(U8());
        } else if constexpr (sizeof(T) == 2) {
            v = static_cast<T>(U16());
        } else {
            v = static_cast<T>(U32());
        }
    }
    // Bytes the writer fills with zeros.
    void Pad(std::size_t n) { m_reader.Skip(n); }
    // A block kind: four characters in reading order, never swapped.
    uint32_t Kind() { return m_reader.U32BE(); }
    std::size_t Position() const { return m_reader.Position(); }
    std::size_t Remaining() const { return m_reader.Remaining(); }
    void Skip(std::size_t n) { m_reader.Skip(n); }
    std::span<const uint8_t> Take(std::size_t n) { return m_reader.Take(n); }
    // `count` bytes at an absolute offset, not moving the cursor.
    std::span<const uint8_t> At(std::size_t offset, std::size_t count) const {
        return m_reader.At(offset, count);
    }

private:
    CByteReader m_reader;
    bool m_bigEndian;
};
