#include "console/CmdLine.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

using Words = std::vector<std::u16string>;

// What a scan makes of the program's arguments, asked for one option. The parse errors are
// rows of the console runs (tests/e2e/console_runs.txt).
TEST(CmdLineTest, ScansParametersAsGiven) {
    const struct {
        Words words;
        const char16_t* option;
        bool given;
        std::u16string param;
        int32_t number;  // GetIntParam with the default -1
    } cases[] = {
        {{u"/opt/my tools/vela_typeloomc"}, u"i", false, u"", -1},
        {{u"p", u"-i", u"image", u"-if", u"my font.bmp", u"-io", u"o.xlor"},
         u"if",
         true,
         u"my font.bmp",
         0},
        {{u"p", u"-og", u"stray", u"-o", u"bofnt"}, u"og", true, u"", -1},
        {{u"p", u"-og", u"stray", u"-o", u"bofnt"}, u"o", true, u"bofnt", 0},
        {{u"p", u"-it", u"-o", u"bofnt"}, u"it", true, u"", -1},
        {{u"p", u"-it", u"fixed", u"-iv"}, u"it", true, u"fixed", 0},
        {{u"p", u"-it", u"fixed", u"-iv"}, u"iv", true, u"", -1},
        {{u"p", u"-of", u"a.bofnt", u"-of", u"b.bofnt"}, u"of", true, u"a.bofnt", 0},
        // Quotes and blanks inside a word are the word's own.
        {{u"p", u"-of", u"\"a b\" -o image"}, u"of", true, u"\"a b\" -o image", 0},
        {{u"p", u"-of", u"a\"b.bofnt"}, u"of", true, u"a\"b.bofnt", 0},
        {{u"p", u"-is", u"+42"}, u"is", true, u"+42", 42},
        {{u"p", u"-is", u"12px"}, u"is", true, u"12px", 12},
        {{u"p", u"-is", u"px"}, u"is", true, u"px", 0},
        {{u"p", u"-is", u" -7"}, u"is", true, u" -7", -7},
        {{u"p", u"-is", u"2147483648"}, u"is", true, u"2147483648", kMax},
        {{u"p", u"-is", u"99999999999999999999999"}, u"is", true, u"99999999999999999999999", kMax},
        {{u"p", u"-is", u" -2147483649"}, u"is", true, u" -2147483649", kMin},
        {{u"p", u"-is", u"0x10"}, u"is", true, u"0x10", 0},
        {{u"p", u"-oh", u"12", u"-oh", u"13"}, u"oh", true, u"12", 12},
        // The effect options may take a negative number, and only a number.
        {{u"p", u"-ies", u"-2,3", u"-o", u"bofnt"}, u"ies", true, u"-2,3", -2},
        {{u"p", u"-ieo", u"-3", u"-o", u"bofnt"}, u"o", true, u"bofnt", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.words.back()) + " / " + Utf16ToUtf8(c.option));
        const CCmdLine cmd(c.words, ConsoleOptionTable());
        EXPECT_EQ(cmd.HasOption(c.option), c.given);
        EXPECT_EQ(cmd.GetParam(c.option), c.param);
        EXPECT_EQ(cmd.GetIntParam(c.option, -1), c.number);
    }
    EXPECT_EQ(CCmdLine(Words{u"p", u"-og", u"stray"}, ConsoleOptionTable()).PlainArguments(),
              (Words{u"p", u"stray"}));
    EXPECT_FALSE(CCmdLine(Words{u"p"}, ConsoleOptionTable()).HasAnyOption());
}

// A table of another program may hold a kind the console's never does.
TEST(CmdLineTest, UnknownKindInATableIsAnInternalError) {
    const CmdOption table[] = {{u"a", 0}, {u"b", 4}};
    EXPECT_TRUE(CCmdLine(Words{u"p", u"-a"}, table).HasOption(u"a"));
    testing_support::ExpectError(
        [&] {
            CCmdLine(Words{u"p", u"-b"}, table);
        },
        kErrInternal, "Invalid option type (4).");
}

TEST(CmdLineTest, LongArgumentsAreScannedWithoutTrouble) {
    Words words{u"p", u"-if", std::u16string(40000, u'x')};
    words.resize(words.size() + 5000, u"-og");
    const CCmdLine cmd(words, ConsoleOptionTable());
    EXPECT_EQ(cmd.GetParam(u"if").size(), 40000u);
    EXPECT_TRUE(cmd.HasOption(u"og"));
}

}  // namespace
