#pragma once

#include <string>
#include <string_view>

// The settings file holds only ASCII: tab, line feed, carriage return and backslash are written
// as \t \n \r \\, and every character from 128 up as a backslash and four upper-case hexadecimal
// digits. Reading undoes exactly that, so paths with any characters survive a round trip.
std::u16string EscapeIniString(std::u16string_view text);
std::u16string UnescapeIniString(std::u16string_view text);
