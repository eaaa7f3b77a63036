#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// Byte-stream codecs of archived fonts. Every layer starts with a 4-byte little-endian header:
// bits 0-3 the codec parameter, bits 4-7 the codec type, bits 8-31 the decoded size.
//
// The codecs share process-wide work tables, so one Compress or Expand runs at a time; callers
// from several threads are serialised.

// Runs the encoders that `commands` names, each on the result of the one before: "h4"/"h8"
// (Huffman over 4- or 8-bit symbols), "l" with up to 15 ignored digits (LZ), "r" (run-length),
// "d8"/"d16" (difference filter). Any other letter, or the end, ends the list; a known letter
// with a parameter it does not take throws category 7. With `rawHeader` the source is first
// wrapped as a raw layer, so that Expand with no limit stops exactly at the original bytes.
// The result holds the last layer unpadded; a stream stored in a file is padded with zeros to
// a multiple of 4. A layer whose input passes 16,777,215 bytes cannot be described by its
// header and throws category 7.
std::vector<uint8_t> Compress(std::span<const uint8_t> source, std::u16string_view commands,
                              bool rawHeader = false);

// Undoes up to `layerLimit` layers (below 1: 255); a raw layer, or any type without a codec,
// ends the expansion with the bytes it announces. A stream that is cut short, refers outside
// its data, announces more than its data can give, or carries more than 3 bytes past its end
// throws category 6.
std::vector<uint8_t> Expand(std::span<const uint8_t> source, int layerLimit);
