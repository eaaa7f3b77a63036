#include "readers/QuillFontReader.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/FontData.h"
#include "platform/Text.h"
#include "readers/ImageFontReader.h"
#include "readers/QuillFontFixture.h"
#include "support/TestSupport.h"
#include "writers/QuillFontWriter.h"
#include "xml/CharFilter.h"
#include "xml/GlyphOrder.h"
#include "xml/XmlLibrary.h"

namespace {

using namespace quill_fixture;
using testing_support::ExpectError;
using testing_support::ScopedPgCtrl;

Font SampleFont() {
    Font font;
    font.glyphs = SampleGlyphs();
    return font;
}

// Glyph images and spaces of two fonts, code by code.
void ExpectSameGlyphs(const CFontData& a, const CFontData& b) {
    ASSERT_EQ(a.GetGlyphCount(), b.GetGlyphCount());
    for (std::size_t i = 0; i < a.GetGlyphCount(); ++i) {
        const CGlyph& ga = *a.Glyphs()[i];
        const CGlyph& gb = *b.Glyphs()[i];
        EXPECT_EQ(ga.charCode, gb.charCode);
        EXPECT_TRUE(ga.Equals(gb)) << "code " << ga.charCode;
    }
}

bool SamePixels(const IImage& a, const IImage& b) {
    return a.GetWidth() == b.GetWidth() && a.GetHeight() == b.GetHeight() &&
           std::equal(a.Pixels().begin(), a.Pixels().end(), b.Pixels().begin());
}

// Fonts with many glyphs spread over several 32 x 32 sheets (15 cells each).
Font ManyGlyphFont(int32_t format, int count) {
    Font font;
    font.format = format;
    const std::vector<Glyph> sample = SampleGlyphs();
    for (int i = 0; i < count; ++i) {
        Glyph g = sample[static_cast<std::size_t>(i % 2)];
        g.code = static_cast<uint16_t>(0x4E00 + 3 * i);
        g.rows[static_cast<std::size_t>(i % 6)][0] = i % 3 == 0 ? '+' : '#';
        font.glyphs.push_back(g);
    }
    return font;
}

TEST(QuillFontReaderTest, ReadsGlyphsSpacesAndFontValues) {
    ScopedPgCtrl pg;
    CFontData font;
    ReadFont(Build(SampleFont()), font);

    // The code walk adds in ascending code order: the space, 'A', 'i'.
    ASSERT_EQ(font.GetGlyphCount(), 3u);
    const CGlyph& space = *font.FindGlyph(u' ');
    EXPECT_EQ(space.image.GetWidth(), 0);
    EXPECT_EQ(space.leftSpace, 0);
    EXPECT_EQ(space.rightSpace, 6);  // its two paper columns stay part of the advance
    ExpectSampleA(*font.FindGlyph(u'A'), kHalfInk);  // I4 value 8: alpha 136, gray 119
    const CGlyph& i = *font.FindGlyph(u'i');
    EXPECT_EQ(i.image.GetWidth(), 1);
    EXPECT_EQ(i.leftSpace, 1);
    EXPECT_EQ(i.rightSpace, 1);

    EXPECT_EQ(font.glyphImageFormat.value, kTexI4);
    EXPECT_EQ(font.baseline.value, 6);
    EXPECT_EQ(font.lineFeed.value, 12);
    EXPECT_TRUE(font.width.isSet && font.ascent.isSet && font.descent.isSet);
    EXPECT_EQ(font.width.value, 7);
    EXPECT_EQ(font.ascent.value, 7);
    EXPECT_EQ(font.descent.value, 2);
    EXPECT_TRUE(font.widthFromSource);
    EXPECT_TRUE(font.ascentDescentFromSource);
    ASSERT_TRUE(font.defaultWidths.isSet);
    EXPECT_EQ(font.defaultWidths.value.leftSpace, 1);
    EXPECT_EQ(font.defaultWidths.value.glyphWidth, 4);
    EXPECT_EQ(font.defaultWidths.value.charWidth, 6);
    ASSERT_TRUE(font.alternateChar.isSet);
    EXPECT_EQ(font.alternateChar.value, u'A');  // glyph index 0

    EXPECT_EQ(pg.control.statuses, std::vector<int>{247});
    EXPECT_TRUE(pg.control.warnings.empty());
    font.ReflectGlyph();
    EXPECT_EQ(font.charWidth.value, 6);
}

struct FormatCase {
    int32_t format;
    uint32_t ink;
    uint32_t halfInk;
    uint32_t paper;
};

TEST(QuillFontReaderTest, DecodesEveryTextureFormat) {
    const FormatCase cases[] = {
        {kTexI4, kInk, kHalfInk, kPaper},
        {kTexI8, kInk, kHalfInk, kPaper},
        {kTexIA4, kInk, kHalfInk, kPaper},
        {kTexIA8, kInk, kHalfInk, kPaper},
        {kTexRGB565, kInk, 0xFF737573u, 0xFFFFFFFFu},  // no alpha: paper is opaque white
        {kTexRGB5A3, kInk, 0x91777777u, kPaper},       // 3 alpha bits: 4 x 255 / 7
        {kTexRGBA8, kInk, kHalfInk, kPaper},
    };
    for (const FormatCase& c : cases) {
        ScopedPgCtrl pg;
        Font source = SampleFont();
        source.format = c.format;
        CFontData font;
        ReadFont(Build(source), font);
        EXPECT_EQ(font.glyphImageFormat.value, c.format);
        const CGlyph& a = *font.FindGlyph(u'A');
        ASSERT_EQ(a.image.GetWidth(), 5) << "format " << c.format;
        EXPECT_EQ(a.image.GetWord(2, 0), c.ink) << "format " << c.format;
        EXPECT_EQ(a.image.GetWord(2, 1), c.halfInk) << "format " << c.format;
        EXPECT_EQ(a.image.GetWord(0, 0), c.paper) << "format " << c.format;
    }
}

TEST(QuillFontReaderTest, CompressedSheetsReadLikeStoredOnes) {
    ScopedPgCtrl pg;
    Font source = ManyGlyphFont(kTexIA4, 40);  // three sheets
    CFontData stored;
    ReadFont(Build(source), stored);
    source.compressed = true;
    CFontData compressed;
    ReadFont(Build(source), compressed);
    EXPECT_EQ(compressed.GetGlyphCount(), 40u);
    ExpectSameGlyphs(stored, compressed);
    EXPECT_EQ(compressed.glyphImageFormat.value, kTexIA4);  // bit 15 cleared
}

TEST(QuillFontReaderTest, LittleEndianTwinReadsTheSame) {
    ScopedPgCtrl pg;
    Font source = ManyGlyphFont(kTexIA8, 20);
    source.alternateIndex = 7;
    const std::vector<uint8_t> big = Build(source);
    const std::vector<uint8_t> little = SwapToLittleEndian(big);
    ASSERT_EQ(little[4], 0xFF);
    ASSERT_EQ(little[5], 0xFE);
    CFontData a;
    ReadFont(big, a);
    CFontData b;
    ReadFont(little, b);
    ExpectSameGlyphs(a, b);
    EXPECT_EQ(b.GetGlyphCount(), 20u);
    EXPECT_EQ(a.alternateChar.value, b.alternateChar.value);
    EXPECT_EQ(b.alternateChar.value, 0x4E00 + 3 * 7);
    EXPECT_EQ(a.lineFeed.value, b.lineFeed.value);
    EXPECT_EQ(a.descent.value, b.descent.value);
    EXPECT_EQ(a.baseline.value, b.baseline.value);
}

// The shipped sample image font written by the binary font writer, then read back from that
// file and from its little-endian twin.
TEST(QuillFontReaderTest, OurWrittenFileAndItsLittleEndianTwinReadLikeTheImageFont) {
    ScopedPgCtrl pg;
    const CXmlLibrary library;
    const testing_support::TempDir dir;
    CFontData original;
    CImageFontReader image(
        Utf8ToUtf16((testing_support::SourceDir() / "data/sample/sample.bmp").string()),
        Utf8ToUtf16((testing_support::SourceDir() / "data/xlor/ascii.xlor").string()), kTexIA4,
        false);
    image.ValidateInput();
    image.ReadFontData(original, CCharFilter());
    original.ReflectGlyph();
    const std::u16string path = Utf8ToUtf16((dir / "sample.bofnt").string());
    CQuillFontWriter writer(path, u"", 1, CQuillFontWriter::kNotGiven, CQuillFontWriter::kNotGiven,
                            CQuillFontWriter::kNotGiven, CQuillFontWriter::kNotGiven,
                            CQuillFontWriter::kNotGiven, 1, 0);
    writer.ValidateInput();
    writer.WriteFontData(original, CGlyphOrder());

    const std::vector<uint8_t> big = testing_support::ReadFileBytes(dir / "sample.bofnt");
    CFontData a;
    ReadFont(big, a);
    CFontData b;
    ReadFont(SwapToLittleEndian(big), b);
    ExpectSameGlyphs(a, b);
    ASSERT_EQ(a.GetGlyphCount(), original.GetGlyphCount());
    for (const auto& glyph : original.Glyphs()) {
        const CGlyph* back = a.FindGlyph(glyph->charCode);
        ASSERT_NE(back, nullptr) << glyph->charCode;
        EXPECT_EQ(back->leftSpace, glyph->leftSpace) << glyph->charCode;
        EXPECT_EQ(back->rightSpace, glyph->rightSpace) << glyph->charCode;
        // The picture was 24-bit, the decoded sheets are 32-bit: the words must agree.
        EXPECT_TRUE(SamePixels(back->image, glyph->image)) << glyph->charCode;
    }
    for (const CFontData* font : {&a, &b}) {
        EXPECT_EQ(font->alternateChar.value, u' ');  // the lowest code, as the writer chose
        EXPECT_EQ(font->width.value, original.width.value);
        EXPECT_EQ(font->ascent.value, original.ascent.value);
        EXPECT_EQ(font->descent.value, original.descent.value);
        EXPECT_EQ(font->lineFeed.value, original.lineFeed.value);
        EXPECT_EQ(font->glyphImageFormat.value, kTexIA4);
    }
    EXPECT_TRUE(pg.control.warnings.empty());
}

TEST(QuillFontReaderTest, ShiftJisCodesBecomeUnicodeAndALoneLeadByteWarns) {
    ScopedPgCtrl pg;
    Font source = SampleFont();
    source.encoding = 2;
    source.glyphs[0].code = 0x82A0;
    source.glyphs[1].code = 0x0081;
    source.glyphs[2].code = 0x0041;
    CFontData font;
    ReadFont(Build(source), font);
    ASSERT_EQ(font.GetGlyphCount(), 2u);
    ASSERT_NE(font.FindGlyph(0x3042), nullptr);
    EXPECT_EQ(font.FindGlyph(0x3042)->image.GetWidth(), 5);  // the glyph of index 0
    EXPECT_NE(font.FindGlyph(0x0041), nullptr);
    EXPECT_EQ(font.FindGlyph(0x0081), nullptr);
    EXPECT_EQ(pg.control.warnings,
              std::vector<std::u16string>{u"Character (0x0081) cannot be represented in Unicode."});
}

struct EncodingCase {
    uint8_t encoding;
    uint16_t fileCode;
    char16_t unicode;
};

TEST(QuillFontReaderTest, EncodingNumbersChooseTheCodePage) {
    const EncodingCase cases[] = {
        {0, 0x3042, u'\u3042'},                            // UTF-8 fonts keep UTF-16 codes
        {1, 0xB0A1, u'\uB0A1'},   {3, 0x0080, u'\u20AC'},  // code page 1252
        {4, 0xB0A1, u'\uAC00'},                            // code page 949
        {5, 0xB0A1, u'\uB0A1'},                            // above 4: no code page
        {200, 0x82A0, u'\u82A0'},
    };
    for (const EncodingCase& c : cases) {
        ScopedPgCtrl pg;
        Font source = SampleFont();
        source.encoding = c.encoding;
        source.glyphs[0].code = c.fileCode;
        CFontData font;
        ReadFont(Build(source), font);
        const CGlyph* glyph = font.FindGlyph(c.unicode);
        ASSERT_NE(glyph, nullptr) << "encoding " << int{c.encoding};
        EXPECT_EQ(glyph->image.GetWidth(), 5);
        EXPECT_EQ(font.alternateChar.value, c.unicode);
        EXPECT_TRUE(pg.control.warnings.empty());
    }
}

TEST(QuillFontReaderTest, PreviousVersionTakesOnlyLineFeedAlternateAndEncoding) {
    ScopedPgCtrl pg;
    Font source = SampleFont();
    source.version = 0x0102;
    source.defaultCharWidth = 2;  // the previous version's encoding byte: Shift-JIS
    source.encoding = 1;
    source.alternateIndex = 1;
    source.glyphs[0].code = 0x82A0;
    CFontData font;
    ReadFont(Build(source), font);
    EXPECT_EQ(pg.control.warnings,
              std::vector<std::u16string>{
                  u"The input bofnt file uses a previous version format. After conversion, it "
                  u"will be in the new format."});
    EXPECT_NE(font.FindGlyph(0x3042), nullptr);
    EXPECT_EQ(font.alternateChar.value, u'i');
    EXPECT_EQ(font.lineFeed.value, 12);
    EXPECT_FALSE(font.width.isSet || font.ascent.isSet || font.descent.isSet);
    EXPECT_FALSE(font.defaultWidths.isSet);
    EXPECT_FALSE(font.widthFromSource || font.ascentDescentFromSource);

    font.ReflectGlyph();
    EXPECT_EQ(font.ascent.value, 6);  // derived from the glyphs
    EXPECT_EQ(font.descent.value, 0);
    EXPECT_EQ(font.width.value, 6);
    EXPECT_EQ(font.lineFeed.value, 12);  // kept
}

TEST(QuillFontReaderTest, FilterSkipsGlyphsButNotTheAlternateCharacter) {
    ScopedPgCtrl pg;
    const CXmlLibrary library;
    const testing_support::TempDir dir;
    testing_support::WriteFileText(dir / "only-i.xllt",
                                   "<letter-list version=\"1.0\"><body><letter>i</letter>"
                                   "</body></letter-list>");
    CCharFilter filter;
    filter.Load(Utf8ToUtf16((dir / "only-i.xllt").string()));
    CFontData font;
    ReadFont(Build(SampleFont()), font, &filter);
    EXPECT_EQ(font.GetGlyphCount(), 2u);  // 'i' and the space the filter always keeps
    EXPECT_EQ(font.FindGlyph(u'A'), nullptr);
    ASSERT_TRUE(font.alternateChar.isSet);
    EXPECT_EQ(font.alternateChar.value, u'A');
}

TEST(QuillFontReaderTest, UnknownTextureFormatGivesEmptyGlyphsWithTheirSpaces) {
    ScopedPgCtrl pg;
    std::vector<uint8_t> file = Build(SampleFont());
    const std::size_t tglp = ContentOffset(file, kBlockTGLP);
    file[tglp + 11] = 7;  // sheetFormat 7
    CFontData font;
    ReadFont(file, font);
    ASSERT_EQ(font.GetGlyphCount(), 3u);
    const CGlyph& a = *font.FindGlyph(u'A');
    EXPECT_EQ(a.image.GetWidth(), 0);
    EXPECT_EQ(a.Advance(), 6);
    EXPECT_EQ(font.glyphImageFormat.value, 7);
}

TEST(QuillFontReaderTest, CancelStopsTheWalkAndKeepsWhatWasAdded) {
    ScopedPgCtrl pg;
    pg.control.CancelAfter(1);
    CFontData font;
    try {
        ReadFont(Build(SampleFont()), font);
        FAIL() << "not cancelled";
    } catch (int signal) {
        EXPECT_EQ(signal, kCancelSignal);
    }
    EXPECT_EQ(font.GetGlyphCount(), 1u);
}

TEST(QuillFontReaderTest, ValidateInputChecksTheFile) {
    const testing_support::TempDir dir;
    const std::u16string missing = Utf8ToUtf16((dir / "none.bofnt").string());
    ExpectError([&] { CQuillFontReader(missing).ValidateInput(); }, kErrInputValue,
                "The specified file (" + Utf16ToUtf8(missing) + ") does not exist. ");
    std::vector<uint8_t> file = Build(SampleFont());
    file[7] = 0x03;
    testing_support::WriteFileBytes(dir / "old.bofnt", file);
    ExpectError(
        [&] { CQuillFontReader(Utf8ToUtf16((dir / "old.bofnt").string())).ValidateInput(); },
        kErrBofnt, "Unsupported bofnt version (=0103). The supported version is 0104.");
}

}  // namespace
