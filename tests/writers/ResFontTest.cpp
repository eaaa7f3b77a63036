// The binary font container: the written layout is golden (tests/golden/*.bofnt), cut files are
// the binary font family of tests/readers/HostileInputTest.cpp. Here: little-endian files, which
// nothing we write produces, the lookup rules, and inconsistent fields.
#include "writers/format/ResFont.h"

#include <gtest/gtest.h>

#include "core/Endian.h"
#include "support/TestSupport.h"

namespace {

using testing_support::ExpectError;

const std::string kNotBofnt = "The file specified as a bofnt file is not a bofnt file. ";

FontInfo SampleInfo() {
    FontInfo info;
    info.lineFeed = 18;
    info.alternateIndex = 3;
    info.defaultLeft = -1;
    info.defaultGlyphWidth = 9;
    info.defaultCharWidth = 10;
    info.encoding = 1;
    info.height = 16;
    info.width = 12;
    info.ascent = 13;
    return info;
}

TextureGlyphs SampleGlyphs() {
    TextureGlyphs g;
    g.cellWidth = 6;
    g.cellHeight = 6;
    g.baseline = 5;
    g.maxCharWidth = 7;
    g.sheetBytes = 32;
    g.sheetCount = 1;
    g.sheetFormat = 0;
    g.cellsPerRow = 4;
    g.rowsPerSheet = 4;
    g.sheetWidth = 8;
    g.sheetHeight = 8;
    return g;
}

WidthBlock Widths(uint16_t first, uint16_t last) {
    WidthBlock w;
    w.firstIndex = first;
    w.lastIndex = last;
    for (uint16_t i = first; i <= last; ++i) {
        w.entries.push_back(WidthEntry{static_cast<int8_t>(i), static_cast<uint8_t>(i + 1),
                                       static_cast<int8_t>(2 * i + 2)});
    }
    return w;
}

CodeMap Direct(uint16_t first, uint16_t last, uint16_t index) {
    CodeMap m;
    m.firstCode = first;
    m.lastCode = last;
    m.mappingKind = kMapDirect;
    m.indices = {index};
    return m;
}

CodeMap Table(uint16_t first, std::vector<uint16_t> indices) {
    CodeMap m;
    m.firstCode = first;
    m.lastCode = static_cast<uint16_t>(first + indices.size() - 1);
    m.mappingKind = kMapTable;
    m.indices = std::move(indices);
    return m;
}

CodeMap Scan(std::vector<std::pair<uint16_t, uint16_t>> pairs) {
    CodeMap m;
    m.firstCode = 0;
    m.lastCode = 0xFFFF;
    m.mappingKind = kMapScan;
    m.pairs = std::move(pairs);
    return m;
}

std::vector<uint8_t> SheetData() {
    std::vector<uint8_t> data(32);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<uint8_t>(i * 7);
    }
    return data;
}

// A resource with three width blocks and three maps (direct, table, scan).
CResFont SampleFont(bool bigEndian) {
    CResFont res(bigEndian);
    res.AddFontInfo(SampleInfo());
    res.AddTextureGlyphs(SampleGlyphs(), SheetData());
    res.AddWidths(Widths(0, 2));
    res.AddWidths(Widths(3, 3));
    res.AddWidths(Widths(5, 6));
    res.AddCodeMap(Direct(0x41, 0x43, 0));
    res.AddCodeMap(Table(0x61, {3, kNoGlyph, 5}));
    res.AddCodeMap(Scan({{0x20, 6}, {0x42, 9}, {0x62, 9}, {0x3000, 1}}));
    res.LinkOffsets();
    return res;
}

TEST(ResFontTest, ReloadGivesTheSameBlocksInEitherByteOrder) {
    const CResFont written = SampleFont(true);
    for (const bool bigEndian : {true, false}) {
        const std::vector<uint8_t> bytes = SampleFont(bigEndian).ToBytes();
        EXPECT_EQ(bytes[4], bigEndian ? 0xFE : 0xFF);
        CResFont loaded;
        loaded.Load(bytes);
        EXPECT_EQ(loaded.IsBigEndian(), bigEndian);
        EXPECT_FALSE(loaded.IsPreviousVersion());
        FontInfo expectedInfo =
            resblock::DecodeFontInfo(written.FindBlock(kBlockFINF)->content, true);
        EXPECT_EQ(loaded.GetFontInfo(), expectedInfo);
        ASSERT_TRUE(loaded.GetTextureGlyphs().has_value());
        TextureGlyphs expectedGlyphs = SampleGlyphs();
        expectedGlyphs.sheetDataOffset = 96;
        EXPECT_EQ(*loaded.GetTextureGlyphs(), expectedGlyphs);
        const auto sheets = loaded.GetSheetData();
        EXPECT_EQ(std::vector<uint8_t>(sheets.begin(), sheets.end()), SheetData());
        ASSERT_EQ(loaded.GetWidthChain().size(), 3u);
        ASSERT_EQ(loaded.GetMapChain().size(), 3u);
        for (std::size_t n = 0; n < 3; ++n) {
            EXPECT_EQ(loaded.GetWidthChain()[n],
                      resblock::DecodeWidths(written.FindBlock(kBlockCWDH, n)->content, true));
            EXPECT_EQ(loaded.GetMapChain()[n],
                      resblock::DecodeCodeMap(written.FindBlock(kBlockCMAP, n)->content, true));
        }
        if (bigEndian) {
            for (const uint32_t kind : {kBlockFINF, kBlockCWDH, kBlockCMAP}) {
                for (std::size_t n = 0; n < written.CountBlocks(kind); ++n) {
                    // A loaded content keeps the block's padding after the written bytes.
                    const auto& in = loaded.FindBlock(kind, n)->content;
                    const auto& out = written.FindBlock(kind, n)->content;
                    ASSERT_EQ(in.size(), (out.size() + 3) / 4 * 4);
                    EXPECT_TRUE(std::equal(out.begin(), out.end(), in.begin()));
                }
            }
        }
    }
}

TEST(ResFontTest, LookupsFollowTheMapsInFileOrder) {
    CResFont loaded;
    loaded.Load(SampleFont(true).ToBytes());
    const std::pair<uint16_t, uint16_t> cases[] = {
        {0x41, 0},        {0x43, 2},    // direct map
        {0x42, 1},                      // the direct map decides, not the scan map's 9
        {0x61, 3},        {0x63, 5},    // table map
        {0x62, kNoGlyph},               // 0xFFFF in the table is final
        {0x20, 6},        {0x3000, 1},  // scan map
        {0x21, kNoGlyph}, {0xFFFF, kNoGlyph},
    };
    for (const auto& [code, index] : cases) {
        EXPECT_EQ(loaded.CodeToIndex(code), index) << std::hex << code;
    }
    EXPECT_EQ(loaded.WidthOfIndex(1), (WidthEntry{1, 2, 4}));
    EXPECT_EQ(loaded.WidthOfIndex(6), (WidthEntry{6, 7, 14}));
    EXPECT_EQ(loaded.WidthOfIndex(4), (WidthEntry{-1, 9, 10}));  // FINF default
    EXPECT_TRUE(loaded.GlyphBytesOfIndex(0).empty());            // no CGLP
}

std::vector<uint8_t> WithU16(std::vector<uint8_t> b, std::size_t at, uint16_t v) {
    endian::StoreU16BE(b, at, v);
    return b;
}
std::vector<uint8_t> WithU32(std::vector<uint8_t> b, std::size_t at, uint32_t v) {
    endian::StoreU32BE(b, at, v);
    return b;
}

struct BadFile {
    const char* what;
    std::vector<uint8_t> bytes;
    std::string message;
};

TEST(ResFontTest, BrokenFilesFailWithAResourceError) {
    const std::vector<uint8_t> good = SampleFont(true).ToBytes();
    // Content offsets of the sample: FINF 24, TGLP 56, CWDH 136 (12 bytes of entries), ...
    const std::size_t widths = endian::LoadU32BE(good, 24 + 12);
    const std::size_t maps = endian::LoadU32BE(good, 24 + 16);
    const std::size_t table = endian::LoadU32BE(good, maps + 8);
    const std::size_t scan = endian::LoadU32BE(good, table + 8);
    std::vector<uint8_t> noInfo = good;
    noInfo[16] = 'X';
    std::vector<uint8_t> noGlyphs = good;
    noGlyphs[48] = 'X';
    std::vector<uint8_t> badSignature = good;
    badSignature[3] = 'X';
    const BadFile cases[] = {
        {"signature", badSignature, kNotBofnt},
        {"byte-order mark", WithU16(good, 4, 0x1234), kNotBofnt},
        {"version 0103", WithU16(good, 6, 0x0103),
         "Unsupported bofnt version (=0103). The supported version is 0104."},
        {"header size 20", WithU16(good, 12, 20),
         "The bofnt file's header size (=20) is invalid. It must be 16."},
        {"block count 1", WithU16(good, 14, 1), "Binary block count (=1) is too small. "},
        {"block size below 8", WithU32(good, 20, 4), kNotBofnt},
        {"block size past the end", WithU32(good, 20, 0x10000), kNotBofnt},
        {"no FINF", noInfo, kNotBofnt},
        {"no TGLP", noGlyphs, kNotBofnt},
        {"width offset outside", WithU32(good, 24 + 12, 0x7FFFFFF0), kNotBofnt},
        {"sheet data outside", WithU32(good, 56 + 20, 0x7FFFFFF0), kNotBofnt},
        {"sheet data before its block", WithU32(good, 56 + 20, 60), kNotBofnt},
        {"sheets larger than the block", WithU16(good, 56 + 8, 2), kNotBofnt},
        {"width range larger than its block", WithU16(good, widths + 2, 40), kNotBofnt},
        {"reversed width range", WithU16(good, widths, 5), kNotBofnt},
        {"table range larger than its block", WithU16(good, table + 2, 0x6000), kNotBofnt},
        {"scan pairs beyond the block", WithU16(good, scan + 12, 500), kNotBofnt},
        {"link to a missing block", WithU32(good, scan + 8, 24), kNotBofnt},
        {"link outside the file", WithU32(good, maps + 8, 0xFFFFFFF0), kNotBofnt},
    };
    for (const BadFile& c : cases) {
        SCOPED_TRACE(c.what);
        CResFont res;
        ExpectError([&] { res.Load(c.bytes); }, kErrBofnt, c.message);
    }
}

TEST(ResFontTest, PreviousVersionAndCharGlyphs) {
    // A previous-version file with a CGLP block instead of TGLP.
    CResFont res(true);
    res.AddFontInfo(SampleInfo());
    std::vector<uint8_t> cglp = {0, 0, 0, 4, static_cast<uint8_t>(-3), 0, 0, 0};
    for (uint8_t i = 0; i < 8; ++i) {
        cglp.push_back(i);
    }
    res.AddBlock(kBlockCGLP, cglp);
    res.LinkOffsets();
    CResFont loaded;
    loaded.Load(WithU16(res.ToBytes(), 6, 0x0102));
    EXPECT_TRUE(loaded.IsPreviousVersion());
    ASSERT_TRUE(loaded.GetCharGlyphs().has_value());
    EXPECT_EQ(loaded.GetCharGlyphs()->baseline, -3);
    EXPECT_EQ(loaded.GlyphBytesOfIndex(1).size(), 4u);
    EXPECT_EQ(loaded.GlyphBytesOfIndex(1)[0], 4);
    EXPECT_TRUE(loaded.GlyphBytesOfIndex(2).empty());
    EXPECT_EQ(loaded.CodeToIndex(0x41), kNoGlyph);
}

}  // namespace
