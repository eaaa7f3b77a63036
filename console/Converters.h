#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The option texts of the console program turned into the numbers readers and writers take.
// Every failure throws: category 4 (command line) unless said otherwise.

struct Keyword {
    std::u16string_view keyword;  // lower case
    int32_t value;
};

// The value of the first keyword equal to the text in lower case, else `notFound`.
int32_t LookupKeyword(const std::u16string& text, std::span<const Keyword> table, int32_t notFound);

// "utf8" 0, "utf16" 1, "sjis" 2, "cp1252" 3, any case (208).
int32_t ToEncodingType(const std::u16string& text);
// "glyph" 0, "keepsp" 1, "char" 2, "fixed" 3, any case (216).
int32_t ToWidthType(const std::u16string& text);
// "i4" 0 ... "rgba8" 6, any case (164 when empty, 206).
int32_t ToGlyphImageFormat(const std::u16string& text);
// "ext" 0, "bmp" 1, "tga" 2, any case (212).
int32_t ToImageFormat(const std::u16string& text);
// "<width>x<height>" in decimal (157).
void ToSheetSize(int32_t& width, int32_t& height, const std::u16string& text);
// "I1".."I8" (no alpha) or "IA1".."IA8" (alpha), upper case (165 when empty, 143).
void ReadBpp(const std::u16string& text, int32_t& depth, bool& alpha);
// One character stands for itself; anything else is a number (decimal, 0x hexadecimal or 0
// octal) cut to 16 bits, read as a code of the encoding's code page when it has one. A result
// of 0xFFFF fails with category 8, message 106.
uint16_t ToCharCode(const std::u16string& text, int32_t encoding);
