#include "readers/ImageFontReader.h"

#include <gtest/gtest.h>

#include "core/FontData.h"
#include "image/BitMapFile.h"
#include "image/IndexImage.h"
#include "image/TgaFile.h"
#include "platform/Text.h"
#include "readers/ImageFontPicture.h"
#include "support/TestSupport.h"
#include "writers/format/TextureFormat.h"
#include "xml/CharFilter.h"
#include "xml/GlyphOrder.h"
#include "xml/XmlLibrary.h"

namespace {

using image_font_fixture::CellPicture;
using image_font_fixture::LetterOrder;
using testing_support::ExpectError;

class ImageFontReaderTest : public ::testing::Test {
protected:
    std::u16string SaveBmp(const IImage& image) {
        const std::u16string path = Path("font.bmp");
        CBitMapFile(path).Save(image);
        return path;
    }
    std::u16string SaveOrder(int32_t width, const std::u16string& cells) {
        testing_support::WriteFileText(m_dir / "font.xlor", LetterOrder(width, 2, cells));
        return Path("font.xlor");
    }
    std::u16string Path(const std::string& name) const {
        return Utf8ToUtf16((m_dir / name).string());
    }
    std::string Text(const std::string& name) const { return (m_dir / name).string(); }
    std::vector<std::string> Warnings() const {
        std::vector<std::string> out;
        for (const auto& w : m_pg.control.warnings) {
            out.push_back(Utf16ToUtf8(w));
        }
        return out;
    }

    // Reads the picture (saved as BMP unless a path is given) with the 3 x 2 order below.
    std::unique_ptr<CFontData> Read(const std::u16string& image, const std::u16string& order,
                                    int32_t format = kTexRGBA8, bool assist = false,
                                    const CCharFilter& filter = CCharFilter()) {
        CImageFontReader reader(image, order, format, assist);
        reader.ValidateInput();
        auto font = std::make_unique<CFontData>();
        reader.ReadFontData(*font, filter);
        return font;
    }

    CXmlLibrary m_xml;
    testing_support::TempDir m_dir;
    testing_support::ScopedPgCtrl m_pg;
};

// 60 x 40 pixels in 3 x 2 cells: pitch 20 x 20, glyph area 16 x 14, width line on row 17.
CellPicture WorkedExample() {
    CellPicture p(3, 2, 20, 20);
    p.MarkTop(4);
    p.MarkTop(13);
    p.MarkLeft(3);
    p.MarkLeft(12);
    p.MarkLeft(15);
    return p;
}

TEST_F(ImageFontReaderTest, WorkedExampleGivesMetricsGlyphsAndSpaces) {
    CellPicture p = WorkedExample();
    for (int32_t x = 3; x <= 7; ++x) {
        for (int32_t y = 5; y <= 10; ++y) {
            p.Ink(0, 0, x, y);
        }
    }
    p.WidthLine(0, 0, 2, 10);                            // 'A': columns 3-7 over a line 2-9
    p.WidthLine(1, 0, 0, 5);                             // space: no drawing, a line of 5
    p.Ink(1, 1, 0, 13);                                  // 'C': one pixel, no width line
    p.image.SetPixel(40 + 2 + 7, 20 + 17, 0x00FF00, 0);  // stray pixel in a null cell's line
    const auto font = Read(SaveBmp(p.image), SaveOrder(3, u"A B~C~"));

    EXPECT_EQ(font->width.value, 8);
    EXPECT_TRUE(font->widthFromSource);
    EXPECT_EQ(font->ascent.value, 8);
    EXPECT_EQ(font->descent.value, 3);
    EXPECT_TRUE(font->ascentDescentFromSource);
    EXPECT_EQ(font->glyphImageFormat.value, kTexRGBA8);
    EXPECT_EQ(font->backgroundColor.value, 0x00FFFFFFu);
    ASSERT_EQ(font->GetGlyphCount(), 3u);  // 'B' is empty without a line: no glyph

    const CGlyph* a = font->FindGlyph(u'A');
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->leftSpace, 1);
    EXPECT_EQ(a->rightSpace, 2);
    EXPECT_EQ(a->image.GetWidth(), 5);
    EXPECT_EQ(a->image.GetHeight(), 6);
    EXPECT_EQ(a->ascent, 5);
    EXPECT_EQ(a->image.GetWord(0, 0), 0xFF000000u | image_font_fixture::kInk);
    EXPECT_EQ(a->image.GetBpp(), 24);

    const CGlyph* space = font->FindGlyph(u' ');
    ASSERT_NE(space, nullptr);
    EXPECT_EQ(space->image.GetWidth(), 0);
    EXPECT_EQ(space->leftSpace, 5);
    EXPECT_EQ(space->rightSpace, 0);

    const CGlyph* c = font->FindGlyph(u'C');
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->leftSpace, 0);
    EXPECT_EQ(c->rightSpace, -1);
    EXPECT_EQ(c->ascent, -3);

    EXPECT_EQ(Warnings(), std::vector<std::string>{
                              "The cell at pixel coordinates (50, 30) in the image was specified "
                              "as <null/> in the letter order file (" +
                              Text("font.xlor") + "), but the cell includes >= 2 colors. "});
}

TEST_F(ImageFontReaderTest, OneLeftMarkerLeavesWidthAscentAndDescentUnmarked) {
    CellPicture p(3, 2, 20, 20);
    p.MarkLeft(12);
    p.Ink(0, 0, 0, 0);
    const auto font = Read(SaveBmp(p.image), SaveOrder(3, u"A"));
    EXPECT_EQ(font->width.value, 16);
    EXPECT_FALSE(font->widthFromSource);
    EXPECT_EQ(font->ascent.value, 10);
    EXPECT_EQ(font->descent.value, 4);
    EXPECT_FALSE(font->ascentDescentFromSource);
    EXPECT_EQ(font->FindGlyph(u'A')->ascent, 10);
}

TEST_F(ImageFontReaderTest, MarkerEdgesThatCannotBeRead) {
    struct Case {
        const char* what;
        void (*draw)(CellPicture&);
        int message;
        std::string text;
    };
    const Case cases[] = {
        {"third colour on top", [](CellPicture& p) { p.image.SetPixel(6, 0, 0xFF0000, 0); }, 144,
         "Illegal FontWidth pixels."},
        {"three width markers",
         [](CellPicture& p) {
             p.MarkTop(3);
             p.MarkTop(5);
             p.MarkTop(7);
         },
         144, "Illegal FontWidth pixels."},
        {"third colour on the left",
         [](CellPicture& p) {
             p.MarkLeft(12);
             p.image.SetPixel(0, 6, 0xFF0000, 0);
         },
         147, "Illegal Ascent/Descent pixels."},
        {"four left markers",
         [](CellPicture& p) {
             for (const int32_t y : {2, 4, 6, 8}) {
                 p.MarkLeft(y);
             }
         },
         147, "Illegal Ascent/Descent pixels."},
        {"no baseline", [](CellPicture&) {}, 163,
         "The image does not include a point indicating the baseline position."},
        {"as many markers as grid pixels",
         [](CellPicture& p) {
             for (int32_t y = 1; y <= 16; y += 2) {
                 p.MarkLeft(y);
             }
         },
         219, "You cannot specify Ascnet/Descent, because CellHeight < 7."},
    };
    const CImageFontReader::CellGrid grid{3, 2, 20, 20, 16, 14};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CellPicture p(3, 2, 20, 20);
        if (c.message == 144) {
            p.MarkLeft(12);
        }
        c.draw(p);
        ExpectError([&] { CImageFontReader::LoadArrangeInfo(p.image, grid); }, kErrImage, c.text);
    }
}

TEST_F(ImageFontReaderTest, PictureMustDivideIntoCells) {
    struct Case {
        int32_t width, height, bx, by;
        std::string text;
    };
    const Case cases[] = {
        {19, 7, 4, 1, "Image width (=19) is too small. It must be at least 16 pixels. "},
        {60, 13, 3, 2, "Image height (=13) is too small. It must be at least 12 pixels. "},
        {61, 40, 3, 2,
         "Image width (61) is not a multiple of the horizontal block count (=3)  specified in the "
         "letter order file. "},
        {60, 41, 3, 2,
         "Image height (41) is not a multiple of the vertical block count (=2)  specified in the "
         "letter order file. "},
    };
    for (const Case& c : cases) {
        CRgbImage image;
        image.Create(c.width, c.height, 24);
        ExpectError([&] { CImageFontReader::ValidateImageFontFile(image, c.bx, c.by); }, kErrImage,
                    c.text);
    }
    CRgbImage fits;
    fits.Create(60, 40, 24);
    CImageFontReader::ValidateImageFontFile(fits, 3, 2);
}

TEST_F(ImageFontReaderTest, ValidateInputWarnsAboutDrawingsInTheMargin) {
    CellPicture p = WorkedExample();
    p.image.SetPixel(20 + 1, 5, image_font_fixture::kInk, 0);   // 'B' touches its margin
    p.image.SetPixel(40 + 1, 25, image_font_fixture::kInk, 0);  // a null cell is not checked
    CImageFontReader reader(SaveBmp(p.image), SaveOrder(3, u"AB~"), kTexI4, false);
    reader.ValidateInput();
    EXPECT_EQ(Warnings(),
              std::vector<std::string>{
                  "Character exceeds margin area near pixel coordinates (30, 10) in the image."});
}

TEST_F(ImageFontReaderTest, BadInputsFailWithTheirMessages) {
    const std::u16string order = SaveOrder(3, u"AB");
    ExpectError([&] { CImageFontReader(Path("none.bmp"), order, kTexI4, false).ValidateInput(); },
                kErrInputValue, "The specified file (" + Text("none.bmp") + ") does not exist. ");
    for (const std::vector<uint8_t>& bytes :
         {std::vector<uint8_t>{}, std::vector<uint8_t>{'G', 'I', 'F', '8', '9', 'a', 0, 0}}) {
        testing_support::WriteFileBytes(m_dir / "font.bmp", bytes);
        ExpectError(
            [&] { CImageFontReader(Path("font.bmp"), order, kTexI4, false).ValidateInput(); },
            kErrImage, "Fail to detect input file format.\nMaybe unsupported image file format.");
    }
    // An order without any cell has no rows to divide the picture by.
    testing_support::WriteFileText(m_dir / "empty.xlor",
                                   "<?xml version=\"1.0\"?><letter-order "
                                   "version=\"1.1\"><body><order/></body></letter-order>");
    const std::u16string picture = SaveBmp(WorkedExample().image);
    ExpectError(
        [&] { CImageFontReader(picture, Path("empty.xlor"), kTexI4, false).ValidateInput(); },
        kErrXml, "The height attribute in the letter order file is an invalid value (=0).");
    CFontData font;
    ExpectError(
        [&] {
            CImageFontReader(picture, Path("empty.xlor"), kTexI4, false)
                .ReadFontData(font, CCharFilter());
        },
        kErrXml, "The height attribute in the letter order file is an invalid value (=0).");
}

TEST_F(ImageFontReaderTest, SecondWidthLineFails) {
    CellPicture p = WorkedExample();
    p.WidthLine(0, 0, 1, 3);
    p.WidthLine(0, 0, 5, 6);
    CImageFontReader reader(SaveBmp(p.image), SaveOrder(3, u"A"), kTexI4, false);
    CFontData font;
    ExpectError([&] { reader.ReadFontData(font, CCharFilter()); }, kErrImage,
                "Multiple width lines in cell at pixel coordinates (10, 10) in image.");
}

TEST_F(ImageFontReaderTest, FilteredCellsAreSkippedSilently) {
    CellPicture p = WorkedExample();
    p.Ink(0, 0, 1, 1);
    p.Ink(1, 0, 1, 1);
    p.image.SetPixel(2 + 1, 17, 0x00FF00, 0);
    p.image.SetPixel(22 + 1, 17, 0x00FF00, 0);
    p.image.SetPixel(22 + 5, 17, 0x00FF00, 0);  // 'B' would fail with two width lines
    const std::u16string picture = SaveBmp(p.image);
    testing_support::WriteFileText(m_dir / "only-a.xlor", LetterOrder(3, 2, u"A"));
    CGlyphOrder onlyA;
    onlyA.Load(Path("only-a.xlor"));
    CCharFilter filter;
    filter.CombineWithOrder(onlyA);
    const auto font = Read(picture, SaveOrder(3, u"AB"), kTexI8, false, filter);
    EXPECT_EQ(font->GetGlyphCount(), 1u);
    EXPECT_NE(font->FindGlyph(u'A'), nullptr);
    EXPECT_TRUE(Warnings().empty());
}

TEST_F(ImageFontReaderTest, UniformAlphaIsIgnoredWithAWarning) {
    CellPicture p = WorkedExample();
    p.Ink(0, 0, 4, 4);
    CRgbImage opaque = p.image;
    opaque.Create(60, 40, 32);
    for (int32_t y = 0; y < 40; ++y) {
        for (int32_t x = 0; x < 60; ++x) {
            opaque.SetPixel(x, y, p.image.GetRgb(x, y), 0xFF);
        }
    }
    opaque.SetHasAlpha(true);
    const std::u16string path = Path("font.tga");
    CTgaFile(path).Save(opaque);
    const auto font = Read(path, SaveOrder(3, u"A"), kTexIA8);
    EXPECT_EQ(Warnings(), std::vector<std::string>{
                              "Alpha channel filled with a value. Ignoring alpha channel."});
    EXPECT_EQ(font->backgroundColor.value, 0x00FFFFFFu);
    // Keyed on the background: the ink is opaque, in grey.
    EXPECT_EQ(font->FindGlyph(u'A')->image.GetWord(0, 0), 0xFF202020u);
}

TEST(ImageFontConvertTest, ColoursAndAlphaFollowTheTextureFormat) {
    // Pixel 0 is transparent white paper, pixel 1 ink of alpha 0x80 whose channels average 0x60.
    CRgbImage source;
    source.Create(2, 1, 32);
    source.SetHasAlpha(true);
    source.SetValue(0, 0, 0x00FFFFFFu);
    source.SetValue(1, 0, 0x80306090u);
    CIndexImage palette;
    palette.Create(2, 1, 4);
    palette.SetPalette(std::vector<uint32_t>(16, 0x123456));
    palette.SetValue(0, 0, 15);
    palette.SetValue(1, 0, 5);
    struct Case {
        int32_t format;
        uint32_t ink;
        uint32_t paletteInk;
    };
    const Case cases[] = {
        {kTexI4, 0xFF666666u, 0xFF555555u},     {kTexI8, 0xFF606060u, 0xFF050505u},
        {kTexIA4, 0x88666666u, 0xFF555555u},    {kTexIA8, 0x80606060u, 0xFF050505u},
        {kTexRGB565, 0xFF306090u, 0x00123456u}, {kTexRGB5A3, 0x91306090u, 0x00123456u},
        {kTexRGBA8, 0x80306090u, 0x00123456u},
    };
    testing_support::ScopedPgCtrl pg;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        const CImageFontReader reader(u"", u"", c.format, false);
        CRgbImage work;
        EXPECT_EQ(reader.ConvertImage(work, source), 0x00FFFFFFu);
        EXPECT_TRUE(work.HasAlpha());
        EXPECT_EQ(work.GetBpp(), 24);
        EXPECT_EQ(work.GetWord(1, 0), c.ink);
        reader.ConvertImage(work, palette);
        EXPECT_EQ(work.GetWord(1, 0), c.paletteInk);
    }
    EXPECT_TRUE(pg.control.warnings.empty());
}

TEST(ImageFontConvertTest, AssistLinearRecoloursTransparentNeighbours) {
    CRgbImage picture;
    picture.Create(5, 1, 24);
    picture.SetValue(0, 0, 0xFF0A0000u);
    picture.SetValue(1, 0, 0x00FFFFFFu);
    picture.SetValue(2, 0, 0xFF0F0000u);
    picture.SetValue(3, 0, 0x00FFFFFFu);
    picture.SetValue(4, 0, 0x00123456u);
    CImageFontReader::AssistLinear(picture);
    EXPECT_EQ(picture.GetWord(0, 0), 0xFF0A0000u);
    EXPECT_EQ(picture.GetWord(1, 0), 0x000D0000u);  // (10 + 15 + 1) / 2
    EXPECT_EQ(picture.GetWord(3, 0), 0x000F0000u);
    EXPECT_EQ(picture.GetWord(4, 0), 0x00123456u);  // its neighbour was transparent
}

TEST_F(ImageFontReaderTest, LinearAssistKeepsARingOfRecolouredPixels) {
    CellPicture p = WorkedExample();
    p.Ink(0, 0, 3, 5, 0x808080);
    p.WidthLine(0, 0, 0, 6);
    const auto font = Read(SaveBmp(p.image), SaveOrder(3, u"A"), kTexIA8, true);
    const CGlyph* a = font->FindGlyph(u'A');
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->image.GetWidth(), 3);
    EXPECT_EQ(a->image.GetHeight(), 3);
    EXPECT_EQ(a->image.GetWord(1, 1), 0xFF808080u);
    EXPECT_EQ(a->image.GetWord(0, 0), 0x00808080u);
    EXPECT_EQ(a->ascent, 11 - 5);
}

}  // namespace
