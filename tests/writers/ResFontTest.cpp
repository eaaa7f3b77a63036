#include "writers/format/ResFont.h"

#include <gtest/gtest.h>

#include "core/BinaryFile.h"
#include "core/Endian.h"
#include "platform/Text.h"
#include "support/TestSupport.h"
#include "writers/WriterTestSupport.h"
#include "writers/format/FontFileCheck.h"

namespace {

using writer_tests::ExpectError;

const std::u16string kNotBofnt = u"The file specified as a bofnt file is not a bofnt file. ";

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

uint32_t U32At(const std::vector<uint8_t>& b, std::size_t at) {
    return endian::LoadU32BE(b, at);
}
uint16_t U16At(const std::vector<uint8_t>& b, std::size_t at) {
    return endian::LoadU16BE(b, at);
}
std::string KindAt(const std::vector<uint8_t>& b, std::size_t at) {
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(at),
                       b.begin() + static_cast<std::ptrdiff_t>(at + 4));
}

TEST(ResFontTest, ByteLayoutOfAWrittenFile) {
    const std::vector<uint8_t> b = SampleFont(true).ToBytes();
    ASSERT_GE(b.size(), 16u);
    EXPECT_EQ(KindAt(b, 0), "OFNT");
    EXPECT_EQ(b[4], 0xFE);
    EXPECT_EQ(b[5], 0xFF);
    EXPECT_EQ(b[6], 0x01);
    EXPECT_EQ(b[7], 0x04);
    EXPECT_EQ(U32At(b, 8), b.size());
    EXPECT_EQ(U16At(b, 12), 16);
    EXPECT_EQ(U16At(b, 14), 8);

    // FINF at 16 (content at 24), TGLP at 48 with its sheets at 96.
    EXPECT_EQ(KindAt(b, 16), "FINF");
    EXPECT_EQ(U32At(b, 20), 32u);
    EXPECT_EQ(KindAt(b, 48), "TGLP");
    EXPECT_EQ(U32At(b, 56 + 20), 96u);
    EXPECT_EQ(U32At(b, 52), 96u + 32u - 48u);  // header, content, padding and sheets
    EXPECT_TRUE(std::equal(b.begin() + 96, b.begin() + 128, SheetData().begin()));
    EXPECT_EQ(U32At(b, 24 + 8), 56u);  // glyphBlockOffset

    // Every block 4-aligned and sized to the next one; collect the content offsets.
    std::vector<std::pair<std::string, uint32_t>> blocks;
    for (std::size_t p = 16; p < b.size(); p += U32At(b, p + 4)) {
        EXPECT_EQ(p % 4, 0u);
        EXPECT_EQ(U32At(b, p + 4) % 4, 0u);
        blocks.emplace_back(KindAt(b, p), static_cast<uint32_t>(p + 8));
    }
    ASSERT_EQ(blocks.size(), 8u);
    const std::string order[] = {"FINF", "TGLP", "CWDH", "CWDH", "CWDH", "CMAP", "CMAP", "CMAP"};
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        EXPECT_EQ(blocks[i].first, order[i]);
    }
    // FINF points at the first of each kind, each at the next, the last holds 0.
    EXPECT_EQ(U32At(b, 24 + 12), blocks[2].second);
    EXPECT_EQ(U32At(b, blocks[2].second + 4), blocks[3].second);
    EXPECT_EQ(U32At(b, blocks[3].second + 4), blocks[4].second);
    EXPECT_EQ(U32At(b, blocks[4].second + 4), 0u);
    EXPECT_EQ(U32At(b, 24 + 16), blocks[5].second);
    EXPECT_EQ(U32At(b, blocks[5].second + 8), blocks[6].second);
    EXPECT_EQ(U32At(b, blocks[6].second + 8), blocks[7].second);
    EXPECT_EQ(U32At(b, blocks[7].second + 8), 0u);
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
    std::u16string message;
};

TEST(ResFontTest, BrokenFilesFailWithAResourceError) {
    const std::vector<uint8_t> good = SampleFont(true).ToBytes();
    // Content offsets of the sample: FINF 24, TGLP 56, CWDH 136 (12 bytes of entries), ...
    const std::size_t widths = U32At(good, 24 + 12);
    const std::size_t maps = U32At(good, 24 + 16);
    const std::size_t table = U32At(good, maps + 8);
    const std::size_t scan = U32At(good, table + 8);
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
         u"Unsupported bofnt version (=0103). The supported version is 0104."},
        {"header size 20", WithU16(good, 12, 20),
         u"The bofnt file's header size (=20) is invalid. It must be 16."},
        {"block count 1", WithU16(good, 14, 1), u"Binary block count (=1) is too small. "},
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

TEST(ResFontTest, EveryTruncationFails) {
    const std::vector<uint8_t> good = SampleFont(true).ToBytes();
    for (std::size_t length = 0; length < good.size(); ++length) {
        // A fresh buffer of exactly this length, so that a sanitizer sees any over-read.
        const std::vector<uint8_t> cut(good.begin(),
                                       good.begin() + static_cast<std::ptrdiff_t>(length));
        CResFont res;
        try {
            res.Load(cut);
            ADD_FAILURE() << "length " << length << " loaded";
        } catch (const CGeneralException& e) {
            EXPECT_EQ(e.GetCategory(), kErrBofnt) << "length " << length;
        }
    }
}

TEST(ResFontTest, ValidateFontFileChecksTheWholeFile) {
    testing_support::TempDir dir;
    const std::u16string missing = Utf8ToUtf16((dir / "none.bofnt").string());
    ExpectError([&] { ValidateFontFile(missing); }, kErrInputValue,
                u"The specified file (" + missing + u") does not exist. ");

    const std::vector<uint8_t> good = SampleFont(true).ToBytes();
    const auto path = dir / "font.bofnt";
    testing_support::WriteFileBytes(path, good);
    EXPECT_NO_THROW(ValidateFontFile(Utf8ToUtf16(path.string())));
    for (std::size_t length = 0; length < good.size(); ++length) {
        testing_support::WriteFileBytes(
            path,
            std::vector<uint8_t>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length)));
        try {
            ValidateFontFile(Utf8ToUtf16(path.string()));
            ADD_FAILURE() << "length " << length << " passed";
        } catch (const CGeneralException& e) {
            EXPECT_EQ(e.GetCategory(), kErrBofnt) << "length " << length;
        }
    }
}

TEST(ResFontTest, SaveWritesTheFileThroughABinaryFile) {
    testing_support::TempDir dir;
    const auto path = dir / "saved.bofnt";
    const CResFont res = SampleFont(true);
    CBinaryFile file(Utf8ToUtf16(path.string()));
    res.Save(file);
    EXPECT_EQ(testing_support::ReadFileBytes(path), res.ToBytes());

    CBinaryFile in(Utf8ToUtf16(path.string()));
    in.Open(CBinaryFile::Access::kRead);
    CResFont loaded;
    loaded.Load(in);
    EXPECT_EQ(loaded.GetMapChain().size(), 3u);
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
