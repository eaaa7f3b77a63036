#include "console/Usage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Text.h"

namespace {

std::vector<std::string> Lines(const std::u16string& text) {
    std::vector<std::string> lines;
    const std::string utf8 = Utf16ToUtf8(text);
    std::size_t begin = 0;
    for (std::size_t end; (end = utf8.find('\n', begin)) != std::string::npos; begin = end + 1) {
        lines.push_back(utf8.substr(begin, end - begin));
    }
    EXPECT_EQ(begin, utf8.size()) << "the text ends with a line break";
    return lines;
}

TEST(UsageTest, EnglishText) {
    const auto lines = Lines(UsageText(false));
    ASSERT_EQ(lines.size(), 54u);
    EXPECT_EQ(lines[0], "VELA_typeloomc - Font Converter - Version 1.5.0");
    EXPECT_EQ(lines[1], "Usage:");
    EXPECT_EQ(lines[2],
              "  vela_typeloomc -i <in_fmt> <in_opt> -o <out_fmt> <out_opt> [-f <filter>]");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[12],
              "   -ic <format>           texture format: <format> = I4, I8, IA4, IA8, "
              "RGB565, RGB5A3, RGBA8");
    EXPECT_EQ(lines[42], "   -ocn <color=FF7F7F>    <null/> cell color");
    EXPECT_EQ(lines[43], "");
    EXPECT_EQ(lines[53], "   -or <right>            right space");
}

TEST(UsageTest, JapaneseText) {
    const auto lines = Lines(UsageText(true));
    ASSERT_EQ(lines.size(), 59u);
    EXPECT_EQ(lines[0], "VELA_typeloomc - Font Converter - Version 1.5.0");
    EXPECT_EQ(lines[1], "使用法:");
    EXPECT_EQ(lines[5], " -o <out_fmt>             <out_fmt> は image, bofnt のどちらか");
    EXPECT_EQ(lines[13], "                          I4, I8, IA4, IA8, RGB565, RGB5A3, RGBA8");
    EXPECT_EQ(lines[58], "   -or <left>             デフォルト右スペース");
}

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
