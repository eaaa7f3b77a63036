#include "console/Converters.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "image/ErrorExpect.h"

namespace {

using testing_support::ExpectError;

struct KeywordCase {
    std::u16string text;
    int32_t value;
};

void ExpectKeywords(const std::function<int32_t(const std::u16string&)>& convert,
                    const std::vector<KeywordCase>& cases) {
    for (const auto& c : cases) {
        EXPECT_EQ(convert(c.text), c.value) << Utf16ToUtf8(c.text);
    }
}

TEST(ConvertersTest, EncodingTypes) {
    ExpectKeywords(ToEncodingType, {{u"utf8", 0}, {u"UTF16", 1}, {u"SJis", 2}, {u"cp1252", 3}});
    ExpectError([] { ToEncodingType(u"utf-8"); }, kErrCommandLine,
                "Invalid character string encoding (utf-8).");
    ExpectError([] { ToEncodingType(u""); }, kErrCommandLine,
                "Invalid character string encoding ().");
}

TEST(ConvertersTest, WidthTypes) {
    ExpectKeywords(ToWidthType, {{u"glyph", 0}, {u"KeepSp", 1}, {u"CHAR", 2}, {u"fixed", 3}});
    ExpectError([] { ToWidthType(u"wide"); }, kErrCommandLine, "Invalid output format (wide).");
    // -it given alone reaches the conversion as empty text.
    ExpectError([] { ToWidthType(u""); }, kErrCommandLine, "Invalid output format ().");
}

TEST(ConvertersTest, GlyphImageFormats) {
    ExpectKeywords(ToGlyphImageFormat, {{u"I4", 0},
                                        {u"i8", 1},
                                        {u"IA4", 2},
                                        {u"ia8", 3},
                                        {u"RGB565", 4},
                                        {u"rgb5A3", 5},
                                        {u"RGBA8", 6}});
    ExpectError([] { ToGlyphImageFormat(u""); }, kErrCommandLine,
                "The color format is not specified.");
    ExpectError([] { ToGlyphImageFormat(u"IA6"); }, kErrCommandLine, "Invalid color format (IA6).");
}

TEST(ConvertersTest, ImageFormats) {
    ExpectKeywords(ToImageFormat, {{u"ext", 0}, {u"BMP", 1}, {u"Tga", 2}});
    ExpectError([] { ToImageFormat(u"png"); }, kErrCommandLine, "Invalid file format (png).");
}

TEST(ConvertersTest, LookupKeywordReturnsTheFirstMatchOrNotFound) {
    const Keyword table[] = {{u"a", 1}, {u"b", 2}, {u"a", 3}};
    EXPECT_EQ(LookupKeyword(u"A", table, -9), 1);
    EXPECT_EQ(LookupKeyword(u"b", table, -9), 2);
    EXPECT_EQ(LookupKeyword(u"c", table, -9), -9);
}

TEST(ConvertersTest, SheetSizes) {
    const struct {
        std::u16string text;
        int32_t width;
        int32_t height;
    } good[] = {
        {u"256x128", 256, 128},
        {u" 64x 32", 64, 32},
        {u"+8x-4", 8, -4},
        {u"512x1024rest", 512, 1024},
        {u"99999999999x1", 2147483647, 1},
    };
    for (const auto& c : good) {
        int32_t w = 0;
        int32_t h = 0;
        ToSheetSize(w, h, c.text);
        EXPECT_EQ(w, c.width) << Utf16ToUtf8(c.text);
        EXPECT_EQ(h, c.height) << Utf16ToUtf8(c.text);
    }
    for (const std::u16string bad : {u"", u"256", u"256x", u"256X128", u"256 x128", u"x128"}) {
        int32_t w = -1;
        int32_t h = -1;
        ExpectError([&] { ToSheetSize(w, h, bad); }, kErrCommandLine, "Illegal sheet size format.");
        EXPECT_EQ(w, -1);
    }
}

TEST(ConvertersTest, BitDepths) {
    const struct {
        std::u16string text;
        int32_t depth;
        bool alpha;
    } good[] = {{u"I1", 1, false}, {u"I8", 8, false}, {u"IA4", 4, true}, {u"IA6", 6, true}};
    for (const auto& c : good) {
        int32_t depth = 0;
        bool alpha = !c.alpha;
        ReadBpp(c.text, depth, alpha);
        EXPECT_EQ(depth, c.depth);
        EXPECT_EQ(alpha, c.alpha);
    }
    int32_t depth = 0;
    bool alpha = false;
    ExpectError([&] { ReadBpp(u"", depth, alpha); }, kErrCommandLine,
                "Bit depth was not specified. ");
    for (const std::u16string bad : {u"ia4", u"i4", u"I0", u"I9", u"IA", u"I", u"IA44", u"A4"}) {
        ExpectError([&] { ReadBpp(bad, depth, alpha); }, kErrCommandLine,
                    "Invalid bit depth specification (" + Utf16ToUtf8(bad) + ").");
    }
}

TEST(ConvertersTest, CharCodes) {
    const struct {
        std::u16string text;
        int32_t encoding;
        uint16_t code;
    } good[] = {
        {u"A", 1, u'A'},
        {u"\u3042", 2, 0x3042},  // one character stands for itself,
                                 // whatever the encoding
        {u"00", 2, 0x0000},
        {u"0", 2, u'0'},
        {u"65", 1, 0x41},
        {u"0x3042", 1, 0x3042},
        {u"0X3042", 0, 0x3042},
        {u"010", 1, 8},
        {u" 0x41zz", 1, 0x41},
        {u"0x41", 2, 0x0041},     // code page 932 byte 0x41
        {u"0x82A0", 2, 0x3042},   // two bytes, high first
        {u"0xA1", 2, 0xFF61},     // half-width katakana
        {u"0x80", 3, 0x20AC},     // code page 1252
        {u"0x10041", 1, 0x0041},  // cut to the low 16 bits
    };
    for (const auto& c : good) {
        EXPECT_EQ(ToCharCode(c.text, c.encoding), c.code) << Utf16ToUtf8(c.text);
    }
    const struct {
        std::u16string text;
        int32_t encoding;
        std::string message;
    } bad[] = {
        // Held to 32 bits before the cut, so these are 0x7FFFFFFF, low bits 0xFFFF.
        {u"4294967296", 1, "(0xFFFF)"}, {u"99999999999", 1, "(0xFFFF)"}, {u"0xFFFF", 1, "(0xFFFF)"},
        {u"\uFFFF", 1, "(0xFFFF)"},     {u"0x81", 2, "(0x0081)"},  // a lone lead byte
        {u"0x8240", 2, "(0x8240)"},                                // unassigned
        {u"0x4142", 2, "(0x4142)"},                                // two characters
        {u"0xA0", 2, "(0x00A0)"},
    };
    for (const auto& c : bad) {
        ExpectError([&] { ToCharCode(c.text, c.encoding); }, kErrInputValue,
                    "Cannot show substitute character " + c.message +
                        " in Unicode. Use another character. ");
    }
}

}  // namespace
