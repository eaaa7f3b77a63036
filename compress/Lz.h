#pragma once

#include <cstdint>
#include <span>
#include <vector>

class CLzWindow;

// LZ over a 4096-byte window: flag bytes, each announcing 8 items from bit 7 down, an item
// being a literal byte (bit 0) or a 2-byte reference of 3-18 bytes at distance 1-4096 (bit 1).

// Writes the header and the coded input into `out`.
void EncodeLz(std::span<const uint8_t> input, std::vector<uint8_t>& out, CLzWindow& window);
// Decodes `size` bytes from the data after a header into `out`; returns the bytes consumed.
std::size_t DecodeLz(std::span<const uint8_t> data, uint32_t size, std::vector<uint8_t>& out);
