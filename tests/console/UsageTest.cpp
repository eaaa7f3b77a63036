#include "console/Usage.h"

#include <gtest/gtest.h>

#include "base/Text.h"

namespace {

// The texts themselves are golden files (tests/golden/usage-*.stdout).
TEST(UsageTest, JapaneseLocales) {
    for (const std::u16string name :
         {u"ja_JP.UTF-8", u"ja", u"ja_JP.eucJP", u"Japanese_Japan.932", u"JPN", u"x.JAPANESE"}) {
        EXPECT_TRUE(IsJapaneseLocale(name)) << Utf16ToUtf8(name);
    }
    for (const std::u16string name : {u"", u"C", u"en_US.UTF-8", u"ko_KR", u"jp"}) {
        EXPECT_FALSE(IsJapaneseLocale(name)) << Utf16ToUtf8(name);
    }
}

}  // namespace
