#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/Endian.h"

// The 4-byte little-endian word in front of every layer: the type byte (codec type in bits 4-7,
// its parameter in bits 0-3) and, above it, the size of the layer once decoded.
namespace stream_header {

constexpr std::size_t kBytes = 4;
// The size field has 24 bits.
constexpr uint32_t kMaxSize = 0xFFFFFF;

constexpr uint8_t kRaw = 0x00;
constexpr uint8_t kLz = 0x10;
constexpr uint8_t kHuffman = 0x20;
constexpr uint8_t kRunLength = 0x30;
constexpr uint8_t kDifference = 0x80;

struct Header {
    uint8_t type = 0;  // bits 4-7 of the type byte, as kLz etc.
    uint8_t parameter = 0;
    uint32_t size = 0;
};

inline Header Parse(uint32_t word) {
    return Header{static_cast<uint8_t>(word & 0xF0), static_cast<uint8_t>(word & 0x0F), word >> 8};
}

// Starts `out` afresh with a header; the caller has checked `size` against kMaxSize.
inline void Begin(std::vector<uint8_t>& out, uint8_t typeByte, uint32_t size) {
    out.clear();
    endian::AppendU32LE(out, size << 8 | typeByte);
}

}  // namespace stream_header
