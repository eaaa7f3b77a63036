#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/FontService.h"

struct GlyphBox;

// From the bytes of a rendering to a rasteriser's levels.
using LevelMap = std::array<uint8_t, 256>;

// A glyph with an outline or a shadow on its way to becoming a glyph: two planes over one
// canvas, each dense with the box's width to a row. The letter plane holds the letter's own
// levels (the glyph's intensity); the hull holds at each pixel the largest level of letter,
// outline and shadow (its alpha).
class CEffectCanvas {
public:
    // Lays the box's rendered block (`letter` may be narrower or lower than the box: the rest is
    // paper) and the outline ring, whose top-left lies `ringX` columns right of and `ringY` rows
    // below the block's, onto a canvas that holds both. The canvas begins a multiple of
    // `columnStep` columns left of the block, so that pairs of columns stay the letter's own
    // when halved later. The box becomes the canvas: left and top follow its top-left corner.
    void Lay(const ByteRows& letter, const LevelMap& letterLevels, const ByteRows& ring,
             int32_t ringX, int32_t ringY, const LevelMap& ringLevels, int32_t columnStep,
             GlyphBox& box);
    // The hull moved `dx` right and `dy` down joins the hull, and the canvas grows to hold it.
    // An empty canvas (a glyph without pixels) stays as it is.
    void AddShadow(int32_t dx, int32_t dy, GlyphBox& box);

    std::span<uint8_t> Letter() { return m_letter; }
    std::span<uint8_t> Hull() { return m_hull; }
    ByteRows LetterRows(const GlyphBox& box) const;
    ByteRows HullRows(const GlyphBox& box) const;

private:
    std::vector<uint8_t> m_letter;
    std::vector<uint8_t> m_hull;
    std::vector<uint8_t> m_spare;  // the next canvas, reused between glyphs
};
