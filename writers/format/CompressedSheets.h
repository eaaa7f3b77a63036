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

// Compresses `sheets`, whole sheets of `sheetBytes` bytes one after the other. (The binary font
// reader expands them again in readers/TextureGlyphSheets.cpp.)
CompressedSheets CompressSheets(std::span<const uint8_t> sheets, std::size_t sheetBytes);
