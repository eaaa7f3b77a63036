#pragma once

#include <span>
#include <string>

// The lists the console program prints instead of converting.

// Answers "--list-fonts" (every installed family with each of its styles, one "Family:Style"
// line each, as -in takes them) or "--list-files" (the shipped letter orders, glyph groups and
// filters that -io, -oo, -op and -f take by name, with their titles), whichever comes first
// among the arguments after the program's path, on standard output; false when neither is
// there. The XML library and the translations must be loaded.
bool AnswerListOption(std::span<const std::u16string> arguments);
