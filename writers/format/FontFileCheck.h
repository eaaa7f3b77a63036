#pragma once

#include <string>

// The check the binary font reader runs before any work: the path must name an existing file
// (131) whose header and block structure load without error (the resource errors of CResFont).
void ValidateFontFile(const std::u16string& path);
