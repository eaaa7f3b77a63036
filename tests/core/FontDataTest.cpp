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
