#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Run-length coding: a flag byte with bit 7 set announces a run of 3-130 copies of the next
// byte, one with bit 7 clear a block of 1-128 literal bytes.

// Writes the header and the coded input into `out`.
void EncodeRunLength(std::span<const uint8_t> input, std::vector<uint8_t>& out);
// Decodes `size` bytes from the data after a header into `out`; returns the bytes consumed.
std::size_t DecodeRunLength(std::span<const uint8_t> data, uint32_t size,
                            std::vector<uint8_t>& out);
