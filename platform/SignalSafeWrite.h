#pragma once

#include <cstddef>

// Writes the bytes to standard error with nothing but write(2), retried when interrupted, so
// that a signal handler may call it. Gives up silently when the output is gone.
void WriteStandardError(const char* data, std::size_t length);
