#pragma once

// Machine faults (SIGSEGV, SIGBUS, SIGFPE, SIGILL) end the program the way an internal error
// does: the error line of message 102 around message 222 (the signal number as code, the
// faulting instruction's address) on standard error, and exit code 2.

// Installs the handler for the four signals and gives the calling thread its alternate stack;
// SIGXFSZ is ignored, so that a write past a file-size limit fails as a write error instead of
// killing the program. Call it before any other work.
void InstallFatalSignalHandler();

// Builds the error line from the current message texts; the handler itself only copies digits
// into it. Call it once the language library is loaded: it builds an exception, which fixes
// the category names for the rest of the run. A fault before it exits 2 without a line.
void PrepareFatalSignalText();

// Gives the calling thread its own alternate signal stack, kept until the thread ends, so that
// a stack overflow on it is reported too. Every thread the programs start calls it first;
// calling it again on the same thread does nothing.
void EnsureAlternateSignalStack();
