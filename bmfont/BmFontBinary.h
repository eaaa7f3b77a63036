#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "bmfont/BmFontDescriptor.h"

// The binary form of a BMFont descriptor, version 3: "BMF" and the version byte, then blocks of
// a type byte and a little-endian 32-bit size that counts the content only. Type 1 info (the
// font name from byte 14, NUL-terminated), 2 common (15 bytes), 3 pages (NUL-terminated file
// names, the page id being the position), 4 chars (20 bytes a character), 5 kerning pairs
// (10 bytes a pair). Text is UTF-8.

// True when the bytes start with "BMF".
bool LooksLikeBmFontBinary(std::span<const uint8_t> bytes);

// Parses the descriptor `path`. A version other than 3 fails with 458; a block whose size
// runs past the file or does not fit its content, a block of an unknown type and a second
// block of one type fail with 445, naming the block.
BmFontDescriptor ParseBmFontBinary(std::span<const uint8_t> bytes, const std::u16string& path);

// The descriptor as BMFont writes it: the info flags smooth and unicode, stretch 100,
// supersampling 1, spacing 1 each way; no kerning block.
std::vector<uint8_t> WriteBmFontBinary(const BmFontDescriptor& descriptor);
