#include "console/CmdLine.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "image/ErrorExpect.h"

namespace {

using testing_support::ExpectError;

CCmdLine Parse(std::u16string_view text) {
    return CCmdLine(text, ConsoleOptionTable());
}

TEST(CmdLineTest, TableHasTheThirtyEightRowsInOrder) {
    const auto table = ConsoleOptionTable();
    ASSERT_EQ(table.size(), 38u);
    std::u16string names;
    std::u16string kinds;
    for (const CmdOption& row : table) {
        names.append(row.name).push_back(u' ');
        kinds.push_back(static_cast<char16_t>(u'0' + row.kind));
    }
    EXPECT_EQ(names,
              u"h i f o if io ic in is isw it iw ig iv ia of oo og oa oh ot ob ol or ow oe oh om "
              u"on oi op ox os ocb ocg ocm ocw ocn ");
    EXPECT_EQ(kinds, u"02222222221221022022222222222222222222");
}

TEST(CmdLineTest, ProgramPathAloneGivesNoOptions) {
    const CCmdLine cmd = Parse(u"\"/opt/my tools/vela_typeloomc\"");
    EXPECT_FALSE(cmd.HasAnyOption());
    EXPECT_EQ(cmd.PlainArguments(), std::vector<std::u16string>{u"/opt/my tools/vela_typeloomc"});
}

TEST(CmdLineTest, OptionsParametersAndPlainWords) {
    const CCmdLine cmd = Parse(
        u"prog -i image\t-if \"my font.bmp\"-io order.xlor -og stray -it -o bofnt "
        u"-of a.bofnt -of b.bofnt -og -oh 12");
    EXPECT_EQ(cmd.GetParam(u"i"), u"image");
    // The quoted name keeps its blank; the scan goes on right behind the closing quote.
    EXPECT_EQ(cmd.GetParam(u"if"), u"my font.bmp");
    EXPECT_EQ(cmd.GetParam(u"io"), u"order.xlor");
    // Kind 0 takes nothing: the next word is a plain argument.
    EXPECT_TRUE(cmd.HasOption(u"og"));
    EXPECT_EQ(cmd.GetParam(u"og"), u"");
    // Kind 1 directly before an option is recorded without a parameter.
    EXPECT_TRUE(cmd.HasOption(u"it"));
    EXPECT_EQ(cmd.GetParam(u"it"), u"");
    EXPECT_EQ(cmd.GetIntParam(u"it", 7), 7);
    EXPECT_EQ(cmd.GetParam(u"o"), u"bofnt");
    // Repeated: the first wins.
    EXPECT_EQ(cmd.GetParam(u"of"), u"a.bofnt");
    EXPECT_EQ(cmd.GetIntParam(u"oh", -1), 12);
    EXPECT_FALSE(cmd.HasOption(u"f"));
    EXPECT_EQ(cmd.GetParam(u"f"), u"");
    EXPECT_EQ(cmd.GetIntParam(u"f", -3), -3);
    EXPECT_EQ(cmd.PlainArguments(), (std::vector<std::u16string>{u"prog", u"stray"}));
}

TEST(CmdLineTest, KindOneTakesAFollowingWord) {
    const CCmdLine cmd = Parse(u"p -it fixed -iv");
    EXPECT_EQ(cmd.GetParam(u"it"), u"fixed");
    EXPECT_TRUE(cmd.HasOption(u"iv"));
}

TEST(CmdLineTest, UnclosedQuoteTakesTheRestOfTheText) {
    const CCmdLine cmd = Parse(u"p -if \"a b -o image");
    EXPECT_EQ(cmd.GetParam(u"if"), u"a b -o image");
    EXPECT_FALSE(cmd.HasOption(u"o"));
}

TEST(CmdLineTest, QuotedOptionNameAndControlCharactersAsBlanks) {
    const CCmdLine cmd = Parse(
        u"p\r\n-\"is\"\x01\x1F"
        u"16");
    EXPECT_EQ(cmd.GetIntParam(u"is", 0), 16);
}

TEST(CmdLineTest, IntegerParametersSaturate) {
    const struct {
        std::u16string_view text;
        int32_t value;
    } cases[] = {
        {u"p -is 42", 42},
        {u"p -is +42", 42},
        {u"p -is 12px", 12},
        {u"p -is px", 0},
        {u"p -is \" 7\"", 7},
        {u"p -is \" -7\"", -7},
        {u"p -is 2147483647", std::numeric_limits<int32_t>::max()},
        {u"p -is 2147483648", std::numeric_limits<int32_t>::max()},
        {u"p -is 99999999999999999999999", std::numeric_limits<int32_t>::max()},
        {u"p -is \" -2147483649\"", std::numeric_limits<int32_t>::min()},
        {u"p -is 0x10", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Parse(c.text).GetIntParam(u"is", -1), c.value)
            << std::string(c.text.begin(), c.text.end());
    }
}

TEST(CmdLineTest, ParseErrors) {
    const struct {
        std::u16string_view text;
        int32_t category;
        std::string message;
    } cases[] = {
        {u"p - -i image", kErrCommandLine, "Meaningless hyphens are included. "},
        {u"p -", kErrCommandLine, "Meaningless hyphens are included. "},
        {u"p -\"\" x", kErrCommandLine, "Meaningless hyphens are included. "},
        {u"p -x", kErrCommandLine, "Invalid option (x)."},
        {u"p -I image", kErrCommandLine, "Invalid option (I)."},
        {u"p --if a.bmp", kErrCommandLine, "Invalid option (-if)."},
        {u"p -is -5", kErrCommandLine, "The option's parameters are missing. "},
        {u"p -if", kErrCommandLine, "The option's parameters are missing. "},
        {u"p -if \"\"", kErrCommandLine, "The option's parameters are missing. "},
        {u"p -i -o bofnt", kErrCommandLine, "The option's parameters are missing. "},
        {u"p \"\"", kErrInternal, "Type 0 internal error. "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        ExpectError([&] { Parse(c.text); }, c.category, c.message);
    }
}

TEST(CmdLineTest, ErrorsNameTheScanner) {
    try {
        Parse(u"p -x");
        FAIL();
    } catch (const CGeneralException& e) {
        const std::string text = Utf16ToUtf8(e.What());
        EXPECT_TRUE(text.starts_with("Command line error: (CCmdLine::Analyze@CmdLine.cpp:"))
            << text;
    }
}

TEST(CmdLineTest, UnknownKindInATableIsAnInternalError) {
    const CmdOption table[] = {{u"a", 0}, {u"b", 3}};
    EXPECT_TRUE(CCmdLine(u"p -a", table).HasOption(u"a"));
    ExpectError([&] { CCmdLine(u"p -b", table); }, kErrInternal, "Invalid option type (3).");
}

TEST(CmdLineTest, LongTextIsScannedWithoutTrouble) {
    std::u16string text = u"p -if \"";
    text.append(40000, u'x');
    text += u"\"";
    for (int i = 0; i < 5000; ++i) {
        text += u" -og";
    }
    const CCmdLine cmd = Parse(text);
    EXPECT_EQ(cmd.GetParam(u"if").size(), 40000u);
    EXPECT_TRUE(cmd.HasOption(u"og"));
}

}  // namespace
