#include "readers/WinFontReader.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>

#include "core/FontData.h"
#include "platform/FontCatalog.h"
#include "platform/Text.h"
#include "readers/RasterLetterer.h"
#include "readers/VectorLetterer.h"
#include "support/TestSupport.h"
#include "xml/CharFilter.h"
#include "xml/GlyphOrder.h"
#include "xml/XmlLibrary.h"

namespace {

using testing_support::ExpectError;
using testing_support::ScopedPgCtrl;
using testing_support::TempDir;

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
};

CWinFontReader Reader(const ReaderOptions& o) {
    return CWinFontReader(o.face, o.size, o.averageWidth, o.bitDepth, o.alpha, o.widthType,
                          o.fixedWidth, o.softAntialias);
}

TEST(WinFontReaderTest, ValidateInputChecksInOrder) {
    struct Case {
        ReaderOptions options;
        int32_t category;
        const char* message;
    };
    const Case cases[] = {
        {{.face = u"", .size = 0}, kErrInputValue, "Font was not selected. "},
        {{.face = u"dejavu sans", .size = 0},
         kErrInputValue,
         "The font has Specified name(=dejavu sans) is not exist."},
        {{.face = u"DejaVu Sans ", .size = 0},
         kErrInputValue,
         "The font has Specified name(=DejaVu Sans ) is not exist."},
        {{.size = 0, .bitDepth = 9}, kErrInternal, "Invalid font size (=0)."},
        {{.bitDepth = 9, .widthType = 4},
         kErrInternal,
         "Color bit depth (=9) exceeds valid range. "},
        {{.bitDepth = 0}, kErrInternal, "Color bit depth (=0) exceeds valid range. "},
        {{.widthType = 4, .fixedWidth = 0}, kErrInternal, "Invalid character width type (4)."},
        {{.widthType = 3, .fixedWidth = 0}, kErrInternal, "Invalid character width (=0)."},
        {{.widthType = 3, .fixedWidth = -2}, kErrInternal, "Invalid character width (=-2)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        CWinFontReader reader = Reader(c.options);
        ExpectError([&] { reader.ValidateInput(); }, c.category, c.message);
    }
}

TEST(WinFontReaderTest, ValidateInputAcceptsEveryInstalledNameAndUnusedFixedWidths) {
    for (const ReaderOptions& o : {ReaderOptions{.bitDepth = 2, .widthType = 0, .fixedWidth = 0},
                                   ReaderOptions{.face = u"IPAゴシック", .bitDepth = 7},
                                   ReaderOptions{.bitDepth = 1, .widthType = 3, .fixedWidth = 1}}) {
        CWinFontReader reader = Reader(o);
        EXPECT_NO_THROW(reader.ValidateInput()) << Utf16ToUtf8(o.face);
    }
}

// The codes 0x0000-0xFFFD the face maps, and those among them whose 1-bit rendering advances,
// counted by FreeType itself.
struct MappedCodes {
    int all = 0;
    int advancing = 0;
};

MappedCodes CountMappedCodes(const std::u16string& face) {
    MappedCodes counts;
    const auto location = FindFaceFile(face, 400, false);
    EXPECT_TRUE(location.has_value());
    FT_Library library = nullptr;
    FT_Face ftFace = nullptr;
    if (!location || FT_Init_FreeType(&library) != 0) {
        return counts;
    }
    if (FT_New_Face(library, location->path.c_str(), FT_Long(location->index), &ftFace) == 0) {
        FT_Set_Pixel_Sizes(ftFace, 0, 16);
        for (FT_ULong code = 0; code <= 0xFFFD; ++code) {
            const FT_UInt index = FT_Get_Char_Index(ftFace, code);
            if (index == 0) {
                continue;
            }
            ++counts.all;
            if (FT_Load_Glyph(ftFace, index,
                              FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) == 0 &&
                ((ftFace->glyph->advance.x + 32) >> 6) > 0) {
                ++counts.advancing;
            }
        }
        FT_Done_Face(ftFace);
    }
    FT_Done_FreeType(library);
    return counts;
}

TEST(WinFontReaderTest, EveryMappedCodeBecomesOneGlyph) {
    const MappedCodes expected = CountMappedCodes(kDejaVu);
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
        EXPECT_EQ(progress.control.statuses, std::vector<int>{249});
        EXPECT_EQ(font.FindGlyph(0x0000), nullptr);
        EXPECT_NE(font.FindGlyph(0xFFFD), nullptr);
    }
}

// One letterer set up on DejaVu Sans at 16 pixels.
template <typename Letterer>
std::unique_ptr<Letterer> Opened(int32_t depth, int32_t widthType, int32_t fixedWidth,
                                 bool softAntialias = false) {
    auto letterer = std::make_unique<Letterer>();
    if constexpr (std::is_same_v<Letterer, CVectorLetterer>) {
        letterer->SetSoftAntialias(softAntialias);
    }
    letterer->SetOption(depth, widthType, fixedWidth);
    letterer->Create(FontDescription{-16, 0, 400, false, kDejaVu});
    return letterer;
}

TEST(WinFontReaderTest, ASpaceTakesItsAdvanceUnderTheWidthTypes) {
    struct Case {
        int32_t widthType;
        int32_t left;
    };
    for (const Case& c : {Case{0, 0}, Case{1, 5}, Case{2, 5}, Case{3, 7}}) {
        SCOPED_TRACE(c.widthType);
        for (const int32_t depth : {1, 4, 8}) {
            std::unique_ptr<CLetterer> letterer =
                depth == 1 ? std::unique_ptr<CLetterer>(Opened<CRasterLetterer>(1, c.widthType, 7))
                           : Opened<CVectorLetterer>(depth, c.widthType, 7);
            CGlyph space;
            ASSERT_TRUE(letterer->LetterChar(space, u' '));
            EXPECT_EQ(space.leftSpace, c.left) << depth;
            EXPECT_EQ(space.rightSpace, 0) << depth;
            EXPECT_EQ(space.image.GetWidth(), 0) << depth;
        }
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
    const auto location = FindFaceFile(kDejaVu, 400, false);
    ASSERT_TRUE(location.has_value());
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face = nullptr;
    ASSERT_EQ(FT_New_Face(library, location->path.c_str(), FT_Long(location->index), &face), 0);
    FT_Set_Pixel_Sizes(face, 0, 16);
    // Depth 4 keeps 17-level values from 2 up (coverage 24 and more), depth 8 from 1 (2 up).
    for (const auto& [depth, threshold] : {std::pair{4, 24}, std::pair{8, 2}}) {
        const auto letterer = Opened<CVectorLetterer>(depth, CLetterer::kWidthChar, 0);
        EXPECT_EQ(letterer->GetAscent(), 12);
        EXPECT_EQ(letterer->GetCellSide(), 30);
        for (const char16_t code : {u'A', u'g'}) {
            SCOPED_TRACE(testing::Message() << char(code) << " at depth " << depth);
            const InkBox expected = FreeTypeInkBox(face, code, threshold);
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
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

TEST(WinFontReaderTest, OneBitGlyphsSitInTheOpaqueTextBox) {
    const auto letterer = Opened<CRasterLetterer>(1, CLetterer::kWidthChar, 0);
    CGlyph glyph;
    ASSERT_TRUE(letterer->LetterChar(glyph, u'A'));
    // Ink rows 3-14 of the 19-row box; the box top is the ascent minus the internal leading.
    EXPECT_EQ(glyph.image.GetHeight(), 12);
    EXPECT_EQ(glyph.ascent, 9);
    EXPECT_EQ(glyph.Advance(), 11);
    for (const uint32_t word : glyph.image.Pixels()) {
        EXPECT_TRUE(word == 0xFF000000u || word == 0x00FFFFFFu) << std::hex << word;
    }
    CGlyph g;
    ASSERT_TRUE(letterer->LetterChar(g, u'g'));
    EXPECT_EQ(g.Advance(), 10);
}

TEST(WinFontReaderTest, SoftAntialiasHalvesTheDoubledRendering) {
    CFontService service;
    ASSERT_TRUE(service.Initialize());
    ASSERT_TRUE(service.CreateFont(FontDescription{-32, 0, 400, false, kDejaVu}));
    GlyphMetrics big;
    service.GetGlyphOutline(u'A', GlyphFormat::kMetrics, big, {});
    const auto letterer = Opened<CVectorLetterer>(4, CLetterer::kWidthChar, 0, true);
    CGlyph glyph;
    ASSERT_TRUE(letterer->LetterChar(glyph, u'A'));
    EXPECT_EQ(glyph.Advance(), (big.cellIncX + 1) / 2);
    EXPECT_EQ(glyph.image.GetWidth(), (big.blackBoxX + 1) / 2);
    EXPECT_EQ(glyph.ascent, (big.originY + 1) / 2);
}

class WinFontFilterTest : public ::testing::Test {
protected:
    std::u16string Write(const std::string& name, const std::string& body, const char* root,
                         const char* version) {
        const auto path = dir / name;
        testing_support::WriteFileText(
            path, std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<") + root +
                      " version=\"" + version + "\"><body>" + body + "</body></" + root + ">\n");
        return Utf8ToUtf16(path.string());
    }

    CXmlLibrary library;
    TempDir dir;
};

TEST_F(WinFontFilterTest, AFilterExcludingEverythingGivesAnEmptyFontThat166Refuses) {
    CCharFilter filter;
    filter.Load(Write("a.xllt", "<letter>A</letter>", "letter-list", "1.0"));
    CGlyphOrder order;
    order.Load(Write("b.xlor", "<order>B</order>", "letter-order", "1.1"));
    filter.CombineWithOrder(order);
    ScopedPgCtrl progress;
    CWinFontReader reader = Reader({});
    reader.ValidateInput();
    CFontData font;
    reader.ReadFontData(font, filter);
    EXPECT_EQ(font.GetGlyphCount(), 0u);
    EXPECT_TRUE(progress.control.warnings.empty());
    ExpectError([&] { font.ReflectGlyph(); }, kErrInputValue,
                "There are no characters to output. ");
}

TEST_F(WinFontFilterTest, TheImageFormatFollowsDepthAndAlpha) {
    CCharFilter filter;
    filter.Load(Write("a.xllt", "<letter>A</letter>", "letter-list", "1.0"));
    struct Case {
        int32_t depth;
        bool alpha;
        int32_t format;
    };
    const Case cases[] = {{1, false, 0}, {2, false, 0}, {4, false, 0}, {5, false, 1},
                          {6, false, 1}, {1, true, 2},  {4, true, 2},  {6, true, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.depth * 10 + c.alpha);
        ScopedPgCtrl progress;
        CWinFontReader reader = Reader({.bitDepth = c.depth, .alpha = c.alpha});
        CFontData font;
        reader.ReadFontData(font, filter);
        ASSERT_EQ(font.GetGlyphCount(), 2u);
        EXPECT_TRUE(font.glyphImageFormat.isSet);
        EXPECT_EQ(font.glyphImageFormat.value, c.format);
        EXPECT_NO_THROW(font.ReflectGlyph());
    }
}

TEST(WinFontReaderTest, CancelStopsTheWalkKeepingWhatWasRead) {
    ScopedPgCtrl progress;
    progress.control.CancelAfter(0x42);
    CWinFontReader reader = Reader({});
    CFontData font;
    try {
        reader.ReadFontData(font, CCharFilter());
        ADD_FAILURE() << "not cancelled";
    } catch (int signal) {
        EXPECT_EQ(signal, kCancelSignal);
    }
    EXPECT_EQ(font.GetGlyphCount(), 0x41u - 0x20u);
    EXPECT_NE(font.FindGlyph(u'@'), nullptr);
    EXPECT_EQ(font.FindGlyph(u'A'), nullptr);
}

}  // namespace
