#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Explicit byte orders for file fields. Loads and stores take a span and an offset that the
// caller has checked (CByteReader does the checking for untrusted input).
namespace endian {

inline uint16_t LoadU16BE(std::span<const uint8_t> d, std::size_t at) {
    return static_cast<uint16_t>((d[at] << 8) | d[at + 1]);
}
inline uint16_t LoadU16LE(std::span<const uint8_t> d, std::size_t at) {
    return static_cast<uint16_t>(d[at] | (d[at + 1] << 8));
}
inline uint32_t LoadU32BE(std::span<const uint8_t> d, std::size_t at) {
    return (uint32_t{d[at]} << 24) | (uint32_t{d[at + 1]} << 16) | (uint32_t{d[at + 2]} << 8) |
           uint32_t{d[at + 3]};
}
inline uint32_t LoadU32LE(std::span<const uint8_t> d, std::size_t at) {
    return uint32_t{d[at]} | (uint32_t{d[at + 1]} << 8) | (uint32_t{d[at + 2]} << 16) |
           (uint32_t{d[at + 3]} << 24);
}

inline void StoreU16BE(std::span<uint8_t> d, std::size_t at, uint16_t v) {
    d[at] = static_cast<uint8_t>(v >> 8);
    d[at + 1] = static_cast<uint8_t>(v);
}
inline void StoreU16LE(std::span<uint8_t> d, std::size_t at, uint16_t v) {
    d[at] = static_cast<uint8_t>(v);
    d[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void StoreU32BE(std::span<uint8_t> d, std::size_t at, uint32_t v) {
    d[at] = static_cast<uint8_t>(v >> 24);
    d[at + 1] = static_cast<uint8_t>(v >> 16);
    d[at + 2] = static_cast<uint8_t>(v >> 8);
    d[at + 3] = static_cast<uint8_t>(v);
}
inline void StoreU32LE(std::span<uint8_t> d, std::size_t at, uint32_t v) {
    d[at] = static_cast<uint8_t>(v);
    d[at + 1] = static_cast<uint8_t>(v >> 8);
    d[at + 2] = static_cast<uint8_t>(v >> 16);
    d[at + 3] = static_cast<uint8_t>(v >> 24);
}

inline void AppendU8(std::vector<uint8_t>& out, uint8_t v) {
    out.push_back(v);
}
inline void AppendU16BE(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}
inline void AppendU16LE(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void AppendU32BE(std::vector<uint8_t>& out, uint32_t v) {
    AppendU16BE(out, static_cast<uint16_t>(v >> 16));
    AppendU16BE(out, static_cast<uint16_t>(v));
}
inline void AppendU32LE(std::vector<uint8_t>& out, uint32_t v) {
    AppendU16LE(out, static_cast<uint16_t>(v));
    AppendU16LE(out, static_cast<uint16_t>(v >> 16));
}

// The same in a byte order chosen at run time: big-endian when `bigEndian`, else little-endian.
inline uint16_t LoadU16(std::span<const uint8_t> d, std::size_t at, bool bigEndian) {
    return bigEndian ? LoadU16BE(d, at) : LoadU16LE(d, at);
}
inline uint32_t LoadU32(std::span<const uint8_t> d, std::size_t at, bool bigEndian) {
    return bigEndian ? LoadU32BE(d, at) : LoadU32LE(d, at);
}
inline void StoreU16(std::span<uint8_t> d, std::size_t at, uint16_t v, bool bigEndian) {
    bigEndian ? StoreU16BE(d, at, v) : StoreU16LE(d, at, v);
}
inline void StoreU32(std::span<uint8_t> d, std::size_t at, uint32_t v, bool bigEndian) {
    bigEndian ? StoreU32BE(d, at, v) : StoreU32LE(d, at, v);
}
inline void AppendU16(std::vector<uint8_t>& out, uint16_t v, bool bigEndian) {
    bigEndian ? AppendU16BE(out, v) : AppendU16LE(out, v);
}
inline void AppendU32(std::vector<uint8_t>& out, uint32_t v, bool bigEndian) {
    bigEndian ? AppendU32BE(out, v) : AppendU32LE(out, v);
}

}  // namespace endian
