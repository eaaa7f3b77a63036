#pragma once

#include <cstdint>
#include <memory>

#include "bmfont/BmFontDescriptor.h"
#include "core/Glyph.h"
#include "format/TextureFormat.h"
#include "image/IImage.h"

// Where a BMFont character's coverage (how much ink each pixel holds) lies on its page.
enum class BmFontCoverage { kAlpha, kRed, kGreen, kBlue, kGrey };

// The alpha channel when the font keeps its glyphs there (alphaChnl 0 or 2), the named channel
// of a character packed into one, else the grey level of the colour.
BmFontCoverage CoverageOf(const BmFontCommon& common, const BmFontChar& ch);

// The character's page rectangle cropped to its ink (the pixels of non-zero coverage). Intensity
// formats take coverage as ink (grey 255 - coverage with alpha coverage), as an installed font's
// glyphs hold it; colour formats keep the page's colours with coverage as alpha. Left space =
// xoffset + the crop's left, ascent = base - (yoffset + the crop's top), the advance xadvance.
// The rectangle lies inside the page (CheckDescriptor).
std::unique_ptr<CGlyph> CutBmFontGlyph(const IImage& page, const BmFontChar& ch,
                                       BmFontCoverage coverage, TextureFormat format, int32_t base);
