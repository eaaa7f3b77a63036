// Console runs that end in an error or a warning, one row each in console_runs.txt beside this
// file: the exit code and every line the user reads. The error line's location (function, source
// file and line) must be there but is not compared, so that moving code changes no row.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "support/RunTable.h"

namespace {

namespace fs = std::filesystem;
using testing_support::SourceDir;

struct ConsoleRun {
    testing_support::TableRow row;
    int exitCode = 0;
    std::string arguments;
    std::string expected;
};

void PrintTo(const ConsoleRun& run, std::ostream* out) {
    *out << "console_runs.txt:" << run.row.line << ": " << run.arguments;
}

// Rows: "<exit code> <arguments> => "<output>"".
std::vector<ConsoleRun> ReadRuns() {
    std::vector<ConsoleRun> runs;
    for (const auto& row :
         testing_support::ReadRunTable(SourceDir() / "tests" / "e2e" / "console_runs.txt")) {
        const auto space = row.text.find(' ');
        const auto arrow = row.text.find(" => ");
        runs.push_back(
            {row, std::stoi(row.text.substr(0, space)),
             row.text.substr(space + 1, arrow - space - 1),
             testing_support::Unescape(row.text.substr(arrow + 5, row.text.size() - arrow - 6))});
    }
    return runs;
}

// Every file of the folder with its bytes.
std::map<std::string, std::vector<uint8_t>> Contents(const fs::path& folder) {
    std::map<std::string, std::vector<uint8_t>> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[entry.path().string()] = testing_support::ReadFileBytes(entry.path());
        }
    }
    return files;
}

class ConsoleRunsTest : public testing::TestWithParam<ConsoleRun> {
protected:
    static void SetUpTestSuite() { testing_support::ExportTableFolders(); }
};

TEST_P(ConsoleRunsTest, PrintsAndExitsAsListed) {
    const ConsoleRun& row = GetParam();
    const testing_support::TempDir dir;
    const auto setup = testing_support::RunSetup(row.row, dir.Path());
    ASSERT_EQ(setup.exitCode, 0) << setup.err;
    const auto before = Contents(dir.Path());
    const auto run = testing_support::RunConsoleProgram(row.arguments, "C", dir.Path());
    EXPECT_EQ(run.exitCode, row.exitCode);
    // The error line without its location and system error code; errors wrapped inside a
    // message keep only their text too.
    static const std::regex location(
        "^(Error: [^:\n]+: )\\([^()\n]+@[A-Za-z0-9_]+\\.(?:cpp|h):[0-9]+\\)\n([\\s\\S]*) "
        "\\(GetLastError=-?[0-9]+\\)\n$");
    std::string output =
        testing_support::HideLocations(run.out + std::regex_replace(run.err, location, "$1$2"));
    for (const auto& [path, name] : {std::pair{dir.Path(), "<dir>"},
                                     {SourceDir() / "data", "$DATA"},
                                     {SourceDir() / "tests" / "golden", "$GOLDEN"}}) {
        output = testing_support::ReplaceAll(output, path.string(), name);
    }
    if (output.ends_with('\n')) {
        output.pop_back();
    }
    EXPECT_EQ(output, row.expected) << run.err;
    if (row.exitCode != 0) {
        EXPECT_EQ(Contents(dir.Path()), before) << "a failed run leaves the folder as it was";
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ConsoleRunsTest, testing::ValuesIn(ReadRuns()),
                         [](const testing::TestParamInfo<ConsoleRun>& info) {
                             return "line" + std::to_string(info.param.row.line);
                         });

}  // namespace
