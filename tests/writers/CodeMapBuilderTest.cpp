#include "writers/CodeMapBuilder.h"

#include <gtest/gtest.h>

#include "core/FontData.h"
#include "support/TestSupport.h"

namespace {

// A working font whose glyph indices are the ranks of the codes.
std::unique_ptr<CFontData> FontOf(const std::vector<uint16_t>& codes) {
    auto font = std::make_unique<CFontData>();
    for (const uint16_t code : codes) {
        font->AddGlyph(std::make_unique<CGlyph>(), code);
    }
    return font;
}

std::vector<uint16_t> CodeRun(uint16_t first, int count, int step = 1) {
    std::vector<uint16_t> codes;
    for (int i = 0; i < count; ++i) {
        codes.push_back(static_cast<uint16_t>(first + i * step));
    }
    return codes;
}

std::vector<CodeMap> MapsOf(const std::vector<uint16_t>& codes) {
    testing_support::ScopedPgCtrl pg;
    return BuildCodeMaps(*FontOf(codes));
}

TEST(CodeMapBuilderTest, HundredConsecutiveCodesMakeOneDirectMap) {
    const auto maps = MapsOf(CodeRun(0x20, 100));
    ASSERT_EQ(maps.size(), 1u);
    EXPECT_EQ(maps[0].mappingKind, kMapDirect);
    EXPECT_EQ(maps[0].firstCode, 0x20);
    EXPECT_EQ(maps[0].lastCode, 0x83);
    EXPECT_EQ(maps[0].indices, std::vector<uint16_t>{0});
}

TEST(CodeMapBuilderTest, SeventyNineCodesMakeOneTableMap) {
    const auto maps = MapsOf(CodeRun(0x100, 79));
    ASSERT_EQ(maps.size(), 1u);
    EXPECT_EQ(maps[0].mappingKind, kMapTable);
    EXPECT_EQ(maps[0].firstCode, 0x100);
    EXPECT_EQ(maps[0].lastCode, 0x100 + 78);
    ASSERT_EQ(maps[0].indices.size(), 79u);
    EXPECT_EQ(maps[0].indices[78], 78);
}

TEST(CodeMapBuilderTest, ThirtyNineCodesMakeOneScanMap) {
    const auto maps = MapsOf(CodeRun(0x100, 39));
    ASSERT_EQ(maps.size(), 1u);
    EXPECT_EQ(maps[0].mappingKind, kMapScan);
    EXPECT_EQ(maps[0].firstCode, 0);
    EXPECT_EQ(maps[0].lastCode, 0xFFFF);
    ASSERT_EQ(maps[0].pairs.size(), 39u);
    EXPECT_EQ(maps[0].pairs[38], (std::pair<uint16_t, uint16_t>{0x100 + 38, 38}));
}

TEST(CodeMapBuilderTest, EveryOtherCodeMakesATableWithGaps) {
    const auto maps = MapsOf(CodeRun(0x41, 60, 2));
    ASSERT_EQ(maps.size(), 1u);
    EXPECT_EQ(maps[0].mappingKind, kMapTable);
    EXPECT_EQ(maps[0].firstCode, 0x41);
    EXPECT_EQ(maps[0].lastCode, 0xB7);
    ASSERT_EQ(maps[0].indices.size(), 119u);
    for (std::size_t i = 0; i < maps[0].indices.size(); ++i) {
        EXPECT_EQ(maps[0].indices[i], i % 2 == 0 ? i / 2 : kNoGlyph) << i;
    }
}

TEST(CodeMapBuilderTest, MixedFontCoversEveryCodeOnce) {
    // A run for a direct map, a half-full stretch for a table and scattered symbols.
    std::vector<uint16_t> codes = CodeRun(0x20, 95);
    for (const uint16_t c : CodeRun(0x3041, 50, 2)) {
        codes.push_back(c);
    }
    for (const uint16_t c : {0x2190, 0x25A0, 0x8000, 0xFF01}) {
        codes.push_back(c);
    }
    const auto maps = MapsOf(codes);
    ASSERT_EQ(maps.size(), 3u);
    EXPECT_EQ(maps[0].mappingKind, kMapDirect);
    EXPECT_EQ(maps[1].mappingKind, kMapTable);
    EXPECT_EQ(maps[2].mappingKind, kMapScan);
    EXPECT_EQ(maps[2].pairs.size(), 4u);
    // Every code finds its rank through the first map that covers it.
    for (std::size_t rank = 0; rank < codes.size(); ++rank) {
        uint16_t found = kNoGlyph;
        for (const CodeMap& map : maps) {
            if (map.firstCode <= codes[rank] && codes[rank] <= map.lastCode) {
                found = map.Lookup(codes[rank]);
                break;
            }
        }
        EXPECT_EQ(found, rank) << std::hex << codes[rank];
    }
}

}  // namespace
