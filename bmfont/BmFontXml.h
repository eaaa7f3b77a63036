#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "bmfont/BmFontDescriptor.h"

// The XML form of a BMFont descriptor: a `font` root holding `info`, `common`, `pages` with
// `page` elements, `chars` with `char` elements and `kernings` with `kerning` elements, the
// values in attributes named as the text form's keys.

// True when the bytes start (after a UTF-8 byte-order mark and white space) with '<'.
bool LooksLikeBmFontXml(std::span<const uint8_t> bytes);

// Parses the descriptor `path` through the XML library with the definition files' safe
// settings. Library errors come as category 9, message 223; a root other than `font` fails
// with 442, a value that is not a number with 457, naming the line.
BmFontDescriptor ParseBmFontXml(const std::u16string& path);

// The descriptor as BMFont writes it, attributes escaped.
std::vector<uint8_t> WriteBmFontXml(const BmFontDescriptor& descriptor);
