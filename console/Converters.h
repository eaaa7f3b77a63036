#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "format/FontEncoding.h"
#include "format/TextureFormat.h"
#include "readers/GlyphEffects.h"
#include "readers/Letterer.h"
#include "writers/ImageFontWriter.h"

// The option texts of the console program turned into the settings readers and writers take.
// Every failure throws: category 4 (command line) unless said otherwise.

struct Keyword {
    std::u16string_view keyword;  // lower case
    int32_t value;
};

// The value of the first keyword equal to the text in lower case, else `notFound`.
int32_t LookupKeyword(const std::u16string& text, std::span<const Keyword> table, int32_t notFound);

// "utf8", "utf16", "sjis", "cp1252", any case (208).
CharEncoding ToEncodingType(const std::u16string& text);
// "glyph", "keepsp", "char", "fixed", any case (216).
CLetterer::WidthType ToWidthType(const std::u16string& text);
// "i4" ... "rgba8", any case (164 when empty, 206).
TextureFormat ToGlyphImageFormat(const std::u16string& text);
// "ext", "bmp", "tga", "png", any case (212).
CImageFontWriter::OutputFormat ToImageFormat(const std::u16string& text);
// "<width>x<height>" in decimal (157).
void ToSheetSize(int32_t& width, int32_t& height, const std::u16string& text);
// "I1".."I8" (no alpha) or "IA1".."IA8" (alpha), upper case (165 when empty, 143).
void ReadBpp(const std::u16string& text, int32_t& depth, bool& alpha);
// A whole decimal number, signed or not (470 with the text); the reader checks its range.
int32_t ToOutlineWidth(const std::u16string& text);
// "<dx>,<dy>", two whole decimal numbers (471 with the text); the reader checks their range.
GlyphEffects::Offset ToShadowOffset(const std::u16string& text);
// One character stands for itself; anything else is a number (decimal, 0x hexadecimal or 0
// octal) cut to 16 bits, read as a code of the encoding (CFontEncoding::SubstituteFromCode).
uint16_t ToCharCode(const std::u16string& text, CharEncoding encoding);
// A definition file option's path, or the shipped file of `kind` ("xlor", "xggp", "xllt") it
// names: "ascii", "ascii.xlor" (see ShippedFile). Never fails; a path that leads nowhere fails
// when the file is read.
std::u16string ToDefinitionFile(const std::u16string& text, const std::u16string& kind);
