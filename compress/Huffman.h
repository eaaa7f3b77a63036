#pragma once

#include <cstdint>
#include <span>
#include <vector>

class CHuffmanTree;

// Huffman coding over 4- or 8-bit symbols: after the header a tree table ((byte 0 + 1) pairs,
// byte 1 the root entry) and a bit stream of little-endian 32-bit words read from bit 31 down.

// Writes the header, the tree table and the bit stream into `out` (a multiple of 4 bytes).
void EncodeHuffman(std::span<const uint8_t> input, int width, std::vector<uint8_t>& out,
                   CHuffmanTree& tree);
// Decodes `size` bytes from the data after a header into `out`; returns the bytes consumed.
std::size_t DecodeHuffman(std::span<const uint8_t> data, uint32_t size, int width,
                          std::vector<uint8_t>& out);
