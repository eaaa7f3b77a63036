#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "ArchivedFontTesting.h"
#include "core/FontData.h"
#include "platform/Text.h"
#include "support/TestSupport.h"
#include "writers/ArchiveSets.h"
#include "writers/OutputEncoding.h"
#include "writers/QuillFontWriter.h"
#include "writers/SheetAssignment.h"
#include "writers/format/TextureFormat.h"
#include "xml/GlyphGroups.h"
#include "xml/GlyphOrder.h"
#include "xml/XmlLibrary.h"

namespace {

using archived_tests::ReadGlyphGroups;
using archived_tests::ReadStoredSheets;
using testing_support::ReadFileBytes;
constexpr int32_t kNo = CQuillFontWriter::kNotGiven;

// Glyphs of 15 x 15 pixels: on 32 x 32 sheets four cells each, so small sets fill whole sheets.
std::unique_ptr<CFontData> MakeSquareFont(const std::u16string& characters) {
    auto font = std::make_unique<CFontData>();
    for (const char16_t ch : characters) {
        auto glyph = std::make_unique<CGlyph>();
        glyph->image.Create(15, 15, 32);
        glyph->image.SetHasAlpha(true);
        glyph->image.Fill(0x000000, 0xFF);
        glyph->image.SetValue(ch % 15, ch % 13, 0x00FFFFFFu);
        glyph->ascent = 12;
        font->AddGlyph(std::move(glyph), static_cast<uint16_t>(ch));
    }
    font->glyphImageFormat.Set(kTexIA4);
    font->ReflectGlyph();
    return font;
}

std::string GroupsFile(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<glyph-groups version=\"1.0\"><body>" +
           body + "</body></glyph-groups>\n";
}

class ArchivedFontTest : public testing::Test {
protected:
    // Writes `font` with the groups file of `body` (none when empty) on 32 x 32 sheets.
    std::vector<uint8_t> Write(CFontData& font, const std::string& body, int32_t encoding = 1) {
        std::u16string groups;
        if (!body.empty()) {
            const auto path = m_dir / ("groups" + std::to_string(m_files) + ".xggp");
            testing_support::WriteFileText(path, GroupsFile(body));
            groups = Utf8ToUtf16(path.string());
        }
        const auto out = m_dir / ("font" + std::to_string(m_files++) + ".bofna");
        CQuillFontWriter writer(Utf8ToUtf16(out.string()), groups, 1, 0xFFFF, kNo, kNo, kNo, kNo,
                                encoding, 32, 32);
        writer.ValidateInput();
        writer.WriteFontData(font, CGlyphOrder());
        return ReadFileBytes(out);
    }

    static CResFont Load(const std::vector<uint8_t>& bytes) {
        CResFont res;
        res.Load(bytes);
        return res;
    }

    // The sheets that the glyphs of `characters` lie on.
    static std::set<std::size_t> SheetsOf(const CResFont& res, const std::u16string& characters) {
        const TextureGlyphs& t = res.GetTextureGlyphs().value();
        std::set<std::size_t> sheets;
        for (const char16_t ch : characters) {
            const uint16_t index = res.CodeToIndex(ch);
            EXPECT_NE(index, kNoGlyph) << static_cast<int>(ch);
            sheets.insert(index / (t.cellsPerRow * t.rowsPerSheet));
        }
        return sheets;
    }

    testing_support::ScopedPgCtrl m_pg;
    CXmlLibrary m_xml;
    testing_support::TempDir m_dir;
    int m_files = 0;
};

TEST_F(ArchivedFontTest, TwoGroupsSharingLettersListTheSharedSetBoth) {
    const auto font = MakeSquareFont(u"ABCDEFGHIJ");
    const auto bytes =
        Write(*font, "<group name=\"g1\">ABCDEF</group><group name=\"g2\">ABGHIJ</group>");
    ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "OFNA");
    const CResFont res = Load(bytes);
    const TextureGlyphs& t = res.GetTextureGlyphs().value();
    EXPECT_EQ(t.sheetFormat, kSheetCompressed | kTexIA4);
    // C-F and G-J fill a sheet each; A and B (the alternate too) are stored once, on a third.
    ASSERT_EQ(t.sheetCount, 3);
    EXPECT_EQ(SheetsOf(res, u"CDEF"), (std::set<std::size_t>{0}));
    EXPECT_EQ(SheetsOf(res, u"GHIJ"), (std::set<std::size_t>{1}));
    EXPECT_EQ(SheetsOf(res, u"AB"), (std::set<std::size_t>{2}));

    const auto glgr = ReadGlyphGroups(bytes);
    EXPECT_EQ(glgr.sheetBytes, t.sheetBytes);
    EXPECT_EQ(glgr.cellsPerSheet, 4);
    EXPECT_EQ(glgr.sheetSizes, ReadStoredSheets(res).sizes);
    ASSERT_EQ(glgr.groups.size(), 2u);
    EXPECT_EQ(glgr.groups[0].name, "g1");
    EXPECT_EQ(glgr.groups[0].sheets, SheetsOf(res, u"ABCDEF"));
    EXPECT_EQ(glgr.groups[1].name, "g2");
    EXPECT_EQ(glgr.groups[1].sheets, SheetsOf(res, u"ABGHIJ"));
    // 14 bytes of counts and two name offsets, three sheet sizes, one CWDH and one CMAP size,
    // three bit sets per group of one word each, the names "g1" and "g2" and padding.
    EXPECT_EQ(glgr.groups[0].nameOffset, 24 + 64);
    EXPECT_EQ(glgr.contentSize, 72u);
    ASSERT_EQ(glgr.widthSizes.size(), 1u);
    EXPECT_EQ(glgr.widthSizes[0], res.FindBlock(kBlockCWDH)->size);
    ASSERT_EQ(glgr.mapSizes.size(), 1u);
    EXPECT_EQ(glgr.mapSizes[0], (res.FindBlock(kBlockCMAP)->size + 3) / 4 * 4);
    for (const auto& group : glgr.groups) {
        EXPECT_EQ(group.widthBlocks, (std::set<std::size_t>{0}));
        EXPECT_EQ(group.mapBlocks, (std::set<std::size_t>{0}));
    }
}

TEST_F(ArchivedFontTest, GroupsWithoutTheFontsCharactersGiveOnlyTheRest) {
    const auto font = MakeSquareFont(u"ABCDEFG");
    const auto archived = Write(*font, "<group name=\"digits\">0123</group>");
    const auto normal = Write(*font, "");
    // One named group ("*"): no GLGR, but the sheets are compressed all the same.
    EXPECT_EQ(std::string(archived.begin(), archived.begin() + 4), "OFNT");
    const CResFont res = Load(archived);
    EXPECT_EQ(res.CountBlocks(kBlockGLGR), 0u);
    EXPECT_EQ(res.GetTextureGlyphs()->sheetFormat, kSheetCompressed | kTexIA4);
    // One set of every glyph is laid out as a normal font is.
    const CResFont plain = Load(normal);
    EXPECT_EQ(plain.GetTextureGlyphs()->sheetFormat, kTexIA4);
    std::vector<uint8_t> expanded;
    for (const auto& sheet : ReadStoredSheets(res).sheets) {
        expanded.insert(expanded.end(), sheet.begin(), sheet.end());
    }
    const auto stored = plain.GetSheetData().first(expanded.size());
    EXPECT_TRUE(std::equal(expanded.begin(), expanded.end(), stored.begin()));
}

TEST_F(ArchivedFontTest, OneNamedGroupCompressesWithoutGlyphGroups) {
    const auto font = MakeSquareFont(u"0123456789");
    const auto bytes = Write(*font, "<group name=\"digits\">0123456789</group>");
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "OFNT");
    const CResFont res = Load(bytes);
    EXPECT_EQ(res.GetTextureGlyphs()->sheetFormat & kSheetCompressed, kSheetCompressed);
    EXPECT_EQ(ReadStoredSheets(res).sheets.size(), res.GetTextureGlyphs()->sheetCount);
}

TEST_F(ArchivedFontTest, AFileWithoutGroupsWritesANormalFont) {
    const auto font = MakeSquareFont(u"ABC");
    EXPECT_EQ(Write(*font, " "), Write(*font, ""));
}

// The glyph groups block reaches its names through 16-bit offsets.
TEST_F(ArchivedFontTest, GroupNamesBeyondTheNameOffsetsSaySo) {
    const auto font = MakeSquareFont(u"A");
    std::string body;
    for (int i = 0; i < 1900; ++i) {
        body += "<group name=\"group_" + std::string(24, 'x') + std::to_string(i) + "\">A</group>";
    }
    testing_support::ExpectError(
        [&] { Write(*font, body); }, kErrInputValue,
        "The glyph groups file has too many or too long group names (1900 groups) for the bofnt "
        "file.");
}

class ArchiveSetsTest : public testing::Test {
protected:
    // The sets and named groups of the groups file of `body` over `font`.
    ArchiveSets Build(const std::string& body, const CFontData& font, int32_t encoding = 1) {
        const auto path = m_dir / "groups.xggp";
        testing_support::WriteFileText(path, GroupsFile(body));
        CGlyphGroups groups;
        groups.Load(Utf8ToUtf16(path.string()));
        return BuildArchiveSets(groups, font, COutputEncoding(encoding));
    }

    static std::u16string Codes(const SheetSet& set) {
        std::u16string codes;
        for (const auto& entry : set.codes) {
            codes.push_back(static_cast<char16_t>(entry.first));
        }
        return codes;
    }

    CXmlLibrary m_xml;
    testing_support::TempDir m_dir;
};

TEST_F(ArchiveSetsTest, OnlyLeavesMakeSetsAndParentsCoverTheirLeaves) {
    const auto font = MakeSquareFont(u"ABCDEFXYZ");
    const ArchiveSets archive = Build(
        "<group name=\"top\">XY<group name=\"left\">AAB</group><group name=\"right\">CZ</group>"
        "</group><group name=\"none\">0</group><group name=\"tail\">DBE</group>",
        *font);
    ASSERT_EQ(archive.sets.size(), 4u);
    // The parent's own X and Y count for no set; repeats within a group are kept once.
    EXPECT_EQ(Codes(archive.sets.at(0)), u"AB");
    EXPECT_EQ(Codes(archive.sets.at(1)), u"CZ");
    EXPECT_EQ(Codes(archive.sets.at(2)), u"DBE");
    EXPECT_EQ(Codes(archive.sets.at(3)), u"FXY");
    const NamedGroups& groups = archive.groups;
    ASSERT_EQ(groups.size(), 5u);
    EXPECT_EQ(groups.at("top").sets, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(groups.at("top").groupIndex, 0);
    EXPECT_EQ(groups.at("left").sets, (std::vector<int32_t>{0}));
    EXPECT_EQ(groups.at("tail").sets, (std::vector<int32_t>{2}));
    EXPECT_EQ(groups.at("tail").groupIndex, 4);
    EXPECT_EQ(groups.at("*").sets, (std::vector<int32_t>{3}));
    EXPECT_EQ(groups.at("*").groupIndex, -1);
    EXPECT_EQ(groups.count("none"), 0u);
}

TEST_F(ArchiveSetsTest, TheFirstGroupOfANameWins) {
    const auto font = MakeSquareFont(u"ABC");
    // Children come before their parent: the inner "twin" is the first of that name.
    const ArchiveSets archive = Build(
        "<group name=\"twin\"><group name=\"twin\">A</group><group name=\"b\">B</group></group>"
        "<group name=\"c\">C</group>",
        *font);
    EXPECT_EQ(archive.groups.at("twin").sets, (std::vector<int32_t>{0}));
    EXPECT_EQ(archive.groups.at("twin").groupIndex, 1);
    EXPECT_EQ(archive.groups.count("*"), 0u);
}

TEST_F(ArchiveSetsTest, GroupCharactersGoThroughTheCodePage) {
    // Shift-JIS: U+3042 is 0x82A0; U+00E9 has no code and is passed over.
    const auto font = MakeSquareFont(std::u16string{static_cast<char16_t>(0x82A0), u'A'});
    const ArchiveSets archive =
        Build("<group name=\"kana\">\xC3\xA9\xE3\x81\x82</group>", *font, 2);
    EXPECT_EQ(Codes(archive.sets.at(0)), std::u16string{static_cast<char16_t>(0x82A0)});
    EXPECT_EQ(Codes(archive.sets.at(1)), u"A");
}

// The writer's assignment over sets built from a groups file, as the archived path runs it.
SheetAssignment Assign(CFontData& font, ArchiveSets archive, int32_t cellsPerSheet) {
    SheetAssignmentInput input;
    input.sets = std::move(archive.sets);
    input.groups = std::move(archive.groups);
    input.cellsPerSheet = cellsPerSheet;
    input.sheetBytes = 1;
    return ConstructSheetAssingment(font, std::move(input), COutputEncoding(1));
}

TEST_F(ArchiveSetsTest, SharedLettersAndTheAlternateMoveIntoOneNewSet) {
    const auto font = MakeSquareFont(u"ABCDEFGHIJ");
    const SheetAssignment result = Assign(
        *font, Build("<group name=\"g1\">ABCDE</group><group name=\"g2\">ABFGHIJ</group>", *font),
        64);
    ASSERT_EQ(result.sets.size(), 3u);
    EXPECT_EQ(Codes(result.sets.at(0)), u"CDE");
    EXPECT_EQ(Codes(result.sets.at(1)), u"FGHIJ");
    EXPECT_EQ(Codes(result.sets.at(2)), u"AB");
    EXPECT_EQ(result.groups.at("g1").sets, (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(result.groups.at("g2").sets, (std::vector<int32_t>{1, 2}));
}

TEST_F(ArchiveSetsTest, SmallGroupSetsShareOneSheet) {
    // Groups of 10, 20 and 30 characters; the alternate (the first code) leaves the first set
    // for a set of its own, and all four fit one sheet of 64 cells.
    std::u16string first, second, third;
    for (char16_t c = 0; c < 60; ++c) {
        (c < 10 ? first : c < 30 ? second : third).push_back(static_cast<char16_t>(0x4E00 + c));
    }
    const auto font = MakeSquareFont(first + second + third);
    const SheetAssignment result =
        Assign(*font,
               Build("<group name=\"a\">" + Utf16ToUtf8(first) + "</group><group name=\"b\">" +
                         Utf16ToUtf8(second) + "</group><group name=\"c\">" + Utf16ToUtf8(third) +
                         "</group>",
                     *font),
               64);
    EXPECT_EQ(result.sheetCount, 1);
    std::map<int32_t, int32_t> startCellOfSize;
    for (const auto& [number, set] : result.sets) {
        EXPECT_EQ(set.firstSheet, 0);
        EXPECT_EQ(set.lastSheet, 0);
        startCellOfSize[static_cast<int32_t>(set.codes.size())] = set.startCell;
    }
    EXPECT_EQ(startCellOfSize, (std::map<int32_t, int32_t>{{1, 0}, {9, 1}, {20, 10}, {30, 30}}));
    for (uint16_t c = 0; c < 60; ++c) {
        EXPECT_EQ(font->FindGlyph(static_cast<uint16_t>(0x4E00 + c))->glyphIndex, c);
    }
}

}  // namespace
