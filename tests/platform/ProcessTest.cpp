#include "platform/Process.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "platform/Text.h"
#include "support/TestSupport.h"

namespace {

TEST(ProcessTest, CommandLineQuotesEmptyArgumentsAndThoseWithBlanksOrControls) {
    const char* argv[] = {"./prog", "-in", "DejaVu Sans", "-f", "", "-x\ty", "caf\xC3\xA9"};
    EXPECT_EQ(CommandLineText(7, argv), u"./prog -in \"DejaVu Sans\" -f \"\" \"-x\ty\" caf\u00E9");
    const char* single[] = {"/usr/bin/vela typeloomc"};
    EXPECT_EQ(CommandLineText(1, single), u"\"/usr/bin/vela typeloomc\"");
    EXPECT_EQ(CommandLineText(0, nullptr), u"");
}

TEST(ProcessTest, LastSystemErrorIsErrno) {
    errno = ENOENT;
    EXPECT_EQ(LastSystemError(), 2);
}

TEST(ProcessTest, ProgramFolderIsTheFolderOfTheRunningProgram) {
    const std::u16string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), u'/');
    const auto expected = std::filesystem::canonical(testing_support::BinaryDir() / "tests");
    EXPECT_EQ(Utf16ToUtf8(folder), expected.string() + "/");
}

}  // namespace
