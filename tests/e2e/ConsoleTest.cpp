// The console program as a whole process: failed writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "support/TestSupport.h"

namespace {

using testing_support::BinaryDir;
using testing_support::RunCommand;
using testing_support::RunResult;
using testing_support::ShellQuote;
using testing_support::TempDir;

// A system font drawn into an image font: a whole run with no warnings.
std::string ImageFontCommand(const std::filesystem::path& output) {
    return "-i win -in 'DejaVu Sans' -is 16 -ic I4 -o image -of " + ShellQuote(output.string()) +
           " -oo " + ShellQuote((BinaryDir() / "xlor" / "ascii.xlor").string());
}

// A write that the system refuses part way (a file-size limit, a full disk) fails with the
// write error and leaves the existing output byte for byte as it was, with no temporary file
// beside it. The run happens in a shell that checks the folder afterwards, so that the full
// disk, a small tmpfs mounted in a private namespace, can be looked at before it goes away.
TEST(ConsoleTest, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    struct Case {
        const char* what;
        // Wraps the shell script that makes the old file, runs the program and checks.
        std::string (*wrap)(const std::string& folder, const std::string& script);
        int error;  // errno of the refused write
    };
    const Case cases[] = {
        {"file-size limit",
         [](const std::string&, const std::string& script) { return "ulimit -f 16; " + script; },
         27},
        {"full tmpfs",
         [](const std::string& folder, const std::string& script) {
             return "unshare -rm true 2>/dev/null || exit 99; unshare -rm sh -c " +
                    ShellQuote("mount -t tmpfs -o size=16k tmpfs " + ShellQuote(folder) +
                               " || exit 99; " + script);
         },
         28},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const auto output = dir / "font.bmp";
        // The picture is far bigger than 16 KiB.
        const std::string old = "printf 'old\\377\\n'";
        const std::string script = old + " >" + ShellQuote(output.string()) + "; env LANG=C " +
                                   ShellQuote((BinaryDir() / "vela_typeloomc").string()) + " " +
                                   ImageFontCommand(output) + "; rc=$?; " + old + " | cmp -s " +
                                   ShellQuote(output.string()) + " - && echo kept; ls -A " +
                                   ShellQuote(dir.Path().string()) + "; exit $rc";
        const RunResult result = RunCommand(c.wrap(dir.Path().string(), script));
        if (result.exitCode == 99) {
            GTEST_SKIP() << "no private tmpfs here: " << result.err;
        }
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_TRUE(std::regex_match(
            result.err,
            std::regex("^Error: File I/O error: \\([A-Za-z:]+@BinaryFile\\.cpp:[0-9]+\\)\n"
                       "Cannot write to the specified file \\(" +
                       output.string() + "\\)\\. \\(GetLastError=" + std::to_string(c.error) +
                       "\\)\n$")))
            << result.err;
        EXPECT_EQ(result.out, "kept\nfont.bmp\n") << "the old file is kept, the temporary removed";
    }
}

}  // namespace
