#include "support/PngBytes.h"

#include <algorithm>

#include "base/Endian.h"

namespace png_bytes {

uint32_t Crc32(std::span<const uint8_t> bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (const uint8_t b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void AppendChunk(std::vector<uint8_t>& png, const char* type, std::span<const uint8_t> data) {
    endian::AppendU32BE(png, static_cast<uint32_t>(data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    endian::AppendU32BE(png, Crc32(std::span(png).subspan(start)));
}

std::vector<uint8_t> StoredZlib(std::span<const uint8_t> raw) {
    constexpr std::size_t kBlock = 65535;
    std::vector<uint8_t> z = {0x78, 0x01};
    std::size_t at = 0;
    do {
        const std::size_t part = std::min(raw.size() - at, kBlock);
        z.push_back(at + part == raw.size() ? 1 : 0);
        endian::AppendU16LE(z, static_cast<uint16_t>(part));
        endian::AppendU16LE(z, static_cast<uint16_t>(~part));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                 raw.begin() + static_cast<std::ptrdiff_t>(at + part));
        at += part;
    } while (at < raw.size());
    uint32_t a = 1;
    uint32_t b = 0;
    for (const uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    endian::AppendU32BE(z, b << 16 | a);
    return z;
}

}  // namespace png_bytes
