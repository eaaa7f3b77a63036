#pragma once

#include <string>

// The console program's banner and usage text.

// Japanese is shown for a Japanese language id, or for a locale name that says "jpn" or
// "japanese" in any case (the Windows names, such as "Japanese_Japan.932").
bool IsJapaneseLocale(const std::u16string& localeName);

// The banner line, then the usage lines, each ending in a line break.
std::u16string UsageText(bool japanese);

// Prints the usage on standard output in the user's language.
void PrintUsage();

// Answers "--help" (the usage) or "--version" (the banner line alone), whichever comes first
// among the arguments after the program's path, on standard output; false when neither is
// there. The command line proper knows only single-hyphen names and would refuse both.
bool AnswerInfoOption(int argc, const char* const* argv);
