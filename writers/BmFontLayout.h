#pragma once

#include <string>
#include <vector>

#include "bmfont/BmFontDescriptor.h"
#include "core/FontPreview.h"
#include "image/RgbImage.h"

class CFontData;

// A settled font laid out as an AngelCode BMFont font: one page per sheet of the binary font
// it would make, the glyphs in the same cells (glyph index = rank of the code, cells one pixel
// apart), and the descriptor that finds them.
struct BmFontLayout {
    BmFontDescriptor descriptor;
    // 32-bit pictures with alpha, in page id order.
    std::vector<CRgbImage> pages;
    // The cell of each glyph of the font, in the font's order; the characters of the
    // descriptor follow the same order.
    std::vector<ImageRect> cells;
};

// Intensity formats give white with the coverage in alpha (the ink of an I format, the alpha of
// an IA format), colour formats the glyphs' own colours and alpha; paper is the font's
// background so converted, transparent. `info` is the face and the page files' name stem:
// pages are "<stem>_<id>.png", the id zero-padded to the digits of the last. The font's ascent
// is `base`, its line feed `lineHeight`; a glyph is its image's rectangle (xoffset = left space,
// yoffset = base - its ascent, xadvance = its advance). A glyph width or a height past a binary
// font's 255 fails with 177 or 176, cells too large for any sheet with 270.
BmFontLayout LayOutBmFont(const CFontData& font, const std::u16string& stem);

// The name of page `id` of `pageCount` pages: "<stem>_<id>.png".
std::u16string BmFontPageName(const std::u16string& stem, int64_t id, int64_t pageCount);

// What a preview draws of the layout: the pages as pictures, each glyph's rectangle as its cell.
FontPreview PreviewOfBmFont(const CFontData& font, BmFontLayout layout);
