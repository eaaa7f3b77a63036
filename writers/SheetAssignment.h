#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

class CFontData;
class CFontEncoding;

// Character codes whose glyphs go onto one contiguous range of sheets.
struct SheetSet {
    int32_t number = 0;
    // (code, glyph index); the indices are filled by the assignment.
    std::vector<std::pair<uint16_t, uint16_t>> codes;
    int32_t firstSheet = 0;
    int32_t startCell = 0;
    int32_t lastSheet = 0;
    // The CWDH and CMAP blocks (by number in file order) that the set's glyphs use.
    std::vector<int32_t> widthBlocks;
    std::vector<int32_t> mapBlocks;
};
using SheetSets = std::map<int32_t, SheetSet>;

// A glyph group the console can load on its own: the sets (in increasing number) it needs.
struct NamedGroup {
    int32_t groupIndex = 0;
    std::string name;
    std::vector<int32_t> sets;
};
using NamedGroups = std::map<std::string, NamedGroup>;

// What the assignment decides for one conversion.
struct SheetAssignment {
    SheetSets sets;
    NamedGroups groups;
    uint16_t alternateCode = 0;
    uint16_t alternateIndex = 0;
    int32_t sheetCount = 0;
    int64_t totalCells = 0;
    // The glyph index of every code a set holds (the last one given, for a code several sets
    // hold); -1 for the other codes. The working font itself is left as it is.
    std::vector<int32_t> indexOfCode;
};

// The inputs of the assignment besides the working font.
struct SheetAssignmentInput {
    // Sets and named groups built from a glyph groups file; empty for a normal font, which
    // gets one set of every glyph.
    SheetSets sets;
    NamedGroups groups;
    // The alternate character setting (UTF-16), 0xFFFF when not given.
    uint16_t alternateSetting = 0xFFFF;
    int32_t cellsPerSheet = 0;
};

// Places the sets on sheets with `cellsPerSheet` cells each: sets filling whole sheets first,
// then groups of three or more sets sharing one sheet, then pairs, then the rest on fresh sheets.
// Fills each set's first sheet, start cell and last sheet; returns the number of sheets used.
int32_t PlaceSheetSets(SheetSets& sets, int32_t cellsPerSheet);

// Gives every glyph of the working font (codes in the output encoding, glyphs in ascending code
// order) its glyph index in indexOfCode: chooses the alternate code and adds it to every set, moves
// codes held by several sets into sets of their own, places the sets on sheets (whole sheets first,
// then shared sheets and pairs for sets that leave room) and numbers each set's codes from its
// start cell. Fails with 105 (alternate not representable), 104/103 (alternate not in the font) or,
// when an index would not fit the 16-bit indices that leave 0xFFFF for "no glyph", 276.
SheetAssignment ConstructSheetAssingment(const CFontData& working, SheetAssignmentInput input,
                                         const CFontEncoding& encoding);
