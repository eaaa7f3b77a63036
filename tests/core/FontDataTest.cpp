// Fonts no picture or installed face gives: only spaces, ink wholly below the baseline, no format.
// Metrics of real fonts are golden conversions.
#include "core/FontData.h"

#include <gtest/gtest.h>

#include "base/GlobalException.h"
#include "support/TestSupport.h"

namespace {

std::unique_ptr<CGlyph> MakeGlyph(int32_t w, int32_t h, int32_t ascent, uint32_t colour) {
    auto g = std::make_unique<CGlyph>();
    g->image.Create(w, h, 32);
    g->image.Fill(colour, 0xFF);
    g->ascent = ascent;
    return g;
}

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

// A font with no characters is a console run (tests/e2e/console_runs.txt).
TEST(FontDataTest, ReflectWithoutAFormatFailsAndDerivesNothing) {
    CFontData unformatted;
    unformatted.AddGlyph(MakeGlyph(1, 1, 1, 0), u'a');
    testing_support::ExpectError([&] { unformatted.ReflectGlyph(); }, kErrInternal,
                                 "Output format is not specified. ");
    EXPECT_FALSE(unformatted.baseline.isSet);
    EXPECT_FALSE(unformatted.width.isSet);
}

}  // namespace
