#include "writers/ImageFontWriter.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/FontData.h"
#include "image/BitMapFile.h"
#include "platform/Text.h"
#include "readers/ImageFontPicture.h"
#include "support/TestSupport.h"
#include "writers/format/TextureFormat.h"
#include "xml/GlyphOrder.h"
#include "xml/XmlLibrary.h"

namespace {

using testing_support::ExpectError;

constexpr uint32_t kBlack = 0xFF000000u;

std::unique_ptr<CGlyph> Glyph(int32_t w, int32_t h, int32_t ascent, int32_t left, int32_t right) {
    auto g = std::make_unique<CGlyph>();
    g->image.Create(w, h, 24);
    g->image.SetHasAlpha(true);
    g->image.Fill(0, 0xFF);
    g->ascent = ascent;
    g->leftSpace = left;
    g->rightSpace = right;
    return g;
}

class ImageFontWriterTest : public ::testing::Test {
protected:
    const CGlyphOrder& Order(int32_t width, int32_t height, const std::u16string& cells) {
        testing_support::WriteFileText(m_dir / "order.xlor",
                                       image_font_fixture::LetterOrder(width, height, cells));
        m_order = std::make_unique<CGlyphOrder>();
        m_order->Load(Path("order.xlor"));
        return *m_order;
    }
    std::u16string Path(const std::string& name) const {
        return Utf8ToUtf16((m_dir / name).string());
    }
    CImageFontWriter::Settings Defaults(const std::string& name = "out.bmp") const {
        CImageFontWriter::Settings s;
        s.outputPath = Path(name);
        s.orderPath = Path("order.xlor");
        return s;
    }

    CXmlLibrary m_xml;
    testing_support::TempDir m_dir;
    testing_support::ScopedPgCtrl m_pg;
    std::unique_ptr<CGlyphOrder> m_order;
};

TEST_F(ImageFontWriterTest, LayoutExamples) {
    struct Case {
        const char* what;
        int32_t cellWidth, cellHeight, left, top, right, bottom;
        bool widthFromSource, ascentDescentFromSource;
        CImageFontWriter::Layout expected;  // offsets, Wc, Hc, A, cell, pitch
    };
    // The font: widest glyph 12, widest character 14, height 16, baseline 12, width 18,
    // ascent 15, descent 6.
    const Case cases[] = {
        {"from the font", -1, -1, 0, 0, 0, 0, false, false, {0, 0, 14, 16, 12, 14, 16, 18, 22}},
        {"margins", -1, -1, 2, 1, 3, 4, false, false, {2, 1, 14, 16, 12, 19, 21, 23, 27}},
        {"centred across", 20, -1, -1, 0, 0, 0, false, false, {3, 0, 14, 16, 12, 20, 16, 24, 22}},
        {"narrower cell", 11, -1, -1, 0, 0, 0, false, false, {-2, 0, 14, 16, 12, 11, 16, 15, 22}},
        {"centred down", -1, 20, 0, -1, 0, 0, false, false, {0, 2, 14, 16, 12, 14, 20, 18, 26}},
        {"overflow spread", -1, 10, 0, -1, 0, 0, false, false, {0, -5, 14, 16, 12, 14, 10, 18, 16}},
        {"centring without a size",
         -1,
         -1,
         -1,
         -1,
         0,
         0,
         false,
         false,
         {0, 0, 14, 16, 12, 14, 16, 18, 22}},
        {"marked width", -1, -1, 0, 0, 0, 0, true, false, {2, 0, 14, 16, 12, 18, 16, 22, 22}},
        {"marked ascent and descent",
         -1,
         -1,
         0,
         0,
         0,
         0,
         false,
         true,
         {0, 3, 14, 16, 12, 14, 21, 18, 27}},
    };
    CFontData font;
    font.glyphWidth.Set(12);
    font.charWidth.Set(14);
    font.height.Set(16);
    font.baseline.Set(12);
    font.width.Set(18);
    font.ascent.Set(15);
    font.descent.Set(6);
    const CGlyphOrder& order = Order(3, 2, u"AB");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CImageFontWriter::Settings s = Defaults();
        s.cellWidth = c.cellWidth;
        s.cellHeight = c.cellHeight;
        s.leftMargin = c.left;
        s.topMargin = c.top;
        s.rightMargin = c.right;
        s.bottomMargin = c.bottom;
        font.widthFromSource = c.widthFromSource;
        font.ascentDescentFromSource = c.ascentDescentFromSource;
        const auto l = CImageFontWriter(s).CalcLayout(font, order);
        const auto& e = c.expected;
        EXPECT_EQ(l.leftOffset, e.leftOffset);
        EXPECT_EQ(l.topOffset, e.topOffset);
        EXPECT_EQ(l.contentWidth, e.contentWidth);
        EXPECT_EQ(l.contentHeight, e.contentHeight);
        EXPECT_EQ(l.baseline, e.baseline);
        EXPECT_EQ(l.cellWidth, e.cellWidth);
        EXPECT_EQ(l.cellHeight, e.cellHeight);
        EXPECT_EQ(l.px, e.px);
        EXPECT_EQ(l.py, e.py);
        EXPECT_EQ(l.bx, 3);
        EXPECT_EQ(l.by, 2);
    }
}

TEST_F(ImageFontWriterTest, SettingsAndFormatsThatFail) {
    Order(2, 1, u"A");
    CImageFontWriter::Settings s = Defaults();
    s.cellWidth = 0;
    ExpectError([&] { CImageFontWriter(s).ValidateInput(); }, kErrInputValue,
                "The cell width (=0) must be larger than 0. ");
    s.cellWidth = -7;
    s.cellHeight = 0;
    ExpectError([&] { CImageFontWriter(s).ValidateInput(); }, kErrInputValue,
                "The cell height (=0) must be larger than 0. ");
    s.cellHeight = -1;
    CImageFontWriter(s).ValidateInput();

    struct Case {
        const char* path;
        int32_t format;
        int32_t resolved;  // -1: fails
        std::string message;
    };
    const Case cases[] = {
        {"a.TGA", 0, CImageFontWriter::kTga, ""},
        {"a.Bmp", 0, CImageFontWriter::kBmp, ""},
        {"a.tga", 1, CImageFontWriter::kBmp, ""},
        {"a.png", 0, -1, "Unsupported image file extension."},
        {"noextension", 0, -1, "Unsupported image file extension."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        CImageFontWriter::Settings cs = Defaults(c.path);
        cs.outputFormat = c.format;
        const CImageFontWriter writer(cs);
        if (c.resolved >= 0) {
            EXPECT_EQ(writer.ResolveFormat(), c.resolved);
        } else {
            ExpectError([&] { writer.ResolveFormat(); }, kErrInputValue, c.message);
        }
    }
    CFontData font;
    font.AddGlyph(Glyph(1, 1, 1, 0, 0), u'A');
    font.glyphImageFormat.Set(kTexI4);
    font.ReflectGlyph();
    s.outputFormat = 3;
    ExpectError([&] { CImageFontWriter(s).WriteFontData(font, *m_order); }, kErrInputValue,
                "Invalid file format selection(3).");
    EXPECT_FALSE(std::filesystem::exists(m_dir / "out.bmp"));

    // Pictures beyond 16384 pixels a side are refused before anything is made for them.
    s.outputFormat = 0;
    const std::tuple<int32_t, int32_t, std::string> sizes[] = {
        {8190, -1, "16388 x 7"}, {-1, 16379, "10 x 16385"}, {8188, -1, ""}};
    for (const auto& [cellWidth, cellHeight, refused] : sizes) {
        SCOPED_TRACE(refused);
        s.cellWidth = cellWidth;
        s.cellHeight = cellHeight;
        const auto write = [&] { CImageFontWriter(s).WriteFontData(font, *m_order); };
        if (refused.empty()) {
            write();
            continue;
        }
        const std::size_t growth = testing_support::PeakMemoryGrowth([&] {
            ExpectError(write, kErrInputValue,
                        "The image font picture (" + refused +
                            " pixels) exceeds the largest that can be written (16384 x 16384).");
        });
        EXPECT_LT(growth, testing_support::kBoundedGrowth);
        EXPECT_FALSE(std::filesystem::exists(m_dir / "out.bmp"));
    }
    EXPECT_EQ(CBitMapFile(s.outputPath).Load()->GetWidth(), 16384);
}

// Glyph 'A' (3 x 2, left space -2, right 1), a space of 5 and a code without a glyph in 2 x 2
// cells with a null cell: content 5 x 2, so pitch 9 x 8.
class DrawnFontTest : public ImageFontWriterTest {
protected:
    void SetUp() override {
        m_font.AddGlyph(Glyph(3, 2, 2, -2, 1), u'A');
        m_font.AddGlyph(Glyph(0, 0, 0, 5, 0), u' ');
        m_font.glyphImageFormat.Set(kTexI4);
        m_font.ReflectGlyph();
        Order(2, 2, u"A B~");
    }
    CFontData m_font;
};

TEST_F(DrawnFontTest, CellsGridAndMarkers) {
    const CImageFontWriter::Settings s = Defaults();
    const auto picture = CImageFontWriter(s).BuildPicture(m_font, *m_order);
    ASSERT_EQ(picture->GetWidth(), 18);
    ASSERT_EQ(picture->GetHeight(), 16);
    EXPECT_EQ(picture->GetBpp(), 32);
    EXPECT_TRUE(picture->HasAlpha());
    // 'A': image at glyph-area columns 0-2, its width line 2 pixels at 2-3 on row 2 + 2 + 1.
    for (int32_t x = 0; x < 5; ++x) {
        EXPECT_EQ(picture->GetWord(2 + x, 2), x < 3 ? kBlack : 0x00FFFFFFu) << x;
        EXPECT_EQ(picture->GetWord(2 + x, 5), x == 2 || x == 3 ? 0x00FF0000u : 0x00FFFFFFu) << x;
    }
    // The space: a width line of 5, no image.
    for (int32_t x = 0; x < 5; ++x) {
        EXPECT_EQ(picture->GetWord(11 + x, 2), 0x00FFFFFFu);
        EXPECT_EQ(picture->GetWord(11 + x, 5), 0x00FF0000u);
    }
    // 'B' has no glyph: background without a line; the null cell is filled.
    EXPECT_EQ(picture->GetWord(2, 8 + 2), 0x00FFFFFFu);
    EXPECT_EQ(picture->GetWord(2, 8 + 5), 0x00FFFFFFu);
    EXPECT_EQ(picture->GetWord(11, 8 + 2), 0x00FF7F7Fu);
    EXPECT_EQ(picture->GetWord(15, 8 + 3), 0x00FF7F7Fu);
    // Grid lines, margins, and the baseline marker (row 0 + 2 + 2) as a gap in the grid.
    EXPECT_EQ(picture->GetWord(8, 3), 0x00000000u);
    EXPECT_EQ(picture->GetWord(9, 3), 0x00000000u);
    EXPECT_EQ(picture->GetWord(10, 3), 0x0099AA99u);
    EXPECT_EQ(picture->GetWord(4, 4), 0x0099AA99u);
    EXPECT_EQ(picture->GetWord(0, 4), 0x00FFFFFFu);
    EXPECT_EQ(picture->GetWord(0, 3), 0x00000000u);
    EXPECT_EQ(picture->GetWord(0, 0), 0x00FFFFFFu);
}

TEST_F(DrawnFontTest, WithoutGridTheMarkersTakeTheGridColour) {
    CImageFontWriter::Settings s = Defaults();
    s.drawGrid = false;
    s.gridColor = 0x123456;
    const auto picture = CImageFontWriter(s).BuildPicture(m_font, *m_order);
    EXPECT_EQ(picture->GetWord(0, 4), 0x00123456u);
    EXPECT_EQ(picture->GetWord(0, 3), 0x00FFFFFFu);
    EXPECT_EQ(picture->GetWord(8, 3), 0x00FFFFFFu);
}

TEST_F(DrawnFontTest, DrawingsOutsideTheCellAreCutOff) {
    CFontData font;
    font.AddGlyph(Glyph(10, 10, 9, 0, 0), u'A');
    font.glyphImageFormat.Set(kTexI4);
    font.ReflectGlyph();
    struct Case {
        int32_t cellWidth, cellHeight, left, top;
        int inked;  // glyph pixels expected in the picture
    };
    const Case cases[] = {
        {2, 3, 0, 0, 6},    // cut to the glyph area
        {3, 3, 10, 0, 0},   // starts past the cell: nothing to copy
        {4, 2, -1, -1, 8},  // centred in a smaller cell: cut on every side
        {3, 4, 0, -40, 0},  // far above the cell
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.left);
        CImageFontWriter::Settings s = Defaults();
        s.cellWidth = c.cellWidth;
        s.cellHeight = c.cellHeight;
        s.leftMargin = c.left;
        s.topMargin = c.top;
        const auto picture = CImageFontWriter(s).BuildPicture(font, *m_order);
        int inked = 0;
        for (const uint32_t word : picture->Pixels()) {
            inked += word == kBlack ? 1 : 0;
        }
        EXPECT_EQ(inked, c.inked);
    }
}

TEST_F(DrawnFontTest, WritesTheFormatTheExtensionNames) {
    for (const char* name : {"font.TGA", "font.bmp"}) {
        const CImageFontWriter::Settings s = Defaults(name);
        CImageFontWriter writer(s);
        writer.ValidateInput();
        writer.WriteFontData(m_font, *m_order);
        const auto bytes = testing_support::ReadFileBytes(m_dir / name);
        ASSERT_GT(bytes.size(), 2u);
        EXPECT_EQ(bytes[0] == 'B' && bytes[1] == 'M', name[5] == 'b') << name;
    }
    EXPECT_EQ(m_pg.control.statuses, (std::vector<int>{253, 254, 250, 251}));
}

}  // namespace
