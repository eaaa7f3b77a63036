#include "console/Converters.h"

#include <gtest/gtest.h>

#include <string>

#include "support/TestSupport.h"

namespace {

using testing_support::ExpectError;

// Keywords in any case are rows of the golden conversions, failures rows of the console runs;
// here are the number forms that the options take.
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
}

TEST(ConvertersTest, CharCodes) {
    const struct {
        std::u16string text;
        CharEncoding encoding;
        uint16_t code;
    } good[] = {
        {u"A", kEncodingUtf16, u'A'},
        {u"\u3042", kEncodingShiftJis, 0x3042},  // one character stands for itself,
                                                 // whatever the encoding
        {u"00", kEncodingShiftJis, 0x0000},
        {u"0", kEncodingShiftJis, u'0'},
        {u"65", kEncodingUtf16, 0x41},
        {u"0x3042", kEncodingUtf16, 0x3042},
        {u"0X3042", kEncodingUtf8, 0x3042},
        {u"010", kEncodingUtf16, 8},
        {u" 0x41zz", kEncodingUtf16, 0x41},
        {u"0x41", kEncodingShiftJis, 0x0041},    // code page 932 byte 0x41
        {u"0x82A0", kEncodingShiftJis, 0x3042},  // two bytes, high first
        {u"0xA1", kEncodingShiftJis, 0xFF61},    // half-width katakana
        {u"0x80", kEncodingCp1252, 0x20AC},      // code page 1252
        {u"0x10041", kEncodingUtf16, 0x0041},    // cut to the low 16 bits
    };
    for (const auto& c : good) {
        EXPECT_EQ(ToCharCode(c.text, c.encoding), c.code) << Utf16ToUtf8(c.text);
    }
    // Held to 32 bits before the cut to 16: the low bits of 0x7FFFFFFF, which is no character.
    ExpectError([] { ToCharCode(u"4294967296", kEncodingUtf16); }, kErrInputValue,
                "Cannot show substitute character (0xFFFF) in Unicode. Use another character. ");
}

}  // namespace
