#include <gtest/gtest.h>

#include <string>

#include "GuiTestSupport.h"
#include "gui/IniEscape.h"
#include "gui/SettingsFile.h"

namespace {

using gui_testing::ScopedConfigHome;
using testing_support::ReadFileBytes;
using testing_support::WriteFileText;

struct EscapeCase {
    std::u16string text;
    std::u16string stored;
};

TEST(IniEscape, WritesOnlyAsciiAndReadsItBack) {
    const EscapeCase cases[] = {
        {u"C:\\fonts\\\u00E9.xlor", u"C:\\\\fonts\\\\\\00E9.xlor"},
        {u"a\tb\nc\rd", u"a\\tb\\nc\\rd"},
        {u"/home/\u30C6\u30B9\u30C8/font.bmp", u"/home/\\30C6\\30B9\\30C8/font.bmp"},
        {u"plain, with; \"quotes\"", u"plain, with; \"quotes\""},
        {u"\u007F\u0080\uFFFF", u"\u007F\\0080\\FFFF"},
    };
    for (const EscapeCase& c : cases) {
        EXPECT_EQ(EscapeIniString(c.text), c.stored);
        EXPECT_EQ(UnescapeIniString(c.stored), c.text);
    }
}

TEST(IniEscape, ReadsCodesBelowSpaceAsPlainText) {
    const EscapeCase cases[] = {
        {u"A", u"\\0041"},                 // a code from 32 up is the character
        {u"0009", u"\\0009"},              // below 32 the backslash is dropped
        {u"x0", u"x\\0"},                  // short code at the end: nothing read past the value
        {u"A!", u"\\41!"},                 // only the digits read are consumed
        {u"end", u"end\\"},                // a lone backslash at the end
        {u"\u00E9t\u00E9", u"\\e9t\\E9"},  // lower-case digits are read too
    };
    for (const EscapeCase& c : cases) {
        EXPECT_EQ(UnescapeIniString(c.stored), c.text)
            << std::string(c.stored.begin(), c.stored.end());
    }
}

TEST(SettingsFile, KeepsEscapedValuesByteForByte) {
    ScopedConfigHome home;
    {
        CSettingsFile settings(CSettingsFile::DefaultPath());
        EXPECT_EQ(settings.GetPath(), std::u16string(home.IniPath().u16string()));
        settings.SetString("InBmp", "Order", u"C:\\fonts\\\u00E9.xlor");
        settings.SetInt("Main", "InputSelect", 1);
    }
    const std::vector<uint8_t> bytes = ReadFileBytes(home.IniPath());
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("Order=C:\\\\fonts\\\\\\00E9.xlor\n"), std::string::npos) << text;
    EXPECT_NE(text.find("InputSelect=1\n"), std::string::npos) << text;

    CSettingsFile again(CSettingsFile::DefaultPath());
    EXPECT_EQ(again.GetString("InBmp", "Order", u""), u"C:\\fonts\\\u00E9.xlor");
    EXPECT_EQ(again.GetInt("main", "inputselect", 2), 1);  // names are not case-sensitive
}

TEST(SettingsFile, ReadsValuesWrittenByOtherTools) {
    ScopedConfigHome home;
    std::filesystem::create_directories(home.IniPath().parent_path());
    WriteFileText(home.IniPath(),
                  "[Main]\nInputSelect=12abc\nOutputSelect=abc\nShowOption=-3\n"
                  "[InWin]\nName=  a, b  \nSize=\n");
    CSettingsFile settings(CSettingsFile::DefaultPath());
    EXPECT_EQ(settings.GetInt("Main", "InputSelect", 2), 12);
    EXPECT_EQ(settings.GetInt("Main", "OutputSelect", 5), 0);
    EXPECT_FALSE(settings.GetBool("Main", "ShowOption", true));
    EXPECT_TRUE(settings.GetBool("Main", "UseFilter", true));  // missing: the default
    EXPECT_EQ(settings.GetString("InWin", "Name", u""), u"a, b");
    EXPECT_EQ(settings.GetInt("InWin", "Size", 16), 0);
    EXPECT_EQ(settings.GetInt("InWin", "Missing", 16), 16);
}

TEST(SettingsFile, CreatesMissingFolders) {
    ScopedConfigHome home;
    const std::filesystem::path deep = home.Path() / "a/b/c/settings.ini";
    CSettingsFile settings(deep.u16string());
    settings.SetBool("Main", "UseFilter", true);
    EXPECT_EQ(ReadFileBytes(deep).empty(), false);
}

}  // namespace
