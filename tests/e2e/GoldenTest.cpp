// Whole conversions through the console program, compared byte for byte with files made once and
// reviewed. The rows live in tests/golden/conversions.txt, which tools/make_goldens.sh reads too.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/RunTable.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadFileBytes;
using testing_support::SourceDir;

struct Conversion {
    testing_support::TableRow row;
    std::string name;
    int exitCode = 0;
    std::string locale;
    std::string arguments;
};

// Names the row in test names and failure messages.
void PrintTo(const Conversion& conversion, std::ostream* out) {
    *out << conversion.name;
}

fs::path GoldenDir() {
    return SourceDir() / "tests" / "golden";
}

// Rows: "<name> <exit code> <LANG> <arguments>".
std::vector<Conversion> ReadConversions() {
    std::vector<Conversion> conversions;
    for (const auto& row : testing_support::ReadRunTable(GoldenDir() / "conversions.txt")) {
        Conversion c;
        c.row = row;
        std::istringstream fields(row.text);
        fields >> c.name >> c.exitCode >> c.locale >> std::ws;
        std::getline(fields, c.arguments);
        conversions.push_back(c);
    }
    return conversions;
}

// A row's files: those whose name is the row's name and an extension, or the row's name, '_' and
// more (the pages of a BMFont font).
std::set<std::string> FilesOf(const fs::path& folder, const std::string& name) {
    std::set<std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string file = entry.path().filename().string();
        if (file.starts_with(name + ".") || file.starts_with(name + "_")) {
            files.insert(file);
        }
    }
    return files;
}

class GoldenTest : public testing::TestWithParam<Conversion> {
protected:
    static void SetUpTestSuite() { testing_support::ExportTableFolders(); }
};

TEST_P(GoldenTest, OutputMatches) {
    const Conversion& c = GetParam();
    const testing_support::TempDir dir;
    const auto setup = testing_support::RunSetup(c.row, dir.Path());
    ASSERT_EQ(setup.exitCode, 0) << setup.err;
    const auto run = testing_support::RunConsoleProgram(c.arguments, c.locale, dir.Path());
    ASSERT_EQ(run.exitCode, c.exitCode) << run.err;
    EXPECT_EQ(run.err, "");
    if (!run.out.empty()) {
        testing_support::WriteFileText(dir / (c.name + ".stdout"), run.out);
    }
    const auto expected = FilesOf(GoldenDir(), c.name);
    ASSERT_EQ(FilesOf(dir.Path(), c.name), expected);
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

// Every file in the folder belongs to a row, so none is left unchecked (inputs/ holds what rows
// read).
TEST(GoldenFilesTest, EveryFileHasARow) {
    std::set<std::string> owned{"conversions.txt"};
    for (const Conversion& c : ReadConversions()) {
        owned.merge(FilesOf(GoldenDir(), c.name));
    }
    for (const auto& entry : fs::directory_iterator(GoldenDir())) {
        EXPECT_TRUE(entry.is_directory() || owned.contains(entry.path().filename().string()))
            << entry.path();
    }
}

}  // namespace
