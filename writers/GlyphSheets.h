#pragma once

#include <cstdint>
#include <vector>

#include "core/FontData.h"
#include "format/ResFontBlocks.h"
#include "writers/SheetAssignment.h"

// The texel bytes of every sheet of a binary font, laid out as `geometry` says (its format
// without the compressed bit): each glyph stands on the font's baseline in the cell of its
// glyph index (cut to the cell, transparent white above a glyph that starts below the cell's
// top), encoded straight into the tiles of its sheet; everything else is the font's background
// colour with alpha 0, encoded once and copied. Steps the progress by one per glyph drawn.
std::vector<uint8_t> EncodeGlyphSheets(const CFontData& working, const TextureGlyphs& geometry,
                                       const SheetAssignment& assignment);
