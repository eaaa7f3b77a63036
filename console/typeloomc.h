#pragma once

// The console program: one conversion from the command line. Returns the exit code:
// 0 success or cancel, 1 usage shown, 2 error.
int RunConsole(int argc, char** argv);
