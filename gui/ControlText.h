#pragma once

#include <cstdint>
#include <string_view>

// The decimal number at the start of a text, after blanks and an optional sign; a text
// without digits gives 0, and values beyond 32 bits are held at the nearest limit. Settings
// values and the numbers typed into the pages are read this way.
int32_t NumberFromText(std::u16string_view text);
