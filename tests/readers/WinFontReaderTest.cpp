// Installed fonts read as the font service (FreeType) reports them; the conversions themselves
// are golden (tests/golden/dejavu-*) and their errors console runs.
#include "readers/WinFontReader.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>

#include "base/Text.h"
#include "core/FontData.h"
#include "platform/FontCatalog.h"
#include "readers/RasterLetterer.h"
#include "readers/VectorLetterer.h"
#include "support/TestSupport.h"
#include "xml/CharFilter.h"

namespace {

using testing_support::ExpectError;
using testing_support::ScopedPgCtrl;

constexpr char16_t kDejaVu[] = u"DejaVu Sans";

struct ReaderOptions {
    std::u16string face = kDejaVu;
    int32_t size = 16;
    int32_t averageWidth = 0;
    int32_t bitDepth = 4;
    bool alpha = false;
    int32_t widthType = 2;
    int32_t fixedWidth = -1;
    bool softAntialias = false;
    GlyphEffects effects = {};
};

CWinFontReader Reader(const ReaderOptions& o) {
    return CWinFontReader({o.face, o.size, o.averageWidth, o.bitDepth, o.alpha,
                           static_cast<CLetterer::WidthType>(o.widthType), o.fixedWidth,
                           o.softAntialias, o.effects});
}

// The first of several faults is the one reported; single faults are console runs.
TEST(WinFontReaderTest, ValidateInputChecksInOrder) {
    struct Case {
        ReaderOptions options;
        int32_t category;
        const char* message;
    };
    const Case cases[] = {
        {{.face = u"DejaVu Sans ", .size = 0},
         kErrInputValue,
         "The font has Specified name(=DejaVu Sans ) is not exist."},
        {{.size = 0, .bitDepth = 9}, kErrInternal, "Invalid font size (=0)."},
        {{.bitDepth = 9, .widthType = 4},
         kErrInternal,
         "Color bit depth (=9) exceeds valid range. "},
        {{.bitDepth = 0}, kErrInternal, "Color bit depth (=0) exceeds valid range. "},
        {{.widthType = 4, .fixedWidth = 0}, kErrInternal, "Invalid character width type (4)."},
        {{.widthType = 3, .fixedWidth = -2}, kErrInternal, "Invalid character width (=-2)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        CWinFontReader reader = Reader(c.options);
        ExpectError([&] { reader.ValidateInput(); }, c.category, c.message);
    }
}

// DejaVu Sans opened by FreeType itself at 16 pixels.
class FreeTypeFace {
public:
    FreeTypeFace() {
        const auto location = FindFaceFile(kDejaVu, 400, false);
        EXPECT_TRUE(location.has_value());
        if (location && FT_Init_FreeType(&m_library) == 0 &&
            FT_New_Face(m_library, location->path.c_str(), FT_Long(location->index), &face) == 0) {
            FT_Set_Pixel_Sizes(face, 0, 16);
        }
    }
    ~FreeTypeFace() {
        FT_Done_Face(face);
        FT_Done_FreeType(m_library);
    }
    FT_Face face = nullptr;

private:
    FT_Library m_library = nullptr;
};

TEST(WinFontReaderTest, EveryMappedCodeBecomesOneGlyph) {
    // The codes 0x0000-0xFFFD the face maps, and those among them whose 1-bit rendering
    // advances, counted by FreeType.
    const FreeTypeFace ft;
    ASSERT_NE(ft.face, nullptr);
    struct {
        int all = 0;
        int advancing = 0;
    } expected;
    for (FT_ULong code = 0; code <= 0xFFFD; ++code) {
        const FT_UInt index = FT_Get_Char_Index(ft.face, code);
        expected.all += index != 0 ? 1 : 0;
        expected.advancing +=
            index != 0 &&
                    FT_Load_Glyph(ft.face, index,
                                  FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) == 0 &&
                    ((ft.face->glyph->advance.x + 32) >> 6) > 0
                ? 1
                : 0;
    }
    EXPECT_EQ(expected.all, 5370);
    struct Case {
        int32_t depth;
        bool softAntialias;
        int count;
    };
    // The 1-bit path draws the advance box, so characters that do not advance are dropped.
    for (const Case& c : {Case{4, false, expected.all}, Case{6, true, expected.all},
                          Case{1, false, expected.advancing}}) {
        SCOPED_TRACE(c.depth);
        ScopedPgCtrl progress;
        CWinFontReader reader = Reader({.bitDepth = c.depth, .softAntialias = c.softAntialias});
        reader.ValidateInput();
        CFontData font;
        reader.ReadFontData(font, CCharFilter());
        EXPECT_EQ(int(font.GetGlyphCount()), c.count);
        EXPECT_EQ(progress.statuses, std::vector<int>{249});
        EXPECT_EQ(font.FindGlyph(0x0000), nullptr);
        EXPECT_NE(font.FindGlyph(0xFFFD), nullptr);
    }
}

// A glyph as FreeType renders it at 16 pixels, cropped to the coverage at or above
// `threshold`: the smallest coverage that survives the level conversion of the depth.
struct InkBox {
    int32_t width = 0, height = 0, ascent = 0, left = 0, right = 0;
};

InkBox FreeTypeInkBox(FT_Face face, char16_t code, int threshold) {
    InkBox box;
    if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_NO_BITMAP) != 0) {
        ADD_FAILURE() << "no glyph";
        return box;
    }
    const FT_GlyphSlot slot = face->glyph;
    int32_t left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1;
    for (int32_t y = 0; y < int32_t(slot->bitmap.rows); ++y) {
        for (int32_t x = 0; x < int32_t(slot->bitmap.width); ++x) {
            if (slot->bitmap.buffer[y * slot->bitmap.pitch + x] >= threshold) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    box.width = right - left + 1;
    box.height = bottom - top + 1;
    box.ascent = slot->bitmap_top - top;
    box.left = slot->bitmap_left + left;
    box.right = int32_t((slot->advance.x + 32) >> 6) - box.left - box.width;
    return box;
}

TEST(WinFontReaderTest, GrayGlyphsHaveTheInkBoxAndAscentFreeTypeReports) {
    const FreeTypeFace ft;
    ASSERT_NE(ft.face, nullptr);
    // Depth 4 keeps 17-level values from 2 up (coverage 24 and more), depth 8 from 1 (2 up).
    for (const auto& [depth, threshold] : {std::pair{4, 24}, std::pair{8, 2}}) {
        const auto letterer = std::make_unique<CVectorLetterer>();
        letterer->SetOption(depth, CLetterer::kWidthChar, 0);
        letterer->Create(FontDescription{-16, 0, 400, false, kDejaVu});
        EXPECT_EQ(letterer->GetAscent(), 12);
        EXPECT_EQ(letterer->GetCellSide(), 30);
        for (const char16_t code : {u'A', u'g'}) {
            SCOPED_TRACE(testing::Message() << char(code) << " at depth " << depth);
            const InkBox expected = FreeTypeInkBox(ft.face, code, threshold);
            CGlyph glyph;
            ASSERT_TRUE(letterer->LetterChar(glyph, code));
            EXPECT_EQ(glyph.image.GetWidth(), expected.width);
            EXPECT_EQ(glyph.image.GetHeight(), expected.height);
            EXPECT_EQ(glyph.ascent, expected.ascent);
            EXPECT_EQ(glyph.leftSpace, expected.left);
            EXPECT_EQ(glyph.rightSpace, expected.right);
            EXPECT_TRUE(glyph.image.HasAlpha());
        }
        CGlyph a;
        letterer->LetterChar(a, u'A');
        EXPECT_EQ(a.image.GetWidth(), 11);
        EXPECT_EQ(a.image.GetHeight(), 12);
        EXPECT_EQ(a.ascent, 12);
        CGlyph missing;
        EXPECT_FALSE(letterer->LetterChar(missing, 0x3042));
    }
}

// Depths between the supported ones are drawn at the next one up.
TEST(LettererTest, SetOptionNormalisesTheDepth) {
    const std::pair<int32_t, int32_t> depths[] = {{1, 1}, {2, 4}, {3, 4}, {4, 4},
                                                  {5, 8}, {6, 8}, {7, 8}, {8, 8}};
    for (const auto& [given, used] : depths) {
        CRasterLetterer letterer;
        letterer.SetOption(given, 0, 0);
        EXPECT_EQ(letterer.GetBitDepth(), used) << given;
    }
}

}  // namespace
