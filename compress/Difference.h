#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The difference filter: the first unit as it is, then each unit minus the one before it,
// over 8-bit units or little-endian 16-bit units.

// Writes the header and the filtered input into `out`. An odd size with 16-bit units cannot
// be filtered: the process ends with status 1 after saying so on standard error.
void EncodeDifference(std::span<const uint8_t> input, int unitBits, std::vector<uint8_t>& out);
// Decodes `size` bytes from the data after a header into `out`; returns the bytes consumed.
std::size_t DecodeDifference(std::span<const uint8_t> data, uint32_t size, int unitBits,
                             std::vector<uint8_t>& out);
