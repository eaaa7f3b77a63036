// Each format's bytes are golden conversions (tests/golden/sample-*); decoding is compared with
// the image font reader's own colour conversion by the round trips in tests/e2e. Here: every
// colour and alpha, not only the sample's.
#include "format/TextureFormat.h"

#include <gtest/gtest.h>

#include "image/RgbImage.h"
#include "support/TestSupport.h"

namespace {

CRgbImage Solid(int32_t w, int32_t h, uint32_t word) {
    CRgbImage image;
    image.Create(w, h, 32);
    image.Fill(word & 0xFFFFFF, word >> 24);
    return image;
}

// A picture of pseudo-random words, alpha included.
CRgbImage Noise(int32_t w, int32_t h, uint32_t seed) {
    CRgbImage image;
    image.Create(w, h, 32);
    for (uint32_t& p : image.Pixels()) {
        seed = seed * 1103515245u + 12345u;
        p = seed;
    }
    return image;
}

std::vector<uint8_t> Encode(const IImage& image, int32_t format) {
    std::vector<uint8_t> out(
        static_cast<std::size_t>(texture::SheetBytes(format, image.GetWidth(), image.GetHeight())));
    texture::EncodeSheets(image, format, out);
    return out;
}

// Every format's decode of its encode keeps each channel to the format's precision.
TEST(TextureFormatTest, RoundTripWithinPrecision) {
    const CRgbImage source = Noise(16, 16, 12345);
    for (int32_t f = 0; f < kTextureFormatCount; ++f) {
        CRgbImage back;
        back.Create(16, 16, 32);
        texture::DecodeSheets(Encode(source, f), f, back);
        for (int32_t y = 0; y < 16; ++y) {
            for (int32_t x = 0; x < 16; ++x) {
                const uint32_t s = source.GetWord(x, y);
                const uint32_t d = back.GetWord(x, y);
                const auto channel = [](uint32_t w, int shift) {
                    return static_cast<int>((w >> shift) & 0xFF);
                };
                const int luma = (channel(s, 16) + channel(s, 8) + channel(s, 0)) / 3;
                switch (f) {
                    case kTexI4:
                    case kTexI8: {
                        const int step = f == kTexI4 ? 17 : 1;
                        EXPECT_NEAR(channel(d, 0), luma, step) << f;
                        EXPECT_EQ(channel(d, 24), 255 - channel(d, 0)) << f;
                        break;
                    }
                    case kTexIA4:
                    case kTexIA8: {
                        const int step = f == kTexIA4 ? 17 : 1;
                        EXPECT_NEAR(channel(d, 0), luma, step) << f;
                        EXPECT_NEAR(channel(d, 24), channel(s, 24), step) << f;
                        break;
                    }
                    case kTexRGB565:
                        EXPECT_NEAR(channel(d, 16), channel(s, 16), 8) << f;
                        EXPECT_NEAR(channel(d, 8), channel(s, 8), 4) << f;
                        EXPECT_EQ(channel(d, 24), 255) << f;
                        break;
                    case kTexRGB5A3:
                        EXPECT_NEAR(channel(d, 16), channel(s, 16), 17) << f;
                        EXPECT_NEAR(channel(d, 24), channel(s, 24), 37) << f;
                        break;
                    default:
                        EXPECT_EQ(d, s);
                        break;
                }
            }
        }
    }
}

TEST(TextureFormatTest, ShortDataAndBadBuffersAreRefused) {
    CRgbImage image;
    image.Create(8, 8, 32);
    const std::vector<uint8_t> shortData(31);
    testing_support::ExpectError([&] { texture::DecodeSheets(shortData, kTexI4, image); },
                                 kErrBofnt,
                                 "The file specified as a bofnt file is not a bofnt file. ");
    std::vector<uint8_t> wrongSize(31);
    EXPECT_THROW(texture::EncodeSheets(image, kTexI4, wrongSize), CGeneralException);
    image.Fill(0x123456, 0x78);
    texture::DecodeSheets(shortData, 9, image);  // an unknown format leaves the image alone
    EXPECT_EQ(image.GetWord(0, 0), 0x78123456u);
    // A rectangle wider or taller than the picture it is decoded into would write past it.
    const texture::SheetLayout layout{kTexI4, 8, 8};
    const std::vector<uint8_t> sheet = texture::FilledSheets(0, layout);
    CRgbImage cell = Solid(4, 4, 0);
    for (const auto& [w, h] : {std::pair{5, 1}, std::pair{1, 5}}) {
        EXPECT_THROW(texture::DecodeRect(sheet, layout, 0, 0, w, h, cell), CGeneralException);
    }
}

// Sheets built from a filled background and rectangles at odd places are the sheets of the
// whole picture, and any rectangle decodes to that part of the whole decoded picture.
TEST(TextureFormatTest, RectanglesAgreeWithWholeSheets) {
    const uint32_t background = 0x00336699;
    const CRgbImage glyph = Noise(7, 9, 99);
    for (int32_t f = 0; f < kTextureFormatCount; ++f) {
        const texture::SheetLayout layout{f, 32, 64};
        CRgbImage whole = Solid(32, 64, background);
        whole.CopyRect(glyph, 0, 0, 3, 5, 7, 9);
        whole.CopyRect(glyph, 2, 1, 26, 60, 5, 4);  // reaches the last row and column
        whole.FillRect(11, 30, 6, 3, 0xFFFFFF, 0);
        std::vector<uint8_t> built = texture::FilledSheets(background, layout);
        texture::EncodeRect(glyph, 0, 0, 7, 9, layout, 3, 5, built);
        texture::EncodeRect(glyph, 2, 1, 5, 4, layout, 26, 60, built);
        texture::FillRect(0x00FFFFFF, layout, 11, 30, 6, 3, built);
        ASSERT_EQ(built, Encode(whole, f)) << f;

        CRgbImage decoded = Solid(32, 64, 0);
        texture::DecodeSheets(built, f, decoded);
        CRgbImage cell = Solid(7, 9, 0);
        texture::DecodeRect(built, layout, 25, 55, 7, 9, cell);
        for (int32_t y = 0; y < 9; ++y) {
            for (int32_t x = 0; x < 7; ++x) {
                EXPECT_EQ(cell.GetWord(x, y), decoded.GetWord(25 + x, 55 + y)) << f;
            }
        }
    }
}

}  // namespace
