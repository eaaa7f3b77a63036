#pragma once

#include <string>
#include <vector>

// The process as the programs see it: their command line, the last system error and where the
// program itself lives.

// The program's arguments as UTF-16, each exactly as given, the program path first.
std::vector<std::u16string> CommandLineArguments(int argc, const char* const* argv);

// The calling thread's last system error code (errno), as printed in error lines.
int LastSystemError();

// The folder of the running program, with a trailing '/'; empty if it cannot be found.
std::u16string ProgramFolder();
