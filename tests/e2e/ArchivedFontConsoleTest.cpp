// Archived fonts through the console program: the shipped sample image font with the shipped
// glyph groups file, checked block by block and read back by our own binary font reader.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "compress/Compress.h"
#include "support/TestSupport.h"
#include "writers/ArchivedFontTesting.h"
#include "writers/ResFont.h"

namespace {

using testing_support::BinaryDir;
using testing_support::ReadFileBytes;
using testing_support::RunResult;
using testing_support::ShellQuote;

std::string Quoted(const std::filesystem::path& path) {
    return ShellQuote(path.string());
}

RunResult Console(const std::string& arguments) {
    return testing_support::RunCommand("env -u LC_ALL -u LC_MESSAGES -u LANG LANG=C " +
                                       Quoted(BinaryDir() / "vela_typeloomc") + " " + arguments);
}

std::string SampleToBofnt(const std::filesystem::path& out, const std::string& format = "IA4") {
    return "-i image -if " + Quoted(testing_support::SourceDir() / "data/sample/sample.bmp") +
           " -io " + Quoted(BinaryDir() / "xlor/ascii.xlor") + " -ic " + format + " -o bofnt -of " +
           Quoted(out);
}

std::string BofntToImage(const std::filesystem::path& in, const std::filesystem::path& out) {
    return "-i bofnt -if " + Quoted(in) + " -o image -of " + Quoted(out) + " -oo " +
           Quoted(BinaryDir() / "xlor/ascii.xlor");
}

CResFont Load(const std::vector<uint8_t>& bytes) {
    CResFont res;
    res.Load(bytes);
    return res;
}

// The sheets holding the glyphs of `codes`.
std::set<std::size_t> SheetsOf(const CResFont& res, const std::set<uint16_t>& codes) {
    const TextureGlyphs& t = res.GetTextureGlyphs().value();
    std::set<std::size_t> sheets;
    for (const uint16_t code : codes) {
        const uint16_t index = res.CodeToIndex(code);
        EXPECT_NE(index, kNoGlyph) << code;
        sheets.insert(index / (t.cellsPerRow * t.rowsPerSheet));
    }
    return sheets;
}

TEST(ArchivedFontConsoleTest, SampleGroupsMakeAGroupedCompressedFont) {
    testing_support::TempDir dir;
    const RunResult archived = Console(SampleToBofnt(dir / "a.bofna") + " -op " +
                                       Quoted(BinaryDir() / "xggp/sample.xggp"));
    ASSERT_EQ(archived.exitCode, 0) << archived.err << archived.out;
    ASSERT_EQ(Console(SampleToBofnt(dir / "n.bofnt")).exitCode, 0);

    const auto bytes = ReadFileBytes(dir / "a.bofna");
    ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "OFNA");
    const CResFont res = Load(bytes);
    const TextureGlyphs& t = res.GetTextureGlyphs().value();
    EXPECT_EQ(t.sheetFormat, kSheetCompressed | 2);
    const auto stored = archived_tests::ReadStoredSheets(res);

    // Every code of the font, from the normal twin, split by the groups of the file.
    const CResFont normal = Load(ReadFileBytes(dir / "n.bofnt"));
    std::set<uint16_t> digits, latin, rest;
    for (uint32_t code = 0; code < 0xFFFF; ++code) {
        if (normal.CodeToIndex(static_cast<uint16_t>(code)) == kNoGlyph) {
            continue;
        }
        const auto c = static_cast<uint16_t>(code);
        const bool isDigit = (c >= '0' && c <= '9') || c == ' ';
        const bool isLetter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        (isDigit ? digits : isLetter ? latin : rest).insert(c);
    }
    ASSERT_FALSE(rest.empty());
    // The alternate character, the font's first code, goes with every group.
    const uint16_t alternate = *digits.begin() < *rest.begin() ? *digits.begin() : *rest.begin();
    digits.insert(alternate);
    latin.insert(alternate);
    rest.insert(alternate);

    const auto glgr = archived_tests::ReadGlyphGroups(bytes);
    EXPECT_EQ(glgr.sheetBytes, t.sheetBytes);
    EXPECT_EQ(glgr.cellsPerSheet, t.cellsPerRow * t.rowsPerSheet);
    EXPECT_EQ(glgr.sheetCount, t.sheetCount);
    EXPECT_EQ(glgr.sheetSizes, stored.sizes);
    ASSERT_EQ(glgr.widthSizes.size(), res.CountBlocks(kBlockCWDH));
    ASSERT_EQ(glgr.mapSizes.size(), res.CountBlocks(kBlockCMAP));
    std::set<std::size_t> allMaps;
    for (std::size_t n = 0; n < glgr.mapSizes.size(); ++n) {
        EXPECT_EQ(glgr.mapSizes[n], (res.FindBlock(kBlockCMAP, n)->size + 3) / 4 * 4);
        allMaps.insert(n);
    }
    // In ascending group index: the rest (-1), Digits (0), Latin (1); Hiragana has no glyph.
    ASSERT_EQ(glgr.groups.size(), 3u);
    const std::set<uint16_t>* codesOf[] = {&rest, &digits, &latin};
    const char* names[] = {"*", "Digits", "Latin"};
    for (std::size_t g = 0; g < 3; ++g) {
        SCOPED_TRACE(names[g]);
        EXPECT_EQ(glgr.groups[g].name, names[g]);
        EXPECT_EQ(glgr.groups[g].sheets, SheetsOf(res, *codesOf[g]));
        EXPECT_EQ(glgr.groups[g].widthBlocks, (std::set<std::size_t>{0}));
        EXPECT_EQ(glgr.groups[g].mapBlocks, allMaps);
    }

    // Read back, the archived font gives the very image font the normal one gives.
    ASSERT_EQ(Console(BofntToImage(dir / "a.bofna", dir / "a.bmp")).exitCode, 0);
    ASSERT_EQ(Console(BofntToImage(dir / "n.bofnt", dir / "n.bmp")).exitCode, 0);
    EXPECT_EQ(ReadFileBytes(dir / "a.bmp"), ReadFileBytes(dir / "n.bmp"));
    // And written again with the same groups, it is byte for byte the same file.
    const RunResult again =
        Console("-i bofnt -if " + Quoted(dir / "a.bofna") + " -o bofnt -oe utf16 -of " +
                Quoted(dir / "b.bofna") + " -op " + Quoted(BinaryDir() / "xggp/sample.xggp"));
    ASSERT_EQ(again.exitCode, 0) << again.err << again.out;
    EXPECT_EQ(ReadFileBytes(dir / "b.bofna"), bytes);
}

TEST(ArchivedFontConsoleTest, RealSheetsOfEveryFormatRoundTripThroughEveryCodec) {
    testing_support::TempDir dir;
    const std::pair<const char16_t*, int> commands[] = {
        {u"h8", 1}, {u"h4", 1}, {u"l", 1}, {u"r", 1}, {u"d8", 1}, {u"d16", 1}, {u"d16lh8", 3},
    };
    for (const char* format : {"I4", "I8", "IA4", "IA8", "RGB565", "RGB5A3", "RGBA8"}) {
        SCOPED_TRACE(format);
        const auto path = dir / (std::string(format) + ".bofnt");
        ASSERT_EQ(Console(SampleToBofnt(path, format)).exitCode, 0);
        const CResFont res = Load(ReadFileBytes(path));
        const TextureGlyphs& t = res.GetTextureGlyphs().value();
        const auto sheets = res.GetSheetData().first(std::size_t{t.sheetBytes} * t.sheetCount);
        const std::vector<uint8_t> data(sheets.begin(), sheets.end());
        for (const auto& [codecs, layers] : commands) {
            EXPECT_EQ(Expand(Compress(data, codecs), layers), data);
            EXPECT_EQ(Expand(Compress(data, codecs, true), 0), data);
        }
    }
}

}  // namespace
