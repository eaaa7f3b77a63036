// Whole conversions through the console program, compared byte for byte with files made once and
// reviewed. The rows live in tests/golden/conversions.txt, which tools/make_goldens.sh reads too.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadFileBytes;
using testing_support::SourceDir;

struct Conversion {
    std::string name;
    int exitCode = 0;
    std::string locale;
    std::string arguments;
};

// Names the row in test names and failure messages.
void PrintTo(const Conversion& row, std::ostream* out) {
    *out << row.name;
}

fs::path GoldenDir() {
    return SourceDir() / "tests" / "golden";
}

std::vector<Conversion> ReadConversions() {
    std::ifstream table(GoldenDir() / "conversions.txt");
    std::vector<Conversion> rows;
    std::string line;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        Conversion row;
        if (!(fields >> row.name) || row.name.starts_with('#')) {
            continue;
        }
        fields >> row.exitCode >> row.locale >> std::ws;
        std::getline(fields, row.arguments);
        rows.push_back(row);
    }
    return rows;
}

// A row's files: those whose name is the row's name and an extension.
std::set<std::string> FilesOf(const fs::path& folder, const std::string& name) {
    std::set<std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string file = entry.path().filename().string();
        if (file.starts_with(name + ".")) {
            files.insert(file);
        }
    }
    return files;
}

class GoldenTest : public testing::TestWithParam<Conversion> {
protected:
    static void SetUpTestSuite() {
        setenv("DATA", (SourceDir() / "data").c_str(), 1);
        setenv("GOLDEN", GoldenDir().c_str(), 1);
    }
};

TEST_P(GoldenTest, OutputMatches) {
    const Conversion& row = GetParam();
    const testing_support::TempDir dir;
    const auto run = testing_support::RunConsoleProgram(row.arguments, row.locale, dir.Path());
    ASSERT_EQ(run.exitCode, row.exitCode) << run.err;
    EXPECT_EQ(run.err, "");
    if (!run.out.empty()) {
        testing_support::WriteFileText(dir / (row.name + ".stdout"), run.out);
    }
    const auto expected = FilesOf(GoldenDir(), row.name);
    ASSERT_EQ(FilesOf(dir.Path(), row.name), expected);
    for (const std::string& file : expected) {
        EXPECT_TRUE(ReadFileBytes(dir / file) == ReadFileBytes(GoldenDir() / file))
            << file << " differs; if the change is meant, run tools/make_goldens.sh <build> "
            << "and review the new files";
    }
}

INSTANTIATE_TEST_SUITE_P(Conversions, GoldenTest, testing::ValuesIn(ReadConversions()),
                         [](const testing::TestParamInfo<Conversion>& info) {
                             std::string name = info.param.name;
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

// Every file in the folder belongs to a row, so none is left unchecked.
TEST(GoldenFilesTest, EveryFileHasARow) {
    std::set<std::string> owned{"conversions.txt"};
    for (const Conversion& row : ReadConversions()) {
        owned.merge(FilesOf(GoldenDir(), row.name));
    }
    for (const auto& entry : fs::directory_iterator(GoldenDir())) {
        EXPECT_TRUE(owned.contains(entry.path().filename().string())) << entry.path();
    }
}

}  // namespace
