#include "support/RunTable.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>

namespace testing_support {

namespace {

std::string Expand(std::string text, const std::map<std::string, std::string>& macros) {
    for (const auto& [name, value] : macros) {
        text = ReplaceAll(text, name, value);
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

std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
        } else if (text[++i] == 'x') {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i] == 'n' ? '\n' : text[i] == 't' ? '\t' : text[i] == 'r' ? '\r' : text[i];
        }
    }
    return out;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string HideLocations(const std::string& text) {
    static const std::regex location("\\([^()\n]+@[A-Za-z0-9_]+\\.(?:cpp|h):[0-9]+\\)");
    return std::regex_replace(text, location, "(...)");
}

}  // namespace testing_support
