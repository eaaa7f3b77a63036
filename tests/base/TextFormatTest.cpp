#include "base/TextFormat.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/Text.h"

namespace {

std::string Format(std::u16string_view format, std::vector<MessageArg> args) {
    return Utf16ToUtf8(FormatText(format, args));
}

TEST(TextFormatTest, ConversionsMessagesUse) {
    const struct {
        std::u16string_view format;
        std::vector<MessageArg> args;
        std::string expected;
    } cases[] = {
        {u"(%s)", {u"caf\u00E9"}, "(caf\xC3\xA9)"},
        {u"'%c': U+%04X", {0x41, 0x41}, "'A': U+0041"},
        {u"'%c'", {0x3042}, "'\xE3\x81\x82'"},
        {u"%d x %d", {-12, 345}, "-12 x 345"},
        {u"%d", {int64_t{-2147483648LL}}, "-2147483648"},
        {u"0x%08X", {0xDEADBEEFu}, "0xDEADBEEF"},
        {u"0x%08X", {11}, "0x0000000B"},
        {u"%02X%02X%02X", {0xFF, 0x7F, 0x0A}, "FF7F0A"},
        {u"%02d", {7}, "07"},
        {u"%x", {255}, "ff"},
        {u"%X", {-1}, "FFFFFFFF"},
        {u"%5d|%-5d|%+d", {42, 42, 42}, "   42|42   |+42"},
        {u"%10d|%.10s|", {42, u"ab"}, "        42|ab|"},
        {u"%.3s", {u"abcdef"}, "abc"},
        {u"%6s|%-6s|", {u"ab", u"ab"}, "    ab|ab    |"},
        {u"100%%", {}, "100%"},
        {u"%ld", {5}, "5"},
        {u"%*d", {4, 9}, "   9"},
        {u"%s and %d", {}, " and 0"},
        {u"%d", {u"text"}, "0"},
        {u"%s", {17}, ""},
        {u"%q", {}, "%q"},
        {u"ends with %", {}, "ends with %"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Format(c.format, c.args), c.expected) << Utf16ToUtf8(c.format);
    }
}

TEST(TextFormatTest, ResultIsCutTo1023Units) {
    const std::u16string long2000(2000, u'a');
    EXPECT_EQ(FormatText(u"%s", std::vector<MessageArg>{long2000}).size(), 1023u);
    const std::u16string exact(1023, u'b');
    EXPECT_EQ(FormatText(exact, {}), exact);
    const std::u16string over = exact + u"c";
    EXPECT_EQ(FormatText(over, {}), exact);
    // A huge width stays bounded too.
    EXPECT_EQ(FormatText(u"%99999d", std::vector<MessageArg>{1}).size(), 1023u);
}

}  // namespace
