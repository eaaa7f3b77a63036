#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "base/MessageArg.h"

// Longest text a formatted message may have; longer results are cut.
inline constexpr std::size_t kMaxMessageLength = 1023;

// printf-style formatting over UTF-16 for the conversions messages use: %s %c %d %i %u %x %X
// and %%, with the flags - 0 + space #, a width and a precision (either may be *). Length
// modifiers (h, l, ll) are accepted and ignored. A missing or mismatched argument prints as
// nothing for %s and as 0 for numbers. The result is cut to kMaxMessageLength units.
std::u16string FormatText(std::u16string_view format, std::span<const MessageArg> args);
