// The font service on installed faces: names, refusals, coverage. What it draws and the
// metrics it reports are golden (tests/golden/dejavu-*, fallback-*), missing glyphs console runs.
#include "platform/FontService.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "base/Text.h"
#include "platform/FontCatalog.h"

namespace {

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

// Faces other than a family's regular one, by the names the faces report, exactly (the forms
// of DejaVu Sans Bold are golden conversions, refused names console runs).
TEST(FontCatalogTest, FindsStyledFacesByTheirExactNames) {
    struct Case {
        const char16_t* name;
        const char* file;  // nullptr: no face
    };
    const Case cases[] = {
        {u"DejaVu Serif:Book", "DejaVuSerif.ttf"},
        {u"DejaVu Sans Mono:weight=bold", "DejaVuSansMono-Bold.ttf"},
        {u"DejaVu Serif:weight=bold:slant=roman", "DejaVuSerif-Bold.ttf"},
        {u"DejaVuSansMono-Bold", "DejaVuSansMono-Bold.ttf"},
        {u"IPAゴシック:Regular", "ipag.ttf"},
        // Names and values as the faces report them, or nothing: no case folding, no italic
        // for an oblique face, no unknown property, no family or style left out.
        {u"DejaVu Sans Mono:weight=bold:slant=italic", nullptr},
        {u"DejaVu Sans:colour=red", nullptr},
        {u"DejaVu Sans:weight=", nullptr},
        {u"DejaVu Sans:", nullptr},
        {u":Bold", nullptr},
        {u"dejavu sans bold", nullptr},
        {u"DejaVuSans-bold", nullptr},
        {u"", nullptr},
    };
    for (const Case& c : cases) {
        const auto face = FindStyledFace(c.name);
        if (c.file == nullptr) {
            EXPECT_FALSE(face.has_value()) << Utf16ToUtf8(c.name) << " " << face->path;
            continue;
        }
        ASSERT_TRUE(face.has_value()) << Utf16ToUtf8(c.name);
        EXPECT_EQ(std::filesystem::path(face->path).filename(), c.file) << Utf16ToUtf8(c.name);
        EXPECT_TRUE(face->outline);
    }
}

TEST(FontCatalogTest, ListsEachFamilysStylesWithTheRegularOneFirst) {
    const auto sans = StylesOfFamily(u"DejaVu Sans");
    ASSERT_FALSE(sans.empty());
    EXPECT_EQ(sans.front(), u"Book");
    EXPECT_NE(std::find(sans.begin(), sans.end(), u"Bold"), sans.end());
    EXPECT_TRUE(std::is_sorted(sans.begin() + 1, sans.end()));
    EXPECT_EQ(StylesOfFamily(u"IPAGothic"), std::vector<std::u16string>{u"Regular"});
    EXPECT_TRUE(StylesOfFamily(u"dejavu sans").empty());
    const auto families = ListFamilyStyles();
    const auto ipa = std::find_if(families.begin(), families.end(),
                                  [](const FamilyStyles& f) { return f.family == u"IPAゴシック"; });
    ASSERT_NE(ipa, families.end());
    EXPECT_EQ(ipa->styles, std::vector<std::u16string>{u"Regular"});
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

TEST(FontServiceTest, FullCoverageReachesTheTopLevelAndRowsArePadded) {
    CFontService service;
    ASSERT_TRUE(service.Initialize());
    ASSERT_TRUE(service.CreateFont(FontDescription{-16, 0, 400, false, u"DejaVu Sans"}));
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

}  // namespace
