#pragma once

#include <string>

#include "core/FontPreview.h"

class CResFont;

// What a preview draws of a loaded binary font resource: each sheet decoded to pixels (expanded
// first when stored compressed), and each character of its maps, in UTF-16, with its cell and
// width entry. A font whose glyphs are kept as CGLP bitmaps, or whose texture format is unknown,
// has no pictures; its characters have the picture -1. Sheets past the largest picture size fail
// with category 1, message 179; a broken sheet layout with the resource error (category 6, 151).
FontPreview PreviewOfResFont(const CResFont& font);

// A binary font file as it stands, loaded with the checks of the binary font reader.
FontPreview LoadFontPreview(const std::u16string& path);
