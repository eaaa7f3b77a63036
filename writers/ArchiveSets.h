#pragma once

#include <string>

#include "writers/SheetAssignment.h"

class CFontData;
class CGlyphGroups;
class CFontEncoding;

// The sheet sets and named groups of an archived font.
struct ArchiveSets {
    SheetSets sets;
    NamedGroups groups;
};

// Builds them from a loaded glyph groups file over the working font (codes in the output
// encoding): one set per leaf group that holds any of the font's codes (a parent's own
// characters do not count), numbered in document order, each code once per set but possibly
// in several sets; one more set of every code no group took. Every group whose leaves have
// sets becomes a named group with those sets, the first group of a name (children before their
// parent) winning; the set of the rest becomes the group "*".
ArchiveSets BuildArchiveSets(const CGlyphGroups& file, const CFontData& working,
                             const CFontEncoding& encoding);

// Loads the glyph groups file at `path` and, when it holds at least one group, puts its sets
// and named groups into `input`; false (a normal font) when it holds none.
bool LoadArchiveSets(const std::u16string& path, const CFontData& working,
                     const CFontEncoding& encoding, SheetAssignmentInput& input);
