#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Pieces of PNG files for tests that build or change them byte by byte.
namespace png_bytes {

uint32_t Crc32(std::span<const uint8_t> bytes);
// A chunk: length, type, data and the CRC of type and data.
void AppendChunk(std::vector<uint8_t>& png, const char* type, std::span<const uint8_t> data);
// `raw` as a zlib stream of stored (uncompressed) blocks.
std::vector<uint8_t> StoredZlib(std::span<const uint8_t> raw);

}  // namespace png_bytes
