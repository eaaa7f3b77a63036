#pragma once

#include <vector>

#include "format/ResFontBlocks.h"
#include "writers/SheetAssignment.h"

class CFontData;

// Covers the working font's codes (glyphs in ascending code order; each takes the index the
// assignment gave its code, or its own where none was given) with
// character maps: a direct map for every run of at least 80 codes whose indices rise with them,
// table maps for stretches at least half full and holding at least 40 glyphs, and one scan map
// for whatever is left. The maps come in that order, which is their file order. Steps the
// progress control once per glyph covered.
std::vector<CodeMap> BuildCodeMaps(const CFontData& working, const SheetAssignment& assignment);
