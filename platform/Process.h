#pragma once

#include <string>

// The process as the programs see it: their command line, the last system error and where the
// program itself lives.

// The raw command line, rebuilt from argv: arguments joined by single spaces, each one that is
// empty or holds a character of code 0x20 or less put in double quotes. (An argument that
// itself holds a double quote cannot be told apart from quoting; the command-line reader
// treats it as a quote.)
std::u16string CommandLineText(int argc, const char* const* argv);

// The calling thread's last system error code (errno), as printed in error lines.
int LastSystemError();

// The folder of the running program, with a trailing '/'; empty if it cannot be found.
std::u16string ProgramFolder();
