#include "console/CmdLine.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "support/TestSupport.h"

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

// What a scan makes of a command line, asked for one option. The parse errors are rows of the
// console runs (tests/e2e/console_runs.txt).
TEST(CmdLineTest, ScansParametersAsWritten) {
    const struct {
        std::u16string_view text;
        const char16_t* option;
        bool given;
        std::u16string param;
        int32_t number;  // GetIntParam with the default -1
    } cases[] = {
        {u"\"/opt/my tools/vela_typeloomc\"", u"i", false, u"", -1},
        {u"p -i image\t-if \"my font.bmp\"-io o.xlor", u"if", true, u"my font.bmp", 0},
        {u"p -i image\t-if \"my font.bmp\"-io o.xlor", u"io", true, u"o.xlor", 0},
        {u"p -og stray -o bofnt", u"og", true, u"", -1},
        {u"p -og stray -o bofnt", u"o", true, u"bofnt", 0},
        {u"p -it -o bofnt", u"it", true, u"", -1},
        {u"p -it fixed -iv", u"it", true, u"fixed", 0},
        {u"p -it fixed -iv", u"iv", true, u"", -1},
        {u"p -of a.bofnt -of b.bofnt", u"of", true, u"a.bofnt", 0},
        {u"p -if \"a b -o image", u"if", true, u"a b -o image", 0},
        {u"p -if \"a b -o image", u"o", false, u"", -1},
        {u"p\r\n-\"is\"\x01\x1F"
         u"16",
         u"is", true, u"16", 16},
        {u"p -is +42", u"is", true, u"+42", 42},
        {u"p -is 12px", u"is", true, u"12px", 12},
        {u"p -is px", u"is", true, u"px", 0},
        {u"p -is \" -7\"", u"is", true, u" -7", -7},
        {u"p -is 2147483648", u"is", true, u"2147483648", kMax},
        {u"p -is 99999999999999999999999", u"is", true, u"99999999999999999999999", kMax},
        {u"p -is \" -2147483649\"", u"is", true, u" -2147483649", kMin},
        {u"p -is 0x10", u"is", true, u"0x10", 0},
        {u"p -oh 12 -oh 13", u"oh", true, u"12", 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(std::u16string(c.text)) + " / " + Utf16ToUtf8(c.option));
        const CCmdLine cmd(c.text, ConsoleOptionTable());
        EXPECT_EQ(cmd.HasOption(c.option), c.given);
        EXPECT_EQ(cmd.GetParam(c.option), c.param);
        EXPECT_EQ(cmd.GetIntParam(c.option, -1), c.number);
    }
    EXPECT_EQ(CCmdLine(u"p -og stray", ConsoleOptionTable()).PlainArguments(),
              (std::vector<std::u16string>{u"p", u"stray"}));
    EXPECT_FALSE(CCmdLine(u"p", ConsoleOptionTable()).HasAnyOption());
}

// A table of another program may hold a kind the console's never does.
TEST(CmdLineTest, UnknownKindInATableIsAnInternalError) {
    const CmdOption table[] = {{u"a", 0}, {u"b", 3}};
    EXPECT_TRUE(CCmdLine(u"p -a", table).HasOption(u"a"));
    testing_support::ExpectError([&] { CCmdLine(u"p -b", table); }, kErrInternal,
                                 "Invalid option type (3).");
}

TEST(CmdLineTest, LongTextIsScannedWithoutTrouble) {
    std::u16string text = u"p -if \"" + std::u16string(40000, u'x') + u"\"";
    for (int i = 0; i < 5000; ++i) {
        text += u" -og";
    }
    const CCmdLine cmd(text, ConsoleOptionTable());
    EXPECT_EQ(cmd.GetParam(u"if").size(), 40000u);
    EXPECT_TRUE(cmd.HasOption(u"og"));
}

}  // namespace
