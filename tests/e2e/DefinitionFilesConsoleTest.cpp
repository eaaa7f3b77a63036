// Letter orders and character filters through the console program: the shipped files, a filter
// narrowing a conversion, and broken or hostile definition files ending in one error line.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "support/TestSupport.h"

namespace {

using testing_support::RunResult;
using testing_support::ShellQuote;
using testing_support::TempDir;

std::string Sample() {
    return (testing_support::SourceDir() / "data/sample/sample.bmp").string();
}
std::string Shipped(const std::string& name) {
    return (testing_support::BinaryDir() / name).string();
}

RunResult Console(const std::string& arguments) {
    return testing_support::RunCommand(
        "env -u LC_ALL -u LC_MESSAGES -u LANG LANG=C " +
        ShellQuote((testing_support::BinaryDir() / "vela_typeloomc").string()) + " " + arguments);
}

// The sample image font (in the ASCII order) to an image font in `order`, through `filter`.
std::string ToImageFont(const std::string& order, const std::string& out,
                        const std::string& filter = "") {
    return "-i image -if " + ShellQuote(Sample()) + " -io " +
           ShellQuote(Shipped("xlor/ascii.xlor")) + " -ic RGBA8 -o image -of " + ShellQuote(out) +
           " -oo " + ShellQuote(order) + (filter.empty() ? "" : " -f " + ShellQuote(filter));
}

// The error line of category 9 on standard error: the thrower on the first line, then the
// message.
void ExpectXmlError(const RunResult& run, const std::string& message) {
    EXPECT_EQ(run.exitCode, 2);
    const std::regex line(
        "^Error: XML error: \\([A-Za-z:_]+@[A-Za-z]+\\.cpp:[0-9]+\\)\n([\\s\\S]*) "
        "\\(GetLastError=-?[0-9]+\\)\n$");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(run.err, match, line)) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(match[1].str(), message);
}

TEST(DefinitionFilesConsoleTest, ShippedOrdersServeAsOutputOrders) {
    TempDir dir;
    for (const char* order : {"xlor/cp1252.xlor", "xlor/ascii.xlor"}) {
        const RunResult run = Console(ToImageFont(Shipped(order), (dir / "out.bmp").string()));
        EXPECT_EQ(run.exitCode, 0) << order << run.out << run.err;
        EXPECT_EQ(run.err, "");
    }
}

TEST(DefinitionFilesConsoleTest, FilterNarrowsTheConversionAndReportsMissingCharacters) {
    TempDir dir;
    const std::string filter = (dir / "filter.xllt").string();
    testing_support::WriteFileText(filter,
                                   "<letter-list version=\"1.0\"><body><letter>AB"
                                   "<code>0x3042</code></letter></body></letter-list>");
    // To a binary font nothing narrows the filter, so the missing U+3042 is reported.
    RunResult run = Console("-i image -if " + ShellQuote(Sample()) + " -io " +
                            ShellQuote(Shipped("xlor/ascii.xlor")) + " -ic RGBA8 -o bofnt -of " +
                            ShellQuote((dir / "f.bofnt").string()) + " -f " + ShellQuote(filter));
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(run.out,
              "Warning: Character ('\xE3\x81\x82': U+3042) was specified for output with the "
              "filter, but it will not be output because it is not included in input. \n");
    // To an image font the letter order narrows it first: nothing is missing.
    run = Console(ToImageFont(Shipped("xlor/ascii.xlor"), (dir / "f.bmp").string(), filter));
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(run.out, "");
}

TEST(DefinitionFilesConsoleTest, BrokenAndHostileFilesEndInOneErrorLine) {
    TempDir dir;
    const std::string out = (dir / "out.bmp").string();
    const std::string junk = (dir / "junk.xlor").string();
    testing_support::WriteFileText(junk, "not xml");
    ExpectXmlError(Console(ToImageFont(junk, out)),
                   " " + junk + " : Line 1 Row 1 \n\n invalid document structure\nn");

    const std::string wide = (dir / "wide.xlor").string();
    testing_support::WriteFileText(
        wide,
        "<letter-order version=\"1.1\"><body><area width=\"4294967297\"/></body>"
        "</letter-order>");
    ExpectXmlError(Console(ToImageFont(wide, out)),
                   " string representation overflows output binary result");

    std::string entities = "<!ENTITY l0 \"lol\">";
    for (int level = 1; level <= 9; ++level) {
        entities += "<!ENTITY l" + std::to_string(level) + " \"";
        for (int i = 0; i < 10; ++i) {
            entities += "&l" + std::to_string(level - 1) + ";";
        }
        entities += "\">";
    }
    const std::string bomb = (dir / "bomb.xllt").string();
    testing_support::WriteFileText(
        bomb,
        "<!DOCTYPE letter-list [<!ELEMENT letter-list ANY><!ATTLIST letter-list version "
        "CDATA #IMPLIED><!ELEMENT body ANY><!ELEMENT letter ANY>" +
            entities +
            "]>\n<letter-list version=\"1.0\"><body><letter>&l9;</letter></body>"
            "</letter-list>");
    const RunResult run = Console(ToImageFont(Shipped("xlor/ascii.xlor"), out, bomb));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("more than '1000' entity expansions"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
