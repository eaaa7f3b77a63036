#pragma once

#include <string>
#include <string_view>

// UTF-16 is the text of the core; UTF-8 is what files names, the console and libraries take.
// Invalid sequences become U+FFFD in either direction.
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

// ASCII-only lower-casing, as keyword comparisons need.
std::u16string ToLowerAscii(std::u16string_view text);

// The value of a hexadecimal digit in either case, or -1 for any other character.
int HexDigitValue(char16_t c);
