#include "base/Util.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

TEST(UtilTest, ColorToStringIsTheInverse) {
    EXPECT_EQ(ColorToString(0x7F7FFF), u"FF7F7F");
    EXPECT_EQ(ColorToString(0x563412), u"123456");
    EXPECT_EQ(ColorToString(0xFF000000u), u"000000");
    for (const std::u16string text : {u"99AA99", u"FF0000", u"0A0B0C"}) {
        EXPECT_EQ(ColorToString(ToColor(text)), text);
    }
}

}  // namespace
