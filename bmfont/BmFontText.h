#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "bmfont/BmFontDescriptor.h"

// The text form of a BMFont descriptor: one tag a line ("info", "common", "page", "chars",
// "char", "kernings", "kerning"), each followed by key=value pairs, a value either a word or a
// double-quoted text that runs to the next double quote on its line. Tags and keys this system
// does not use are passed over; lines end with LF or CR LF; text is UTF-8.

// True when the bytes start (after a UTF-8 byte-order mark and white space) with a tag word.
bool LooksLikeBmFontText(std::span<const uint8_t> bytes);

// Parses the bytes of the descriptor `path`, one linear pass; a value that is not a number
// where one is needed, or an unclosed quote, fails with 457 naming the line.
BmFontDescriptor ParseBmFontText(std::span<const uint8_t> bytes, const std::u16string& path);

// The descriptor as BMFont writes it: the padding, spacing and flags of `info` fixed, `chars`
// giving the count, characters in the order held, columns padded.
std::vector<uint8_t> WriteBmFontText(const BmFontDescriptor& descriptor);
