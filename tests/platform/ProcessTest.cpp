#include "platform/Process.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/Text.h"
#include "support/TestSupport.h"

namespace {

TEST(ProcessTest, ArgumentsArriveAsGiven) {
    const char* argv[] = {"./prog", "DejaVu Sans", "", "a\"b", "caf\xC3\xA9"};
    EXPECT_EQ(CommandLineArguments(5, argv),
              (std::vector<std::u16string>{u"./prog", u"DejaVu Sans", u"", u"a\"b", u"caf\u00E9"}));
}

TEST(ProcessTest, ProgramFolderIsTheFolderOfTheRunningProgram) {
    const std::u16string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), u'/');
    const auto expected = std::filesystem::canonical(testing_support::BinaryDir() / "tests");
    EXPECT_EQ(Utf16ToUtf8(folder), expected.string() + "/");
}

}  // namespace
