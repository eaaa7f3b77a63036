#include "core/Glyph.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

CRgbImage Paper(int32_t w, int32_t h) {
    CRgbImage image;
    image.Create(w, h, 24);
    image.Fill(kWhite, 0);
    return image;
}

TEST(GlyphTest, SetFromImageCropsToTheContent) {
    CRgbImage source = Paper(6, 7);
    source.SetPixel(1, 2, 0x000000, 0);
    source.SetPixel(3, 4, 0x102030, 0);
    CGlyph glyph;
    glyph.SetFromImage(source, 2, 3, 5, kWhite);
    EXPECT_EQ(glyph.leftSpace, 2);
    EXPECT_EQ(glyph.rightSpace, 3);
    EXPECT_EQ(glyph.ascent, 3);
    ASSERT_EQ(glyph.image.GetWidth(), 3);
    ASSERT_EQ(glyph.image.GetHeight(), 3);
    EXPECT_EQ(glyph.image.GetValue(0, 0), 0u);
    EXPECT_EQ(glyph.image.GetValue(2, 2), 0x102030u);
    EXPECT_EQ(glyph.image.GetValue(1, 1), kWhite);
    EXPECT_EQ(glyph.image.GetBpp(), 24);

    // Only paper: an empty image, and the ascent is the baseline itself.
    CGlyph blank;
    blank.SetFromImage(Paper(4, 4), 1, 1, 3, kWhite);
    EXPECT_EQ(blank.image.GetWidth(), 0);
    EXPECT_EQ(blank.image.GetHeight(), 0);
    EXPECT_EQ(blank.ascent, 3);
    EXPECT_EQ(blank.Advance(), 2);
}

TEST(GlyphTest, SetFromOpaqueImageKeepsTheAdvance) {
    CRgbImage source = Paper(7, 5);
    source.SetHasAlpha(true);
    source.SetPixel(2, 1, 0x000000, 0xFF);
    source.SetPixel(4, 3, 0x000000, 0x10);
    CGlyph glyph;
    glyph.SetFromOpaqueImage(source, 1, 2, 4);
    EXPECT_EQ(glyph.leftSpace, 1 + 2);
    EXPECT_EQ(glyph.rightSpace, 2 + (7 - 5));
    EXPECT_EQ(glyph.image.GetWidth(), 3);
    EXPECT_EQ(glyph.image.GetHeight(), 3);
    EXPECT_EQ(glyph.ascent, 3);
    EXPECT_EQ(glyph.Advance(), 1 + 7 + 2);
    EXPECT_TRUE(glyph.image.HasAlpha());
}

CRgbImage WidthLine(int32_t length, int32_t start, int32_t end) {
    CRgbImage line = Paper(length, 1);
    for (int32_t x = start; x < end; ++x) {
        line.SetPixel(x, 0, 0xFF0000, 0);
    }
    return line;
}

TEST(GlyphTest, SetFromCellTakesTheSpacesFromTheWidthLine) {
    CRgbImage cell = Paper(10, 8);
    cell.FillRect(3, 2, 4, 5, 0x000000, 0);
    CGlyph glyph;
    // A line from 1 to 9 around a drawing from 3 to 7.
    ASSERT_TRUE(glyph.SetFromCell(cell, WidthLine(10, 1, 9), 6, kWhite));
    EXPECT_EQ(glyph.leftSpace, 2);
    EXPECT_EQ(glyph.rightSpace, 2);
    EXPECT_EQ(glyph.ascent, 4);
    EXPECT_EQ(glyph.image.GetWidth(), 4);
    // A line narrower than the drawing gives negative spaces.
    ASSERT_TRUE(glyph.SetFromCell(cell, WidthLine(10, 4, 6), 6, kWhite));
    EXPECT_EQ(glyph.leftSpace, -1);
    EXPECT_EQ(glyph.rightSpace, -1);
    // No line: the drawing takes no room.
    ASSERT_TRUE(glyph.SetFromCell(cell, WidthLine(10, 0, 0), 6, kWhite));
    EXPECT_EQ(glyph.leftSpace, 0);
    EXPECT_EQ(glyph.rightSpace, -4);
    EXPECT_EQ(glyph.Advance(), 0);
    // A line with an empty cell: a space as wide as the line.
    ASSERT_TRUE(glyph.SetFromCell(Paper(10, 8), WidthLine(10, 2, 7), 6, kWhite));
    EXPECT_EQ(glyph.leftSpace, 5);
    EXPECT_EQ(glyph.rightSpace, 0);
    EXPECT_EQ(glyph.image.GetWidth(), 0);
    // A line running to the cell's end.
    ASSERT_TRUE(glyph.SetFromCell(cell, WidthLine(10, 3, 10), 6, kWhite));
    EXPECT_EQ(glyph.rightSpace, 3);
}

TEST(GlyphTest, SecondWidthLineChangesNothing) {
    CRgbImage cell = Paper(10, 8);
    cell.FillRect(3, 2, 4, 5, 0x000000, 0);
    CGlyph glyph;
    glyph.leftSpace = 11;
    CRgbImage line = WidthLine(10, 1, 4);
    line.SetPixel(6, 0, 0xFF0000, 0);
    EXPECT_FALSE(glyph.SetFromCell(cell, line, 6, kWhite));
    EXPECT_EQ(glyph.leftSpace, 11);
    EXPECT_EQ(glyph.image.GetWidth(), 0);
}

TEST(GlyphTest, EqualsComparesSpacesAscentAndImage) {
    CRgbImage source = Paper(4, 4);
    source.SetPixel(1, 1, 0, 0);
    CGlyph a;
    CGlyph b;
    a.SetFromImage(source, 1, 1, 2, kWhite);
    b.SetFromImage(source, 1, 1, 2, kWhite);
    EXPECT_TRUE(a.Equals(b));
    b.rightSpace = 2;
    EXPECT_FALSE(a.Equals(b));
    b.rightSpace = 1;
    b.ascent = 0;
    EXPECT_FALSE(a.Equals(b));
    b.ascent = a.ascent;
    b.image.SetValue(0, 0, 0x010101);
    EXPECT_FALSE(a.Equals(b));
}

TEST(GlyphTest, DrawAlignedPutsTheBaselineOnTheRow) {
    CGlyph glyph;
    CRgbImage source = Paper(3, 4);
    source.Fill(0x000000, 0xFF);
    source.SetHasAlpha(true);
    glyph.SetFromImage(source, 0, 0, 3, kWhite);  // ascent 3
    CRgbImage target;
    glyph.DrawAligned(target, 5);
    ASSERT_EQ(target.GetWidth(), 3);
    ASSERT_EQ(target.GetHeight(), 4 + 2);
    EXPECT_TRUE(target.HasAlpha());
    EXPECT_EQ(target.GetWord(0, 0), 0x00FFFFFFu);
    EXPECT_EQ(target.GetWord(2, 1), 0x00FFFFFFu);
    EXPECT_EQ(target.GetWord(0, 2), 0xFF000000u);
    EXPECT_EQ(target.GetWord(2, 5), 0xFF000000u);
    // A baseline row above the ascent cuts nothing and adds no rows.
    glyph.DrawAligned(target, 1);
    EXPECT_EQ(target.GetHeight(), 4);
    EXPECT_EQ(target.GetWord(0, 0), 0xFF000000u);
}

}  // namespace
