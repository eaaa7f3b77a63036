#include "core/Util.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

TEST(UtilTest, ColorTextsAccepted) {
    const struct {
        std::u16string text;
        uint32_t value;
    } cases[] = {
        {u"FF7F7F", 0x7F7FFF}, {u"#FF7F7F", 0x7F7FFF},  {u"0xFF7F7F", 0x7F7FFF},
        {u"ff7f7f", 0x7F7FFF}, {u"0x99aA99", 0x99AA99}, {u"000000", 0},
        {u"123456", 0x563412}, {u"#FFFFFF", 0xFFFFFF},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToColor(c.text), c.value) << Utf16ToUtf8(c.text);
    }
}

TEST(UtilTest, ColorTextsRejected) {
    for (const std::u16string text :
         {u"0XFF7F7F", u"FF7F7", u"FF7F7G", u"", u"#", u"0x", u"FF7F7F0", u"##FF7F7F", u" F7F7F",
          u"+F7F7F", u"#0xFF7F7F"}) {
        testing_support::ExpectError([&] { ToColor(text); }, kErrInputValue,
                                     "Invalid color parameter format(" + Utf16ToUtf8(text) + ")");
    }
}

TEST(UtilTest, ColorToStringIsTheInverse) {
    EXPECT_EQ(ColorToString(0x7F7FFF), u"FF7F7F");
    EXPECT_EQ(ColorToString(0x563412), u"123456");
    EXPECT_EQ(ColorToString(0xFF000000u), u"000000");
    for (const std::u16string text : {u"99AA99", u"FF0000", u"0A0B0C"}) {
        EXPECT_EQ(ColorToString(ToColor(text)), text);
    }
}

}  // namespace
