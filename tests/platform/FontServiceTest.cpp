#include "platform/FontService.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/FontCatalog.h"

namespace {

CFontService OpenedFont(const std::u16string& face, int32_t height, int32_t width = 0) {
    CFontService service;
    EXPECT_TRUE(service.Initialize());
    FontDescription description;
    description.height = height;
    description.width = width;
    description.faceName = face;
    EXPECT_TRUE(service.CreateFont(description));
    return service;
}

TEST(FontCatalogTest, ListsFamiliesByExactNameWithTheirOutlineFlag) {
    const auto faces = ListInstalledFaces();
    ASSERT_TRUE(faces.contains(u"DejaVu Sans"));
    EXPECT_TRUE(faces.at(u"DejaVu Sans"));
    EXPECT_TRUE(faces.contains(u"IPAGothic"));
    EXPECT_TRUE(faces.contains(u"IPAゴシック"));
    EXPECT_FALSE(faces.contains(u"dejavu sans"));
    EXPECT_FALSE(faces.contains(u"DejaVuSans"));
}

TEST(FontCatalogTest, FindsAFaceOnlyByItsExactName) {
    EXPECT_TRUE(FindFaceFile(u"DejaVu Sans", 400, false).has_value());
    EXPECT_TRUE(FindFaceFile(u"IPAゴシック", 400, false).has_value());
    EXPECT_FALSE(FindFaceFile(u"dejavu sans", 400, false).has_value());
    EXPECT_FALSE(FindFaceFile(u"DEJAVU  SANS", 400, false).has_value());
    EXPECT_FALSE(FindFaceFile(u"NoSuchFont", 400, false).has_value());
    EXPECT_FALSE(FindFaceFile(u"", 400, false).has_value());
}

TEST(FontServiceTest, RefusesWorkBeforeInitializeAndUnknownOrOversizedFaces) {
    CFontService service;
    FontDescription description{-16, 0, 400, false, u"DejaVu Sans"};
    EXPECT_FALSE(service.CreateFont(description));
    TextMetrics metrics;
    EXPECT_FALSE(service.GetTextMetrics(metrics));
    EXPECT_EQ(service.GetGlyphIndex(u'A'), kMissingGlyph);
    ASSERT_TRUE(service.Initialize());
    description.faceName = u"dejavu sans";
    EXPECT_FALSE(service.CreateFont(description));
    description.faceName = u"DejaVu Sans";
    description.height = -70000;
    EXPECT_FALSE(service.CreateFont(description));
}

struct MetricsCase {
    const char16_t* face;
    TextMetrics expected;
};

TEST(FontServiceTest, TextMetricsFollowTheOs2AndHheaTables) {
    const MetricsCase cases[] = {
        {u"DejaVu Sans", {19, 15, 4, 3, 8, 30}},
        {u"IPAGothic", {17, 14, 3, 1, 8, 16}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.face, c.face + std::char_traits<char16_t>::length(c.face)));
        CFontService service = OpenedFont(c.face, -16);
        TextMetrics m;
        ASSERT_TRUE(service.GetTextMetrics(m));
        EXPECT_EQ(m.height, c.expected.height);
        EXPECT_EQ(m.ascent, c.expected.ascent);
        EXPECT_EQ(m.descent, c.expected.descent);
        EXPECT_EQ(m.internalLeading, c.expected.internalLeading);
        EXPECT_EQ(m.aveCharWidth, c.expected.aveCharWidth);
        EXPECT_EQ(m.maxCharWidth, c.expected.maxCharWidth);
    }
}

struct OutlineCase {
    const char16_t* face;
    char16_t code;
    uint16_t index;
    GlyphMetrics expected;
    uint32_t size;
};

TEST(FontServiceTest, GrayOutlinesReportBlackBoxOriginAdvanceAndSize) {
    const OutlineCase cases[] = {
        {u"DejaVu Sans", u'A', 36, {11, 12, 0, 12, 11}, 144},
        {u"DejaVu Sans", u'g', 74, {9, 12, 0, 9, 10}, 144},
        {u"DejaVu Sans", u' ', 3, {0, 0, 0, 0, 5}, 0},
        {u"DejaVu Sans", 0xFFFD, 5372, {17, 17, 0, 15, 16}, 340},
        {u"IPAGothic", 0x6F22, 1288, {16, 15, 0, 13, 16}, 240},
        {u"IPAGothic", 0x3042, 598, {14, 14, 1, 13, 16}, 224},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.code));
        CFontService service = OpenedFont(c.face, -16);
        EXPECT_EQ(service.GetGlyphIndex(c.code), c.index);
        GlyphMetrics m;
        ASSERT_EQ(service.GetGlyphOutline(c.code, GlyphFormat::kGray17, m, {}), c.size);
        std::vector<uint8_t> levels(c.size, 0xEE);
        EXPECT_EQ(service.GetGlyphOutline(c.code, GlyphFormat::kGray17, m, levels), c.size);
        EXPECT_EQ(m.blackBoxX, c.expected.blackBoxX);
        EXPECT_EQ(m.blackBoxY, c.expected.blackBoxY);
        EXPECT_EQ(m.originX, c.expected.originX);
        EXPECT_EQ(m.originY, c.expected.originY);
        EXPECT_EQ(m.cellIncX, c.expected.cellIncX);
        EXPECT_TRUE(std::all_of(levels.begin(), levels.end(), [](uint8_t b) { return b <= 16; }));
    }
}

TEST(FontServiceTest, FullCoverageReachesTheTopLevelAndRowsArePadded) {
    CFontService service = OpenedFont(u"DejaVu Sans", -16);
    GlyphMetrics m;
    std::vector<uint8_t> levels(144, 0xEE);
    ASSERT_EQ(service.GetGlyphOutline(u'A', GlyphFormat::kGray17, m, levels), 144u);
    EXPECT_EQ(*std::max_element(levels.begin(), levels.end()), 16);
    for (int y = 0; y < 12; ++y) {
        EXPECT_EQ(levels[std::size_t(y) * 12 + 11], 0) << "padding of row " << y;
    }
    ASSERT_EQ(service.GetGlyphOutline(u'A', GlyphFormat::kGray65, m, levels), 144u);
    EXPECT_EQ(*std::max_element(levels.begin(), levels.end()), 64);
    EXPECT_EQ(service.GetGlyphOutline(u'A', GlyphFormat::kGray65, m, std::span(levels).first(10)),
              kGlyphError);
}

TEST(FontServiceTest, MissingCodesAreMarked) {
    CFontService service = OpenedFont(u"DejaVu Sans", -16);
    EXPECT_EQ(service.GetGlyphIndex(0x3042), kMissingGlyph);
    EXPECT_EQ(service.GetGlyphIndex(0x0000), kMissingGlyph);
    GlyphMetrics m{1, 2, 3, 4, 5};
    EXPECT_EQ(service.GetGlyphOutline(0x3042, GlyphFormat::kGray17, m, {}), kGlyphError);
    EXPECT_EQ(m.blackBoxX, 1);
    int32_t width = 0;
    EXPECT_FALSE(service.GetCharWidth(0x3042, width));
    AbcWidths abc;
    EXPECT_FALSE(service.GetCharAbcWidths(0x3042, abc));
}

TEST(FontServiceTest, WidthQueriesAgreeWithTheOutline) {
    CFontService service = OpenedFont(u"DejaVu Sans", -16);
    int32_t width = 0;
    ASSERT_TRUE(service.GetCharWidth(u'A', width));
    EXPECT_EQ(width, 11);
    AbcWidths abc;
    ASSERT_TRUE(service.GetCharAbcWidths(u'g', abc));
    EXPECT_EQ(abc.a, 0);
    EXPECT_EQ(abc.b, 9);
    EXPECT_EQ(abc.c, 1);
    // The width query reused the glyph slot; the outline must be rendered afresh.
    GlyphMetrics m;
    EXPECT_EQ(service.GetGlyphOutline(u'g', GlyphFormat::kMetrics, m, {}), 0u);
    EXPECT_EQ(m.blackBoxX, 9);
    EXPECT_EQ(m.originY, 9);
}

TEST(FontServiceTest, AverageWidthScalesHorizontally) {
    CFontService service = OpenedFont(u"DejaVu Sans", -16, 20);
    TextMetrics tm;
    ASSERT_TRUE(service.GetTextMetrics(tm));
    EXPECT_EQ(tm.aveCharWidth, 20);
    EXPECT_EQ(tm.height, 19);
    GlyphMetrics m;
    service.GetGlyphOutline(u'A', GlyphFormat::kMetrics, m, {});
    EXPECT_EQ(m.blackBoxX, 27);
    EXPECT_EQ(m.blackBoxY, 12);
    EXPECT_EQ(m.cellIncX, 27);
}

// The opaque box of one code unit in a 30 x 30 cell pre-painted with 9.
std::vector<uint8_t> DrawnCell(CFontService& service, char16_t code) {
    std::vector<uint8_t> cell(30 * 32, 9);
    EXPECT_TRUE(service.DrawOpaqueText(code, cell, 30, 32, 1, 0));
    return cell;
}

int32_t BoxWidth(const std::vector<uint8_t>& cell) {
    int32_t x = 0;
    while (x < 30 && cell[std::size_t(x)] != 9) {
        ++x;
    }
    return x;
}

TEST(FontServiceTest, OpaqueTextIsAdvanceWideAndCellHighWithOneBitInk) {
    CFontService service = OpenedFont(u"DejaVu Sans", -16);
    const std::vector<uint8_t> a = DrawnCell(service, u'A');
    EXPECT_EQ(BoxWidth(a), 11);
    for (int y = 0; y < 30; ++y) {
        const auto row = std::span(a).subspan(std::size_t(y) * 32, 32);
        const bool inked = std::find(row.begin(), row.begin() + 11, 1) != row.begin() + 11;
        EXPECT_EQ(inked, y >= 3 && y <= 14) << "row " << y;
        EXPECT_EQ(row[0] != 9, y < 19) << "row " << y;
        EXPECT_TRUE(std::all_of(row.begin() + 11, row.end(), [](uint8_t b) { return b == 9; }));
    }
    EXPECT_EQ(BoxWidth(DrawnCell(service, u'g')), 10);
    const std::vector<uint8_t> space = DrawnCell(service, u' ');
    EXPECT_EQ(BoxWidth(space), 5);
    EXPECT_EQ(std::count(space.begin(), space.end(), 1), 0);
    EXPECT_EQ(std::count(space.begin(), space.end(), 0), 5 * 19);
    std::vector<uint8_t> small(10);
    EXPECT_FALSE(service.DrawOpaqueText(u'A', small, 30, 32, 1, 0));
}

}  // namespace
