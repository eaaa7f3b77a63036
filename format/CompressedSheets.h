#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The sheet data of an archived font: every sheet compressed on its own with one layer of 8-bit
// Huffman, stored as its size (a big-endian u32, the stream's length rounded up to 4, whatever
// the file's byte order) followed by the stream padded with zeros to that size.
struct CompressedSheets {
    std::vector<uint8_t> data;
    // The stored size of each sheet, in sheet order.
    std::vector<uint32_t> storedSizes;
};

// Compresses `sheets`, whole sheets of `sheetBytes` bytes one after the other.
CompressedSheets CompressSheets(std::span<const uint8_t> sheets, std::size_t sheetBytes);

// The stream of each of `sheetCount` stored sheets, found without expanding any: data too short
// for the count or for a stored size is a broken resource (category 6, message 151).
std::vector<std::span<const uint8_t>> FindSheetStreams(std::span<const uint8_t> stored,
                                                       uint16_t sheetCount);
// One sheet's stream expanded; it must give exactly `sheetBytes` bytes (151 otherwise), which
// its header announces before anything is expanded.
std::vector<uint8_t> ExpandSheet(std::span<const uint8_t> stream, uint32_t sheetBytes);
