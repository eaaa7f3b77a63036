#include "readers/CharGlyphBitmaps.h"

#include <gtest/gtest.h>

#include "core/Endian.h"
#include "core/FontData.h"
#include "readers/QuillFontFixture.h"
#include "support/TestSupport.h"

namespace {

using namespace quill_fixture;
using testing_support::ScopedPgCtrl;

Font SampleFont() {
    Font font;
    font.glyphs = SampleGlyphs();
    return font;
}

struct DepthCase {
    int bitsPerPixel;
    int32_t format;
    uint32_t halfInk;  // the word of '+', half the largest value rounded up
};

TEST(CharGlyphBitmapsTest, EveryDepthDecodesAndSettlesWithAFormat) {
    const DepthCase cases[] = {
        {1, kTexI4, kInk},         // one bit: half of 1 is solid ink
        {2, kTexI4, 0xAA555555u},  // value 2 of 3: alpha 170, gray 85
        {4, kTexI4, kHalfInk},     // value 8 of 15
        {8, kTexI8, 0x807F7F7Fu},  // value 128 of 255
    };
    for (const DepthCase& c : cases) {
        SCOPED_TRACE(c.bitsPerPixel);
        ScopedPgCtrl pg;
        CFontData font;
        ReadFont(BuildCharGlyphs(SampleFont(), c.bitsPerPixel), font);
        ASSERT_EQ(font.GetGlyphCount(), 3u);
        EXPECT_EQ(font.glyphImageFormat.value, c.format);
        EXPECT_EQ(font.baseline.value, 6);
        ExpectSampleA(*font.FindGlyph(u'A'), c.halfInk);
        // The transparent columns of a space stay in its advance.
        const CGlyph& space = *font.FindGlyph(u' ');
        EXPECT_EQ(space.image.GetWidth(), 0);
        EXPECT_EQ(space.Advance(), 6);
        font.ReflectGlyph();  // the format is set, so settling does not refuse the font
        EXPECT_EQ(font.height.value, 6);
    }
}

TEST(CharGlyphBitmapsTest, PreviousVersionHasNoRightSpaces) {
    ScopedPgCtrl pg;
    Font source = SampleFont();
    source.version = 0x0102;
    source.defaultCharWidth = 1;
    CFontData font;
    ReadFont(BuildCharGlyphs(source, 4), font);
    EXPECT_EQ(font.FindGlyph(u'A')->rightSpace, 0);
    EXPECT_EQ(font.FindGlyph(u'i')->leftSpace, 1);
    EXPECT_EQ(font.FindGlyph(u'i')->rightSpace, 0);
    EXPECT_EQ(font.FindGlyph(u' ')->rightSpace, 2);  // its transparent cell columns
    EXPECT_EQ(pg.control.warnings.size(), 1u);       // 263
}

struct BadLayoutCase {
    const char* what;
    std::size_t at;  // in the CGLP content
    uint8_t value;
};

TEST(CharGlyphBitmapsTest, LayoutsThatDoNotFitTheBlockAreResourceErrors) {
    const BadLayoutCase cases[] = {
        {"three bits per pixel", 6, 3},
        {"no bits per pixel", 6, 0},
        {"bitmaps smaller than their cells", 3, 4},
        {"cells larger than the bitmaps", 1, 40},
        {"glyph wider than its cell", 0, 3},
    };
    for (const BadLayoutCase& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedPgCtrl pg;
        std::vector<uint8_t> file = BuildCharGlyphs(SampleFont(), 4);
        file[ContentOffset(file, kBlockCGLP) + c.at] = c.value;
        testing_support::ExpectError(
            [&] {
                CFontData font;
                ReadFont(file, font);
            },
            kErrBofnt, "The file specified as a bofnt file is not a bofnt file. ");
    }
}

TEST(CharGlyphBitmapsTest, GlyphIndexPastTheBitmapsIsAResourceError) {
    ScopedPgCtrl pg;
    std::vector<uint8_t> file = BuildCharGlyphs(SampleFont(), 4);
    // The first pair of the scan map: the space, now at index 40.
    endian::StoreU16BE(file, ContentOffset(file, kBlockCMAP) + 16, 40);
    testing_support::ExpectError(
        [&] {
            CFontData font;
            ReadFont(file, font);
        },
        kErrBofnt, "The file specified as a bofnt file is not a bofnt file. ");
}

}  // namespace
