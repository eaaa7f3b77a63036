#pragma once

#include <string>

class CGlyphOrder;

// The check of a letter order path before any work: the file must exist (131) and load as a
// letter order (the errors of CGlyphOrder::Load).
void ValidateOrderFile(const std::u16string& path);
// The same check, keeping the loaded order for the work that follows.
void LoadOrderFile(const std::u16string& path, CGlyphOrder& order);
