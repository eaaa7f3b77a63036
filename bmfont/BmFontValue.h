#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "bmfont/BmFontDescriptor.h"

// A whole decimal number as a text or XML descriptor writes a value: an optional sign and
// digits, nothing else. Magnitudes past 2^40 stay there, far outside every field's range, so
// the range checks refuse them without an overflow. Anything else fails with 457, naming the
// key, the place and the file.
int64_t ParseBmFontNumber(std::string_view text, std::u16string_view key, const BmFontPlace& place,
                          const std::u16string& path);
int64_t ParseBmFontNumber(std::u16string_view text, std::u16string_view key,
                          const BmFontPlace& place, const std::u16string& path);
