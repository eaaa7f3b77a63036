// What each definition file reader makes of a file, one row each in definition_files.txt beside
// this file: the cells of a letter order, the characters of a filter, the groups of a glyph
// groups file, the header of any of them, or the exact error.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "support/RunTable.h"
#include "xml/CharFilter.h"
#include "xml/GlyphGroups.h"
#include "xml/GlyphOrder.h"
#include "xml/VsxXmlFile.h"
#include "xml/XmlLibrary.h"

namespace {

struct DefinitionFile {
    int line = 0;
    std::string kind;
    std::string content;
    std::string expected;
};

void PrintTo(const DefinitionFile& file, std::ostream* out) {
    *out << "definition_files.txt:" << file.line;
}

// Rows: "<kind> <content>" and below it "  => <expected>".
std::vector<DefinitionFile> ReadRows() {
    std::ifstream table(testing_support::SourceDir() / "tests/xml/definition_files.txt");
    std::vector<DefinitionFile> rows;
    std::string line;
    for (int number = 1; std::getline(table, line); ++number) {
        if (line.starts_with("  => ")) {
            rows.back().expected = testing_support::Unescape(line.substr(5));
        } else if (!line.empty() && !line.starts_with('#')) {
            const auto space = std::min(line.find(' '), line.size());
            rows.push_back(
                {number, line.substr(0, space),
                 testing_support::Unescape(line.substr(std::min(space + 1, line.size()))), ""});
        }
    }
    return rows;
}

std::string Hex(uint16_t code) {
    char text[8];
    std::snprintf(text, sizeof text, " %X", code);
    return text;
}

std::string Describe(const std::string& kind, const std::u16string& path) {
    std::string text;
    if (kind == "order") {
        CGlyphOrder order;
        order.Load(path);
        text = std::to_string(order.GetWidth()) + "x" + std::to_string(order.GetHeight());
        for (const uint16_t code : order.Codes()) {
            text += Hex(code);
        }
        text += " /" + std::to_string(order.GridCodes().size());
    } else if (kind == "filter") {
        CCharFilter filter;
        filter.Load(path);
        for (const uint16_t code : filter.GetCodes()) {
            text += Hex(code);
        }
    } else if (kind == "groups") {
        CGlyphGroups groups;
        groups.Load(path);
        for (const GlyphGroup* group : groups.PreOrder()) {
            text += (text.empty() ? "" : " ") + group->name + "=" + std::to_string(group->index) +
                    (group->parent ? "<" + group->parent->name : "") + ":" +
                    Utf16ToUtf8(group->characters);
        }
        text += " /";
        for (const GlyphGroup* group : groups.Leaves()) {
            text += " " + group->name;
        }
    } else {
        CVsxXmlFile reader;
        XmlFileInfo info;
        reader.Load(info, path);
        text = Utf16ToUtf8(info.title) + "|" + Utf16ToUtf8(info.comment);
    }
    return text;
}

class DefinitionFilesTest : public testing::TestWithParam<DefinitionFile> {};

TEST_P(DefinitionFilesTest, ReadAsListed) {
    const DefinitionFile& row = GetParam();
    const CXmlLibrary xml;
    const testing_support::TempDir dir;
    const auto path = dir / "file.xml";
    testing_support::WriteFileText(path, row.content);
    std::string result;
    try {
        result = Describe(row.kind, Utf8ToUtf16(path.string()));
    } catch (const CGeneralException& e) {
        EXPECT_EQ(e.GetCategory(), kErrXml);
        result = "error " + testing_support::MessageOf(e);
    }
    EXPECT_EQ(testing_support::ReplaceAll(testing_support::HideLocations(result), path.string(),
                                          "<file>"),
              row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, DefinitionFilesTest, testing::ValuesIn(ReadRows()),
                         [](const testing::TestParamInfo<DefinitionFile>& info) {
                             return "line" + std::to_string(info.param.line);
                         });

}  // namespace
