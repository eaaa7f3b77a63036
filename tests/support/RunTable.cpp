#include "support/RunTable.h"

#include <cstdlib>
#include <fstream>
#include <map>

namespace testing_support {

namespace {

std::string Expand(std::string text, const std::map<std::string, std::string>& macros) {
    for (const auto& [name, value] : macros) {
        for (std::size_t at; (at = text.find(name)) != std::string::npos;) {
            text.replace(at, name.size(), value);
        }
    }
    return text;
}

}  // namespace

std::vector<TableRow> ReadRunTable(const std::filesystem::path& path) {
    std::ifstream file(path);
    std::map<std::string, std::string> macros;
    std::string prelude;
    std::string setup;
    std::vector<TableRow> rows;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        if (line.starts_with("define ")) {
            const auto equals = line.find(" = ");
            macros[line.substr(7, equals - 7)] = line.substr(equals + 3);
        } else if (line.starts_with("prelude ")) {
            prelude += line.substr(8) + "\n";
        } else if (line.starts_with("$ ")) {
            setup += Expand(line.substr(2), macros) + "\n";
        } else {
            rows.push_back({number, prelude + setup, Expand(line, macros)});
            setup.clear();
        }
    }
    return rows;
}

void ExportTableFolders() {
    setenv("DATA", (SourceDir() / "data").c_str(), 1);
    setenv("GOLDEN", (SourceDir() / "tests" / "golden").c_str(), 1);
}

RunResult RunSetup(const TableRow& row, const std::filesystem::path& folder) {
    return RunCommand("cd " + ShellQuote(folder.string()) + " && :\n" + row.setup);
}

}  // namespace testing_support
