#pragma once

#include <optional>

// The desktop program's own options, answered before any window exists, so they work without
// a display: "--help" (or "-h") prints the usage, "--version" the program's name and version,
// each to standard output. Returns the exit code when one of them was given; nothing otherwise
// (Qt's options, such as -platform, are left to Qt).
std::optional<int> AnswerProgramOptions(int argc, const char* const* argv);

// "VELA typeloom Version 1.5.0": the window's title and the answer to --version.
const char* ProgramTitle();
