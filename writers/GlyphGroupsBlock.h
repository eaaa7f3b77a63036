#pragma once

#include <cstdint>
#include <span>

#include "writers/SheetAssignment.h"

class CResFont;

// Adds the GLGR block of an archived font, once every other block is in: the sheet geometry,
// the stored size of every sheet and the size of every CWDH and CMAP block, and for each
// named group in ascending group index its name and one bit set each of the sheets, width
// blocks and map blocks that its sets use. As the first block of the file its content starts
// at offset 24, which the name offsets count from the file's start.
void AddGlyphGroupsBlock(CResFont& res, const SheetAssignment& assignment, uint32_t sheetBytes,
                         int32_t cellsPerSheet, std::span<const uint32_t> storedSheetSizes);
