// Installed-font conversions through the console program compared with what the font service
// reports, and face names handed to it whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "base/Endian.h"
#include "base/Text.h"
#include "core/FontData.h"
#include "format/ResFont.h"
#include "platform/FontCatalog.h"
#include "readers/WinFontReader.h"
#include "support/ReadFont.h"

namespace {

using testing_support::RunResult;
using testing_support::ShellQuote;
using testing_support::TempDir;

// Runs the console program; `environment` adds variables ("NAME=value ...").
RunResult Console(const std::string& arguments, const std::string& environment = "") {
    return testing_support::RunConsoleProgram(arguments, "C", {}, environment);
}

// At 80 pixels a few glyphs advance further than a width entry holds: each is left out with a
// warning naming it, and every other width entry reads back as rendered.
TEST(WinFontConsoleTest, GlyphsBeyondAWidthEntryAreLeftOutOfTheWholeFace) {
    TempDir dir;
    const std::string out = (dir / "dejavu80.bofnt").string();
    const RunResult run =
        Console("-i win -in \"DejaVu Sans\" -is 80 -ic I4 -o bofnt -of " + ShellQuote(out));
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    CResFont res;
    res.Load(testing_support::ReadFileBytes(out));
    EXPECT_GE(res.GetFontInfo().defaultCharWidth, 0);
    std::size_t leftOut = 0;
    const auto installed = testing_support::ReadWholeFont(
        CWinFontReader({.faceName = u"DejaVu Sans", .size = 80, .bitDepth = 4}));
    installed->ReflectGlyph();
    for (const auto& glyph : installed->Glyphs()) {
        const uint16_t index = res.CodeToIndex(glyph->charCode);
        if (glyph->Advance() > 127) {
            ++leftOut;
            EXPECT_EQ(index, kNoGlyph);
            char code[8];
            std::snprintf(code, sizeof code, "%04X", glyph->charCode);
            EXPECT_NE(
                run.out.find(std::string("U+") + code + ") cannot be represented in the " +
                             "bofnt file: its left space (=" + std::to_string(glyph->leftSpace) +
                             ") and advance (=" + std::to_string(glyph->Advance()) + ")"),
                std::string::npos);
            continue;
        }
        ASSERT_NE(index, kNoGlyph) << glyph->charCode;
        const WidthEntry entry = res.WidthOfIndex(index);
        EXPECT_EQ(entry.left, glyph->leftSpace) << glyph->charCode;
        EXPECT_EQ(entry.glyphWidth, glyph->image.GetWidth()) << glyph->charCode;
        EXPECT_EQ(entry.advance, glyph->Advance()) << glyph->charCode;
    }
    EXPECT_EQ(leftOut, 5u);
    EXPECT_EQ(static_cast<std::size_t>(std::count(run.out.begin(), run.out.end(), '\n')), leftOut);
}

// A font configuration that lists the folders of DejaVu Sans and DejaVu Serif and renames them
// on scanning: Sans to a 40-character family, Serif to that name's first 31 characters.
std::string RenamingConfiguration(const TempDir& dir, const std::string& longName) {
    std::string folders;
    for (const char16_t* face : {u"DejaVu Sans", u"DejaVu Serif"}) {
        const auto location = FindFaceFile(face, 400, false);
        EXPECT_TRUE(location.has_value());
        if (location) {
            folders +=
                "<dir>" + std::filesystem::path(location->path).parent_path().string() + "</dir>";
        }
    }
    const auto rename = [](const std::string& from, const std::string& to) {
        return "<match target=\"scan\"><test name=\"family\"><string>" + from +
               "</string></test><edit name=\"family\" mode=\"assign\"><string>" + to +
               "</string></edit></match>";
    };
    const auto path = dir / "fonts.conf";
    testing_support::WriteFileText(
        path, "<?xml version=\"1.0\"?>\n<fontconfig>" + folders + "<cachedir>" +
                  (dir / "cache").string() + "</cachedir>" + rename("DejaVu Sans", longName) +
                  rename("DejaVu Serif", longName.substr(0, 31)) + "</fontconfig>\n");
    return "FONTCONFIG_FILE=" + ShellQuote(path.string());
}

TEST(WinFontConsoleTest, ALongFaceNameReachesTheFontServiceWhole) {
    TempDir dir;
    const std::string longName = "Typeloom Probe Family Named Forty Chars";
    ASSERT_EQ(longName.size(), 39u);
    const std::string name = longName + "!";
    const std::string renamed = RenamingConfiguration(dir, name);
    const auto convert = [&](const std::string& face, const std::string& file,
                             const std::string& environment) {
        const std::string out = (dir / file).string();
        const RunResult run = Console(
            "-i win -in " + ShellQuote(face) + " -is 16 -ic I4 -o image -of " + ShellQuote(out) +
                " -oo " + testing_support::Quoted(testing_support::BinaryDir() / "xlor/ascii.xlor"),
            environment);
        EXPECT_EQ(run.exitCode, 0) << face << run.out << run.err;
        return testing_support::ReadFileBytes(out);
    };
    const auto sans = convert("DejaVu Sans", "sans.bmp", "");
    const auto serif = convert("DejaVu Serif", "serif.bmp", "");
    ASSERT_NE(sans, serif);
    // The old family name is gone (the face keeps its full name "DejaVu Sans", which the font
    // name option takes too, so the family list tells).
    const RunResult families = Console("--list-fonts", renamed);
    EXPECT_EQ(families.out.find("DejaVu Sans:"), std::string::npos) << families.out;
    EXPECT_NE(families.out.find(name + ":Book\n"), std::string::npos) << families.out;
    // The whole name picks the renamed Sans; its first 31 characters name the Serif.
    EXPECT_EQ(convert(name, "long.bmp", renamed), sans);
    EXPECT_EQ(convert(name.substr(0, 31), "cut.bmp", renamed), serif);
}

// A font collection of whole TrueType files: each font's table directory, then its tables
// with their offsets moved to where they now lie.
std::vector<uint8_t> MakeCollection(const std::vector<std::vector<uint8_t>>& fonts) {
    std::vector<uint8_t> out = {'t', 't', 'c', 'f', 0, 1, 0, 0};
    endian::AppendU32BE(out, static_cast<uint32_t>(fonts.size()));
    out.resize(out.size() + 4 * fonts.size());
    for (std::size_t f = 0; f < fonts.size(); ++f) {
        const std::vector<uint8_t>& font = fonts[f];
        const std::size_t base = out.size();
        endian::StoreU32BE(out, 12 + 4 * f, static_cast<uint32_t>(base));
        const std::size_t tables = endian::LoadU16BE(font, 4);
        out.insert(out.end(), font.begin(), font.begin() + 12 + 16 * tables);
        for (std::size_t t = 0; t < tables; ++t) {
            const uint32_t offset = endian::LoadU32BE(font, 12 + 16 * t + 8);
            const uint32_t length = endian::LoadU32BE(font, 12 + 16 * t + 12);
            out.resize((out.size() + 3) & ~std::size_t{3});
            endian::StoreU32BE(out, base + 12 + 16 * t + 8, static_cast<uint32_t>(out.size()));
            out.insert(out.end(), font.begin() + offset, font.begin() + offset + length);
        }
    }
    return out;
}

TEST(WinFontConsoleTest, AFontFileGivesTheSameFontAsItsInstalledFace) {
    TempDir dir;
    const auto regular = FindFaceFile(u"DejaVu Sans", 400, false);
    const auto bold = FindFaceFile(u"DejaVu Sans", 700, false);
    ASSERT_TRUE(regular && bold);
    const std::string collection = (dir / "sans.ttc").string();
    testing_support::WriteFileBytes(collection,
                                    MakeCollection({testing_support::ReadFileBytes(regular->path),
                                                    testing_support::ReadFileBytes(bold->path)}));
    const auto convert = [&](const std::string& face) {
        const std::string out = (dir / "out.bofnt").string();
        std::filesystem::remove(out);
        const RunResult run = Console(
            "-i win -in " + ShellQuote(face) + " -is 16 -ic I4 -o bofnt -of " + ShellQuote(out) +
            " -f " + ShellQuote((testing_support::SourceDir() / "data/xllt/sample.xllt").string()));
        EXPECT_EQ(run.exitCode, 0) << face << run.out << run.err;
        return testing_support::ReadFileBytes(out);
    };
    const auto byName = convert("DejaVu Sans");
    EXPECT_EQ(convert(regular->path), byName);
    EXPECT_EQ(convert(collection), byName);
    EXPECT_EQ(convert(collection + "#1"), convert(bold->path));
    EXPECT_NE(convert(collection + "#1"), byName);
}

}  // namespace
