#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace testing_support {

// One row of a table of console runs (tests/golden/conversions.txt, tests/e2e/console_runs.txt):
// the row's text and the shell commands that prepare its folder.
struct TableRow {
    int line = 0;
    std::string setup;
    std::string text;
};

// Reads a table. Lines starting with "#" and empty lines are skipped; "prelude <shell>" comes
// before every row's setup; "$ <shell>" lines are the setup of the row below them;
// "define @<name> = <text>" names text that later setups and rows use.
std::vector<TableRow> ReadRunTable(const std::filesystem::path& path);

// Sets $DATA (the data/ folder) and $GOLDEN (tests/golden) for the rows' shell words.
void ExportTableFolders();

// Runs a row's setup inside `folder`.
RunResult RunSetup(const TableRow& row, const std::filesystem::path& folder);

// The text with \n, \r, \t and \xHH read as escapes; any other escaped character stands for
// itself.
std::string Unescape(const std::string& text);
// The text with every `from` replaced by `to`.
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to);
// The text with each source location inside it ("(Function@File.cpp:12)") written "(...)", so
// that moving code changes no table.
std::string HideLocations(const std::string& text);

}  // namespace testing_support
