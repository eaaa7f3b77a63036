#pragma once

#include <string>

#include "format/ResFont.h"

// A binary font file loaded whole: the path must name an existing file (131) whose header and
// block structure load without error (the resource errors of CResFont).
CResFont LoadFontFile(const std::u16string& path);

// The same check before any work, keeping nothing.
void ValidateFontFile(const std::u16string& path);
