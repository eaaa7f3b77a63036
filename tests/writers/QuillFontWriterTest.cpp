#include "writers/QuillFontWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/Endian.h"
#include "core/FontData.h"
#include "image/RgbImage.h"
#include "platform/Text.h"
#include "support/TestSupport.h"
#include "writers/WriterTestSupport.h"
#include "writers/format/ResFont.h"
#include "writers/format/TextureFormat.h"
#include "xml/GlyphOrder.h"

namespace {

using writer_tests::ExpectError;
using writer_tests::ExpectFileHoldsFont;
constexpr int32_t kNo = CQuillFontWriter::kNotGiven;

struct WriterSettings {
    uint16_t alternate = 0xFFFF;
    int32_t lineFeed = kNo;
    int32_t defaultWidth = kNo;
    int32_t defaultLeft = kNo;
    int32_t defaultRight = kNo;
    int32_t encoding = 1;
    int32_t sheetPixels = 0;
    int32_t sheetWidth = 0;
    int32_t sheetHeight = 0;
    std::u16string groups;
};

std::unique_ptr<CQuillFontWriter> MakeWriter(const std::filesystem::path& out,
                                             const WriterSettings& s) {
    const std::u16string path = Utf8ToUtf16(out.string());
    if (s.sheetWidth != 0 || s.sheetHeight != 0) {
        return std::make_unique<CQuillFontWriter>(path, s.groups, 1, s.alternate, s.lineFeed,
                                                  s.defaultWidth, s.defaultLeft, s.defaultRight,
                                                  s.encoding, s.sheetWidth, s.sheetHeight);
    }
    return std::make_unique<CQuillFontWriter>(path, s.groups, 1, s.alternate, s.lineFeed,
                                              s.defaultWidth, s.defaultLeft, s.defaultRight,
                                              s.encoding, s.sheetPixels);
}

// A pixel of a glyph: ink of varying strength for the intensity formats, opaque colour for the
// colour formats.
uint32_t GlyphPixel(int32_t format, int32_t x, int32_t y, uint16_t code) {
    const auto v = static_cast<uint32_t>((x * 37 + y * 11 + code * 5) % 256);
    if (format <= kTexIA8) {
        return ((255 - v) << 24) | (v << 16) | (v << 8) | v;
    }
    if (format == kTexRGBA8) {
        return (v << 24) | ((v * 3 % 256) << 16) | ((255 - v) << 8) | (v ^ 0x5A);
    }
    return 0xFF000000u | ((v * 3 % 256) << 16) | ((255 - v) << 8) | (v ^ 0x5A);
}

// A settled font: glyphs of different sizes, ascents and spaces.
std::unique_ptr<CFontData> MakeFont(int32_t format, const std::vector<uint16_t>& codes) {
    auto font = std::make_unique<CFontData>();
    for (const uint16_t code : codes) {
        auto glyph = std::make_unique<CGlyph>();
        const int32_t w = 2 + code % 7;
        const int32_t h = 3 + code % 5;
        glyph->image.Create(w, h, 32);
        glyph->image.SetHasAlpha(true);
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) {
                glyph->image.SetValue(x, y, GlyphPixel(format, x, y, code));
            }
        }
        glyph->ascent = 2 + code % 4;
        glyph->leftSpace = code % 3 - 1;
        glyph->rightSpace = code % 2;
        font->AddGlyph(std::move(glyph), code);
    }
    font->glyphImageFormat.Set(format);
    font->ReflectGlyph();
    return font;
}

std::vector<uint16_t> Letters(int count) {
    std::vector<uint16_t> codes;
    for (int i = 0; i < count; ++i) {
        codes.push_back(static_cast<uint16_t>(0x21 + i));
    }
    return codes;
}

TEST(QuillFontWriterTest, EveryFormatRoundTripsThroughOurLoader) {
    testing_support::ScopedPgCtrl pg;
    testing_support::TempDir dir;
    for (int32_t format = 0; format < kTextureFormatCount; ++format) {
        SCOPED_TRACE("format " + std::to_string(format));
        const auto font = MakeFont(format, Letters(150));
        const auto path = dir / ("font" + std::to_string(format) + ".bofnt");
        auto writer = MakeWriter(path, {});
        writer->ValidateInput();
        writer->WriteFontData(*font, CGlyphOrder());
        ExpectFileHoldsFont(path, *font);
    }
    EXPECT_TRUE(pg.control.warnings.empty());
    EXPECT_EQ(pg.control.statuses.front(), 252);
}

TEST(QuillFontWriterTest, FontInformationAndSheetFields) {
    testing_support::ScopedPgCtrl pg;
    testing_support::TempDir dir;
    const auto font = MakeFont(kTexIA4, Letters(200));
    const auto path = dir / "info.bofnt";
    WriterSettings s;
    s.alternate = u'#';
    s.lineFeed = 200;
    s.defaultWidth = 3;
    s.defaultLeft = -2;
    s.defaultRight = 4;
    s.sheetWidth = 64;
    s.sheetHeight = 64;
    MakeWriter(path, s)->WriteFontData(*font, CGlyphOrder());
    ASSERT_EQ(pg.control.warnings.size(), 1u);
    EXPECT_EQ(pg.control.warnings[0], u"Linefeed width (=200) exceeds maximum (=127).");

    const std::vector<uint8_t> bytes = testing_support::ReadFileBytes(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "OFNT");
    EXPECT_EQ(std::string(bytes.begin() + 16, bytes.begin() + 20), "FINF");
    EXPECT_EQ(std::string(bytes.begin() + 48, bytes.begin() + 52), "TGLP");
    EXPECT_EQ(endian::LoadU32BE(bytes, 56 + 20), 96u);
    EXPECT_EQ(bytes[24 + 1], 200);  // the line feed byte, -56 when read signed
    CResFont res;
    res.Load(bytes);
    const FontInfo& info = res.GetFontInfo();
    EXPECT_EQ(info.fontType, 1);
    EXPECT_EQ(info.lineFeed, -56);
    EXPECT_EQ(info.alternateIndex, u'#' - 0x21);
    EXPECT_EQ(info.defaultLeft, -2);
    EXPECT_EQ(info.defaultGlyphWidth, 3);
    EXPECT_EQ(info.defaultCharWidth, 5);
    EXPECT_EQ(info.encoding, 1);
    EXPECT_EQ(info.height, font->ascent.value + font->descent.value);
    EXPECT_EQ(info.width, font->width.value);
    EXPECT_EQ(info.ascent, font->ascent.value);
    const TextureGlyphs& t = *res.GetTextureGlyphs();
    EXPECT_EQ(t.cellWidth, font->glyphWidth.value);
    EXPECT_EQ(t.cellHeight, font->height.value);
    EXPECT_EQ(t.baseline, font->baseline.value);
    EXPECT_EQ(t.maxCharWidth, font->charWidth.value);
    EXPECT_EQ(t.sheetWidth, 64);
    EXPECT_EQ(t.sheetHeight, 64);
    EXPECT_EQ(t.sheetBytes, 64u * 64u);
    EXPECT_EQ(t.cellsPerRow, 64 / (t.cellWidth + 1));
    EXPECT_EQ(t.rowsPerSheet, 64 / (t.cellHeight + 1));
    const int32_t perSheet = t.cellsPerRow * t.rowsPerSheet;
    EXPECT_EQ(t.sheetCount, (200 + perSheet - 1) / perSheet);
    EXPECT_EQ(res.CountBlocks(kBlockCWDH), 1u);
    ASSERT_EQ(res.GetMapChain().size(), 1u);
    EXPECT_EQ(res.GetMapChain()[0].mappingKind, kMapDirect);
}

TEST(QuillFontWriterTest, ShiftJisLeavesOutWhatItCannotHold) {
    testing_support::ScopedPgCtrl pg;
    testing_support::TempDir dir;
    const auto font = MakeFont(kTexI4, {u'A', u'B', 0x00E9, 0x3042});
    const auto path = dir / "sjis.bofnt";
    WriterSettings s;
    s.encoding = 2;
    MakeWriter(path, s)->WriteFontData(*font, CGlyphOrder());
    ASSERT_EQ(pg.control.warnings.size(), 1u);
    EXPECT_EQ(pg.control.warnings[0],
              u"Character ('\u00e9': U+00E9) cannot be represented in the specified encoding. ");
    CResFont res;
    res.Load(testing_support::ReadFileBytes(path));
    EXPECT_EQ(res.GetFontInfo().encoding, 2);
    EXPECT_EQ(res.CodeToIndex(0x41), 0);
    EXPECT_EQ(res.CodeToIndex(0x42), 1);
    EXPECT_EQ(res.CodeToIndex(0x82A0), 2);  // U+3042 in Shift-JIS
    EXPECT_EQ(res.CodeToIndex(0xE9), kNoGlyph);

    s.alternate = 0x00E9;
    const auto failed = dir / "failed.bofnt";
    ExpectError([&] { MakeWriter(failed, s)->WriteFontData(*font, CGlyphOrder()); }, kErrInputValue,
                u"Cannot show substitute character ('\u00e9': U+00E9) in the specified encoding. "
                u"Use Unicode or another character. ");
    EXPECT_FALSE(std::filesystem::exists(failed));
}

TEST(QuillFontWriterTest, SettingsAreCheckedBeforeWork) {
    testing_support::TempDir dir;
    const auto out = dir / "out.bofnt";
    struct Case {
        const char* what;
        WriterSettings settings;
        std::u16string message;
    };
    WriterSettings zeroAlternate;
    zeroAlternate.alternate = 0;
    WriterSettings lineFeed;
    lineFeed.lineFeed = 256;
    WriterSettings negativeLineFeed;
    negativeLineFeed.lineFeed = -1;
    WriterSettings left;
    left.defaultLeft = -129;
    WriterSettings size;
    size.sheetWidth = 48;
    size.sheetHeight = 64;
    WriterSettings tooLarge;
    tooLarge.sheetWidth = 2048;
    tooLarge.sheetHeight = 32;
    WriterSettings groups;
    groups.groups = Utf8ToUtf16((dir / "none.xggp").string());
    const Case cases[] = {
        {"alternate 0", zeroAlternate, u"Substitute character (0x0000) cannot be used. "},
        {"line feed 256", lineFeed, u"Line feed width (=256) exceeds valid range [0 - 255]."},
        {"line feed -1", negativeLineFeed, u"Line feed width (=-1) exceeds valid range [0 - 255]."},
        {"left -129", left,
         u"The default left space width (=-129) exceeds the valid range [-128 - 127]."},
        {"sheet 48x64", size, u"Illegal sheet size(48x64x)."},
        {"sheet 2048x32", tooLarge, u"Illegal sheet size(2048x32x)."},
        {"missing groups file", groups,
         u"The specified file (" + groups.groups + u") does not exist. "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectError([&] { MakeWriter(out, c.settings)->ValidateInput(); }, kErrInputValue,
                    c.message);
    }
    const std::u16string folder = Utf8ToUtf16((dir / "no" / "x.bofnt").string());
    ExpectError(
        [&] { CQuillFontWriter(folder, u"", 1, 0xFFFF, kNo, kNo, kNo, kNo, 1, 0).ValidateInput(); },
        kErrInputValue,
        u"The specified directory (" + Utf8ToUtf16((dir / "no/").string()) + u") does not exist. ");
    WriterSettings fine;
    fine.lineFeed = 200;
    fine.defaultLeft = -128;
    fine.sheetWidth = 1024;
    fine.sheetHeight = 32;
    EXPECT_NO_THROW(MakeWriter(out, fine)->ValidateInput());
}

TEST(QuillFontWriterTest, FontDependentChecksWriteNoFile) {
    testing_support::ScopedPgCtrl pg;
    testing_support::TempDir dir;
    const auto out = dir / "out.bofnt";
    const auto font = MakeFont(kTexI4, Letters(20));  // glyph width 8, default widths 0, 8, 8
    struct Case {
        const char* what;
        WriterSettings settings;
        std::u16string message;
    };
    WriterSettings width;
    width.defaultWidth = 9;
    WriterSettings right;
    right.defaultLeft = 100;
    right.defaultRight = 20;
    WriterSettings missing;
    missing.alternate = 0x3000;
    WriterSettings pixels;
    pixels.sheetPixels = 3 * 1024;
    const Case cases[] = {
        {"default width", width, u"The default glyph width (=9) exceeds the valid range [0 - 8]."},
        {"default right", right,
         u"The default right space width (=20) exceeds the valid range [-236 - 19]."},
        {"alternate not in the font", missing,
         u"The specified substitute character ('\u3000' : U+3000) is not included in the font. "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectError([&] { MakeWriter(out, c.settings)->WriteFontData(*font, CGlyphOrder()); },
                    kErrInputValue, c.message);
    }
    ExpectError([&] { MakeWriter(out, pixels)->WriteFontData(*font, CGlyphOrder()); }, kErrInternal,
                u"invalid sheet size(3072 pixels).");
    EXPECT_FALSE(std::filesystem::exists(out));
}

// Width entries hold the left space and the advance in signed bytes; a glyph outside them is left
// out with a warning, and the rest read back as drawn.
TEST(QuillFontWriterTest, GlyphsTheWidthEntriesCannotHoldAreLeftOut) {
    testing_support::ScopedPgCtrl pg;
    testing_support::TempDir dir;
    struct Case {
        char16_t code;
        int32_t w, left, right;
        bool kept;
    };
    const Case cases[] = {
        {u'A', 100, 0, 27, true},  {u'B', 100, 0, 28, false},  {u'C', 1, -128, 0, true},
        {u'D', 1, -129, 0, false}, {u'E', 1, 127, -1, true},   {u'F', 1, 128, -2, false},
        {u'G', 1, -2, -127, true}, {u'H', 1, -2, -128, false},
    };
    CFontData font;
    for (const Case& c : cases) {
        auto glyph = std::make_unique<CGlyph>();
        glyph->image.Create(c.w, 1, 32);
        glyph->leftSpace = c.left;
        glyph->rightSpace = c.right;
        font.AddGlyph(std::move(glyph), c.code);
    }
    font.glyphImageFormat.Set(kTexI4);
    font.ReflectGlyph();
    const auto path = dir / "w.bofnt";
    MakeWriter(path, {})->WriteFontData(font, CGlyphOrder());
    CResFont res;
    res.Load(testing_support::ReadFileBytes(path));
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<char>(c.code));
        const uint16_t index = res.CodeToIndex(c.code);
        ASSERT_EQ(index == kNoGlyph, !c.kept);
        if (c.kept) {
            EXPECT_EQ(res.WidthOfIndex(index).left, c.left);
            EXPECT_EQ(res.WidthOfIndex(index).advance, c.left + c.w + c.right);
        }
    }
    ASSERT_EQ(pg.control.warnings.size(), 4u);
    EXPECT_EQ(pg.control.warnings[0],
              u"Character ('B': U+0042) cannot be represented in the bofnt file: its left space "
              u"(=0) and advance (=128) must lie in [-128 - 127]. ");
}

TEST(QuillFontWriterTest, RangeChecks) {
    testing_support::ScopedPgCtrl pg;
    testing_support::TempDir dir;
    struct Case {
        int32_t w, h, ascent, right;
        std::u16string message;
    };
    const Case cases[] = {
        {256, 1, 1, 0, u"Glyph width (=256) exceeds maximum (=255)."},
        {1, 256, 1, 0, u"Character height (=256) exceeds maximum (=255)."},
        {10, 1, 1, 250, u"Character width (=260) exceeds maximum (=255)."},
        {1, 130, 128, 0, u"Baseline position (=128) exceeds maximum (=127)."},
        {1, 1, -129, 0, u"Baseline position (=-129) is below minimum. "},
    };
    for (const Case& c : cases) {
        CFontData font;
        auto glyph = std::make_unique<CGlyph>();
        glyph->image.Create(c.w, c.h, 32);
        glyph->ascent = c.ascent;
        glyph->rightSpace = c.right;
        font.AddGlyph(std::move(glyph), u'A');
        font.glyphImageFormat.Set(kTexI4);
        font.ReflectGlyph();
        ExpectError([&] { MakeWriter(dir / "r.bofnt", {})->WriteFontData(font, CGlyphOrder()); },
                    kErrInputValue, c.message);
    }
}

}  // namespace
