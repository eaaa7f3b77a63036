#pragma once

#include <cstdio>
#include <string_view>

// Writes text to a console stream as UTF-8 bytes. Wide printing would depend on a runtime
// locale that is often not installed, and then prints nothing.
void WriteText(std::FILE* stream, std::u16string_view text);
