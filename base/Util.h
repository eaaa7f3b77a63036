#pragma once

#include <cstdint>
#include <string>

// Colours as the user types them: "RRGGBB", "#RRGGBB" or "0xRRGGBB" (digits in either case).
// The value holds red in bits 0-7, green in 8-15 and blue in 16-23. Anything else fails with
// category 8, message 274, naming the text as given.
uint32_t ToColor(const std::u16string& text);
// Six upper-case digits, red first: the form ToColor reads back.
std::u16string ColorToString(uint32_t color);
