// The build folder installed under a temporary prefix and moved before it runs: the programs
// find what ships with them relative to themselves, wherever the prefix ends up.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/TestSupport.h"

namespace {

using testing_support::RunCommand;
using testing_support::RunResult;
using testing_support::ShellQuote;
using testing_support::TempDir;

class InstallTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new TempDir;
        const RunResult install =
            RunCommand("cmake --install " + ShellQuote(testing_support::BinaryDir().string()) +
                       " --prefix " + ShellQuote((*s_dir / "first").string()));
        ASSERT_EQ(install.exitCode, 0) << install.out << install.err;
        std::filesystem::rename(*s_dir / "first", Prefix());
    }
    static void TearDownTestSuite() {
        delete s_dir;
        s_dir = nullptr;
    }
    static std::filesystem::path Prefix() { return *s_dir / "moved"; }
    static std::string Shared(const std::string& file) {
        return (Prefix() / "share/typeloom" / file).string();
    }

    static TempDir* s_dir;
};
TempDir* InstallTest::s_dir = nullptr;

TEST_F(InstallTest, AMovedInstallationConvertsWithItsDataAndLanguageLibrary) {
    for (const char* file : {"bin/vela_typeloomc", "lib/typeloom/1041/typeloom_langRes.so",
                             "share/typeloom/xggp/sample.xggp", "share/typeloom/xllt/sample.xllt",
                             "share/man/man1/vela_typeloomc.1.gz", "share/doc/typeloom/copyright",
                             "share/doc/typeloom/changelog.gz"}) {
        EXPECT_TRUE(std::filesystem::is_regular_file(Prefix() / file)) << file;
    }
    EXPECT_FALSE(std::filesystem::exists(Prefix() / "bin/1041"));

    // Run from another folder, in Japanese: the warning comes from the moved language library.
    const std::string out = (Prefix() / "sample.bmp").string();
    const RunResult run = RunCommand(
        "cd / && env -u LC_ALL -u LC_MESSAGES LANG=ja_JP.UTF-8 " +
        ShellQuote((Prefix() / "bin/vela_typeloomc").string()) + " -i image -if " +
        ShellQuote(Shared("sample/sample.bmp")) + " -io " + ShellQuote(Shared("xlor/ascii.xlor")) +
        " -ic IA4 -o image -of " + ShellQuote(out) + " -oo " +
        ShellQuote(Shared("xlor/ascii.xlor")) + " -ow 40 -oh 40 -or 1");
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_TRUE(run.out.starts_with("警告: ")) << run.out;
    EXPECT_TRUE(std::filesystem::is_regular_file(out));
}

TEST_F(InstallTest, BashCompletesOptionsKeywordsFamiliesAndFiles) {
    const std::string script =
        (Prefix() / "share/bash-completion/completions/vela_typeloomc").string();
    struct Case {
        std::string words;
        std::string completions;
    };
    const Case cases[] = {
        {"-i win -ic ''", "I1\nI4\nI6\nIA1\nIA4\nIA6\n"},
        {"-i image -ic IA", "IA4\nIA8\n"},
        {"-oe ''", "utf8\nutf16\nsjis\ncp1252\n"},
        {"-o image -oc", "-ocb\n-ocg\n-ocm\n-ocw\n-ocn\n"},
        {"-is ''", ""},
        {"-in 'DejaVu Sans M'", "DejaVu\\ Sans\\ Mono\n"},
        {"-io " + ShellQuote(Shared("xlor/as")), Shared("xlor/ascii.xlor") + "\n"},
        {"-op " + ShellQuote(Shared("xlor/as")), ""},
    };
    for (const Case& c : cases) {
        const std::string program = "source " + ShellQuote(script) +
                                    "; COMP_WORDS=(vela_typeloomc " + c.words +
                                    "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _vela_typeloomc; "
                                    "printf '%s\\n' \"${COMPREPLY[@]}\" | sed '/^$/d'";
        const RunResult run = RunCommand("bash -c " + ShellQuote(program));
        EXPECT_EQ(run.out, c.completions) << c.words << run.err;
    }
}

}  // namespace
