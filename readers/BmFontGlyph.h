#pragma once

#include <cstdint>
#include <memory>

#include "bmfont/BmFontDescriptor.h"
#include "core/Glyph.h"
#include "format/TextureFormat.h"
#include "image/IImage.h"

// Where a BMFont character's coverage (how much ink each pixel holds) lies on its page.
// kLetterInColour: the alpha holds glyph and outline, the colour's grey the glyph alone.
enum class BmFontCoverage { kAlpha, kRed, kGreen, kBlue, kGrey, kLetterInColour };

// The alpha channel when the font keeps its glyphs there (alphaChnl 0 or 2; with 2 and the
// glyph in the red channel, the letter apart in the colour), the named channel of a character
// packed into one, else the grey level of the colour.
BmFontCoverage CoverageOf(const BmFontCommon& common, const BmFontChar& ch);

// The character's page rectangle cropped to its ink (the pixels of non-zero coverage). Intensity
// formats take coverage as ink (grey 255 - coverage with alpha coverage), as an installed font's
// glyphs hold it, or with the letter apart the colour's grey as ink (an outlined font); colour
// formats keep the page's colours with coverage as alpha. Left space = xoffset + the crop's left,
// ascent = base - (yoffset + the crop's top), the advance xadvance. The rectangle lies inside the
// page (CheckDescriptor).
std::unique_ptr<CGlyph> CutBmFontGlyph(const IImage& page, const BmFontChar& ch,
                                       BmFontCoverage coverage, TextureFormat format, int32_t base);
