// An image font written by the writer reads back with every glyph and marker unchanged.
#include <gtest/gtest.h>

#include "core/FontData.h"
#include "platform/Text.h"
#include "readers/ImageFontPicture.h"
#include "readers/ImageFontReader.h"
#include "support/TestSupport.h"
#include "writers/ImageFontWriter.h"
#include "writers/format/TextureFormat.h"
#include "xml/CharFilter.h"
#include "xml/GlyphOrder.h"
#include "xml/XmlLibrary.h"

namespace {

// A glyph drawn from rows of '#' (opaque ink in the given colour) and '.' (transparent paper,
// which is what the reader gives for holes).
std::unique_ptr<CGlyph> Drawn(std::initializer_list<const char*> rows, int32_t ascent, int32_t left,
                              int32_t right, uint32_t ink) {
    auto g = std::make_unique<CGlyph>();
    const int32_t h = static_cast<int32_t>(rows.size());
    const int32_t w = h > 0 ? static_cast<int32_t>(std::string(*rows.begin()).size()) : 0;
    g->image.Create(w, h, 24);
    g->image.SetHasAlpha(true);
    int32_t y = 0;
    for (const char* row : rows) {
        for (int32_t x = 0; x < w; ++x) {
            g->image.SetValue(x, y, row[x] == '#' ? 0xFF000000u | ink : 0x00FFFFFFu);
        }
        ++y;
    }
    g->ascent = ascent;
    g->leftSpace = left;
    g->rightSpace = right;
    return g;
}

void AddGlyphs(CFontData& font) {
    font.AddGlyph(Drawn({"#.#", "###", "#.#", "#.#"}, 4, 1, 1, 0x000000), u'A');
    font.AddGlyph(Drawn({"##.", "#.#", "##."}, 3, -2, 2, 0x336699), u'b');
    font.AddGlyph(Drawn({"#", "#", "#", "#", "#", "#"}, 4, 0, -1, 0x808080), u'j');
    font.AddGlyph(Drawn({"####", "#..#"}, 7, 3, 0, 0xFF00FF), u'^');
    font.AddGlyph(std::make_unique<CGlyph>(), u' ');
    font.AddGlyph(Drawn({"##"}, 0, 0, 0, 0x00FF00), u'_');
}

struct Variant {
    const char* what;
    const char* file;
    bool drawGrid;
    int32_t cellWidth, cellHeight, left, top;
    bool marked;
};

class ImageFontRoundTripTest : public ::testing::TestWithParam<Variant> {
protected:
    CXmlLibrary m_xml;
    testing_support::TempDir m_dir;
    testing_support::ScopedPgCtrl m_pg;
};

void PrintTo(const Variant& v, std::ostream* os) {
    *os << v.what;
}

TEST_P(ImageFontRoundTripTest, EveryGlyphSpaceAndMarkerComesBack) {
    const Variant& v = GetParam();
    CFontData font;
    AddGlyphs(font);
    font.AddGlyph(std::make_unique<CGlyph>(), u'x');  // no image and no advance
    font.glyphImageFormat.Set(kTexRGBA8);
    if (v.marked) {
        font.width.Set(9);
        font.widthFromSource = true;
        font.ascent.Set(8);
        font.descent.Set(3);
        font.ascentDescentFromSource = true;
    }
    font.ReflectGlyph();
    // Give the space its advance after the metrics are settled, as a reader would have.
    const_cast<CGlyph*>(font.FindGlyph(u' '))->leftSpace = 4;

    testing_support::WriteFileText(m_dir / "order.xlor",
                                   image_font_fixture::LetterOrder(4, 3, u"Abj^~ _x"));
    const std::u16string orderPath = Utf8ToUtf16((m_dir / "order.xlor").string());
    const std::u16string imagePath = Utf8ToUtf16((m_dir / v.file).string());
    CImageFontWriter::Settings s;
    s.outputPath = imagePath;
    s.orderPath = orderPath;
    s.drawGrid = v.drawGrid;
    s.cellWidth = v.cellWidth;
    s.cellHeight = v.cellHeight;
    s.leftMargin = v.left;
    s.topMargin = v.top;
    s.rightMargin = v.left < 0 ? 0 : v.left;
    s.bottomMargin = v.top < 0 ? 0 : v.top;
    CImageFontWriter writer(s);
    writer.ValidateInput();
    CGlyphOrder order;
    writer.LoadGlyphOrder(order);
    writer.WriteFontData(font, order);

    CImageFontReader reader(imagePath, orderPath, kTexRGBA8, false);
    reader.ValidateInput();
    CFontData back;
    reader.ReadFontData(back, CCharFilter());
    EXPECT_TRUE(m_pg.control.warnings.empty());

    EXPECT_EQ(back.GetGlyphCount(), 6u);  // 'x' has nothing to draw
    for (const auto& glyph : font.Glyphs()) {
        SCOPED_TRACE(static_cast<char>(glyph->charCode));
        const CGlyph* read = back.FindGlyph(glyph->charCode);
        if (glyph->charCode == u'x') {
            EXPECT_EQ(read, nullptr);
            continue;
        }
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->leftSpace, glyph->leftSpace);
        EXPECT_EQ(read->rightSpace, glyph->rightSpace);
        if (glyph->image.GetWidth() == 0) {
            // An empty image has no rows, so neither its depth nor its ascent means anything.
            EXPECT_EQ(read->image.GetWidth(), 0);
            EXPECT_EQ(read->image.GetHeight(), 0);
            continue;
        }
        EXPECT_EQ(read->ascent, glyph->ascent);
        EXPECT_TRUE(read->image.Equals(glyph->image));
    }
    EXPECT_EQ(back.widthFromSource, v.marked);
    EXPECT_EQ(back.ascentDescentFromSource, v.marked);
    if (v.marked) {
        EXPECT_EQ(back.width.value, 9);
        EXPECT_EQ(back.ascent.value, 8);
        EXPECT_EQ(back.descent.value, 3);
    }
    back.ReflectGlyph();
    EXPECT_EQ(back.baseline.value, font.baseline.value);
    EXPECT_EQ(back.height.value, font.height.value);
}

// Cells of a few pixels have so short an edge that the markers could be as many as the rest of
// it: the writer leaves out those the reader would misread, and what it keeps reads back.
TEST(ImageFontSmallCellTest, MarkersReadBackOrAreLeftOut) {
    struct Case {
        int32_t rows, width;      // of the only glyph, ascent = rows
        int32_t ascent, descent;  // of the font; the cell is rows (+ what the descent adds) high
        int32_t fontWidth;        // the cell is width wide (or fontWidth, if wider)
        bool heightMarked, widthMarked;
    };
    const Case cases[] = {
        {1, 1, 1, 0, 1, false, true}, {1, 1, 1, 1, 1, false, true}, {3, 1, 3, 0, 1, true, true},
        {3, 1, 2, 1, 1, false, true}, {4, 2, 3, 1, 2, true, false}, {4, 2, 3, 1, 1, true, false},
        {5, 3, 4, 1, 3, true, true},
    };
    const CXmlLibrary xml;
    testing_support::TempDir dir;
    testing_support::ScopedPgCtrl pg;
    testing_support::WriteFileText(dir / "order.xlor", image_font_fixture::LetterOrder(1, 1, u"A"));
    const std::u16string orderPath = Utf8ToUtf16((dir / "order.xlor").string());
    const std::u16string imagePath = Utf8ToUtf16((dir / "font.bmp").string());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rows) + " rows, " + std::to_string(c.width) + " wide");
        CFontData font;
        auto glyph = std::make_unique<CGlyph>();
        glyph->image.Create(c.width, c.rows, 24);
        glyph->image.SetHasAlpha(true);
        glyph->image.Fill(0x000000, 0xFF);
        glyph->ascent = c.rows;
        font.AddGlyph(std::move(glyph), u'A');
        font.glyphImageFormat.Set(kTexRGBA8);
        font.width.Set(c.fontWidth);
        font.ascent.Set(c.ascent);
        font.descent.Set(c.descent);
        font.widthFromSource = font.ascentDescentFromSource = true;
        font.ReflectGlyph();
        CImageFontWriter::Settings s;
        s.outputPath = imagePath;
        s.orderPath = orderPath;
        CImageFontWriter writer(s);
        CGlyphOrder order;
        writer.LoadGlyphOrder(order);
        writer.WriteFontData(font, order);

        CImageFontReader reader(imagePath, orderPath, kTexRGBA8, false);
        CFontData back;
        reader.ReadFontData(back, CCharFilter());
        EXPECT_EQ(back.ascentDescentFromSource, c.heightMarked);
        if (c.heightMarked) {
            EXPECT_EQ(back.ascent.value, c.ascent);
            EXPECT_EQ(back.descent.value, c.descent);
        }
        EXPECT_EQ(back.widthFromSource, c.widthMarked);
        if (c.widthMarked) {
            EXPECT_EQ(back.width.value, c.fontWidth);
        }
        back.ReflectGlyph();
        EXPECT_EQ(back.baseline.value, font.baseline.value);
        EXPECT_EQ(back.FindGlyph(u'A')->ascent, c.rows);
    }
    EXPECT_TRUE(pg.control.warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Variants, ImageFontRoundTripTest,
    ::testing::Values(Variant{"bmp", "font.bmp", true, -1, -1, 0, 0, true},
                      Variant{"tga", "font.tga", true, -1, -1, 0, 0, true},
                      Variant{"unmarked", "font.tga", true, -1, -1, 0, 0, false},
                      Variant{"no_grid", "font.bmp", false, -1, -1, 1, 2, true},
                      Variant{"fixed_centred", "font.tga", true, 14, 16, -1, -1, true},
                      Variant{"margins", "font.bmp", true, -1, -1, 2, 1, false}),
    [](const auto& info) { return std::string(info.param.what); });

}  // namespace
