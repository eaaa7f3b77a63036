#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "writers/format/ResFontBlocks.h"
#include "writers/format/TextureFormat.h"

class CFontData;
class CGlyph;
class CCharFilter;

// Binary font files built field by field for the reader's tests, independent of the writer.
namespace quill_fixture {

// Pixel words of the drawing characters: '#' solid black ink, '+' black of alpha 136 (an I4
// value of 8, kept exactly by every intensity format), '.' transparent white paper.
inline constexpr uint32_t kInk = 0xFF000000u;
inline constexpr uint32_t kHalfInk = 0x88777777u;
inline constexpr uint32_t kPaper = 0x00FFFFFFu;

struct Glyph {
    uint16_t code = 0;  // in the file's encoding
    int8_t left = 0;
    int8_t right = 0;
    // The glyph's columns of its cell, top row first; all rows of one length (the glyph width).
    std::vector<std::string> rows;
};

struct Font {
    uint16_t version = 0x0104;
    int32_t format = kTexI4;
    bool compressed = false;
    uint8_t encoding = 1;
    int8_t lineFeed = 12;
    uint16_t alternateIndex = 0;
    int8_t defaultLeft = 1;
    uint8_t defaultGlyphWidth = 4;
    int8_t defaultCharWidth = 6;
    uint8_t height = 9;
    uint8_t width = 7;
    uint8_t ascent = 7;
    uint8_t cellWidth = 5;
    uint8_t cellHeight = 8;
    int8_t baseline = 6;
    uint16_t sheetWidth = 32;
    uint16_t sheetHeight = 32;
    // Glyph index i is glyphs[i]; each code maps to its index through one scan map.
    std::vector<Glyph> glyphs;
};

// The three glyphs most tests use: 'A' (two ink levels), 'i' (narrow) and a space.
std::vector<Glyph> SampleGlyphs();

// Checks the 'A' of SampleGlyphs as read back: cropped to 5 x 6 at the baseline, its spaces,
// ink, paper and the word its '+' decodes to.
void ExpectSampleA(const CGlyph& a, uint32_t halfInk);

// The whole file, big-endian, as the writer lays it out.
std::vector<uint8_t> Build(const Font& font);

// The same font with CGLP bitmaps of `bitsPerPixel` bits (1, 2, 4 or 8) instead of sheets, in
// the layout the reader documents; '#' is the largest value, '+' half of it, '.' zero.
std::vector<uint8_t> BuildCharGlyphs(const Font& font, int bitsPerPixel);

// The little-endian twin of a big-endian file: every 16- and 32-bit field of the header, the
// block headers and the FINF, TGLP, CGLP, CWDH and CMAP contents swapped; bytes, sheets and
// compressed streams as they are.
std::vector<uint8_t> SwapToLittleEndian(std::span<const uint8_t> file);

// File offset of the content of the n-th block of a kind.
std::size_t ContentOffset(std::span<const uint8_t> file, uint32_t kind, std::size_t n = 0);

// Writes the file to a fresh folder and reads it through CQuillFontReader, checks first; the
// filter passes everything unless one is given.
void ReadFont(std::span<const uint8_t> file, CFontData& font, const CCharFilter* filter = nullptr);

}  // namespace quill_fixture
