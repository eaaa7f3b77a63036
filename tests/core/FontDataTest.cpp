#include "core/FontData.h"

#include <gtest/gtest.h>

#include "core/GlobalException.h"
#include "support/TestSupport.h"

namespace {

std::unique_ptr<CGlyph> MakeGlyph(int32_t w, int32_t h, int32_t ascent, uint32_t colour) {
    auto g = std::make_unique<CGlyph>();
    g->image.Create(w, h, 32);
    g->image.Fill(colour, 0xFF);
    g->ascent = ascent;
    return g;
}

TEST(FontDataTest, ReflectSortsRenumbersAndDerivesUnsetFields) {
    testing_support::ScopedPgCtrl pg;
    CFontData font;
    font.glyphImageFormat.Set(2);
    font.AddGlyph(MakeGlyph(4, 10, 8, 0), u'b');
    font.AddGlyph(MakeGlyph(6, 5, 5, 0), u'a');
    font.ascent.Set(20);
    font.ReflectGlyph();
    ASSERT_EQ(font.GetGlyphCount(), 2u);
    EXPECT_EQ(font.Glyphs()[0]->charCode, u'a');
    EXPECT_EQ(font.Glyphs()[0]->glyphIndex, 0);
    EXPECT_EQ(font.Glyphs()[1]->glyphIndex, 1);
    EXPECT_EQ(font.baseline.value, 8);
    EXPECT_EQ(font.height.value, 10);
    EXPECT_EQ(font.ascent.value, 20);  // given, kept
    EXPECT_EQ(font.descent.value, 2);
    EXPECT_EQ(font.lineFeed.value, 22);
    EXPECT_EQ(font.glyphWidth.value, 6);
}

TEST(FontDataTest, DuplicateCodesWarnOnlyWhenTheyDiffer) {
    testing_support::ScopedPgCtrl pg;
    CFontData font;
    font.AddGlyph(MakeGlyph(2, 2, 2, 0), u'A');
    font.AddGlyph(MakeGlyph(2, 2, 2, 0), u'A');
    EXPECT_TRUE(pg.control.warnings.empty());
    font.AddGlyph(MakeGlyph(3, 2, 2, 0), u'A');
    ASSERT_EQ(pg.control.warnings.size(), 1u);
    EXPECT_EQ(pg.control.warnings[0],
              u"More than one glyph allocated to character code ('A': U+0041). All glyphs after "
              u"the first are ignored.");
    EXPECT_EQ(font.GetGlyphCount(), 1u);
}

TEST(FontDataTest, ReflectFailuresChangeNothing) {
    CFontData empty;
    empty.glyphImageFormat.Set(0);
    try {
        empty.ReflectGlyph();
        FAIL();
    } catch (const CGeneralException& e) {
        EXPECT_EQ(e.GetCategory(), kErrInputValue);
    }
}

}  // namespace

namespace {

std::unique_ptr<CGlyph> MakeSpace(int32_t left, int32_t right) {
    auto g = std::make_unique<CGlyph>();
    g->leftSpace = left;
    g->rightSpace = right;
    g->ascent = 9;
    return g;
}

TEST(FontDataTest, FontOfSpacesOnlyHasZeroMetrics) {
    CFontData font;
    font.glyphImageFormat.Set(0);
    font.AddGlyph(MakeSpace(2, 3), u' ');
    font.AddGlyph(MakeSpace(1, 0), 0x3000);
    font.ReflectGlyph();
    EXPECT_EQ(font.baseline.value, 0);
    EXPECT_EQ(font.height.value, 0);
    EXPECT_EQ(font.ascent.value, 0);
    EXPECT_EQ(font.descent.value, 0);
    EXPECT_EQ(font.lineFeed.value, 0);
    EXPECT_EQ(font.width.value, 5);
    EXPECT_EQ(font.charWidth.value, 5);
    EXPECT_EQ(font.glyphWidth.value, 0);
    EXPECT_EQ(font.backgroundColor.value, 0xFFFFFFu);
    EXPECT_TRUE(font.defaultWidths.isSet);
    EXPECT_EQ(font.defaultWidths.value.charWidth, 0);
}

TEST(FontDataTest, GivenFieldsAreKeptAndLineFeedComesFromTheHeldValues) {
    CFontData font;
    font.glyphImageFormat.Set(2);
    font.ascent.Set(12);
    font.descent.Set(3);
    font.width.Set(40);
    font.backgroundColor.Set(0x123456);
    font.defaultWidths.Set(DefaultWidths{1, 2, 3});
    font.AddGlyph(MakeGlyph(4, 10, 8, 0), u'x');
    font.ReflectGlyph();
    EXPECT_EQ(font.lineFeed.value, 15);
    EXPECT_EQ(font.width.value, 40);
    EXPECT_EQ(font.backgroundColor.value, 0x123456u);
    EXPECT_EQ(font.defaultWidths.value.charWidth, 3);
    EXPECT_EQ(font.baseline.value, 8);  // computed fields are always set
    EXPECT_EQ(font.height.value, 10);

    CFontData withLineFeed;
    withLineFeed.glyphImageFormat.Set(2);
    withLineFeed.lineFeed.Set(30);
    withLineFeed.AddGlyph(MakeGlyph(4, 10, 8, 0), u'x');
    withLineFeed.ReflectGlyph();
    EXPECT_EQ(withLineFeed.lineFeed.value, 30);
    EXPECT_EQ(withLineFeed.ascent.value, 8);
    EXPECT_EQ(withLineFeed.descent.value, 2);
}

TEST(FontDataTest, NegativeExtentsDeriveZeroAscentAndDescent) {
    CFontData font;
    font.glyphImageFormat.Set(1);
    // Drawn wholly below the baseline: ascent -2, so top is negative.
    font.AddGlyph(MakeGlyph(3, 4, -2, 0), u'_');
    font.ReflectGlyph();
    EXPECT_EQ(font.baseline.value, -2);
    EXPECT_EQ(font.height.value, 4);
    EXPECT_EQ(font.ascent.value, 0);
    EXPECT_EQ(font.descent.value, 6);
}

TEST(FontDataTest, ReflectRenumbersInCodeOrderAndKeepsLookups) {
    testing_support::ScopedPgCtrl pg;
    CFontData font;
    font.glyphImageFormat.Set(0);
    for (const uint16_t code : {0x3042, 0x41, 0x7A, 0x20}) {
        font.AddGlyph(MakeGlyph(1, 1, 1, code), code);
    }
    EXPECT_EQ(font.FindGlyph(0x7A)->glyphIndex, 2);
    font.ReflectGlyph();
    const uint16_t expected[] = {0x20, 0x41, 0x7A, 0x3042};
    for (uint16_t i = 0; i < 4; ++i) {
        EXPECT_EQ(font.Glyphs()[i]->charCode, expected[i]);
        EXPECT_EQ(font.Glyphs()[i]->glyphIndex, i);
        EXPECT_EQ(font.FindGlyph(expected[i])->glyphIndex, i);
    }
    EXPECT_EQ(font.FindGlyph(0x42), nullptr);
}

TEST(FontDataTest, ReflectErrorTexts) {
    CFontData empty;
    empty.glyphImageFormat.Set(0);
    testing_support::ExpectError([&] { empty.ReflectGlyph(); }, kErrInputValue,
                                 "There are no characters to output. ");
    CFontData unformatted;
    unformatted.AddGlyph(MakeGlyph(1, 1, 1, 0), u'a');
    testing_support::ExpectError([&] { unformatted.ReflectGlyph(); }, kErrInternal,
                                 "Output format is not specified. ");
    EXPECT_FALSE(unformatted.baseline.isSet);
    EXPECT_FALSE(unformatted.width.isSet);
}

}  // namespace
