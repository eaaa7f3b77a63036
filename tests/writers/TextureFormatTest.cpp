#include "writers/format/TextureFormat.h"

#include <gtest/gtest.h>

#include "image/RgbImage.h"
#include "writers/WriterTestSupport.h"

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

// The first stored value of a one-colour 8 x 8 image, as the bytes of one pixel.
std::vector<uint8_t> FirstTexel(uint32_t word, int32_t format) {
    const std::vector<uint8_t> all = Encode(Solid(8, 8, word), format);
    const auto bytes = static_cast<std::size_t>(std::max(texture::BitsPerPixel(format) / 8, 1));
    return {all.begin(), all.begin() + static_cast<std::ptrdiff_t>(bytes)};
}

struct TexelCase {
    uint32_t word;
    int32_t format;
    std::vector<uint8_t> stored;
};

TEST(TextureFormatTest, EncodesOnePixelPerFormat) {
    const TexelCase cases[] = {
        {0x00FFFFFF, kTexI4, {0x00}},  // white paper, both nibbles 0
        {0xFF000000, kTexI4, {0xFF}},  // black ink: 15 in both nibbles
        {0xFF808080, kTexI4, {0x77}},  // gray 128: 15 - 8
        {0xFFFF0000, kTexI4, {0xAA}},  // L = 85: 15 - 5
        {0x00FFFFFF, kTexI8, {0x00}},
        {0xFF000000, kTexI8, {0xFF}},
        {0xFF808080, kTexI8, {127}},
        {0x00FFFFFF, kTexIA4, {0x00}},
        {0xFF000000, kTexIA4, {0xFF}},
        {0x80FFFFFF, kTexIA4, {0x80}},
        {0xFF000000, kTexIA8, {0xFF, 0xFF}},  // alpha first
        {0x40C0C0C0, kTexIA8, {0x40, 0x3F}},
        {0x00F8FC08, kTexRGB565, {0xFF, 0xE1}},
        {0xFFFFFFFF, kTexRGB5A3, {0xFF, 0xFF}},
        {0xFE102030, kTexRGB5A3, {0x71, 0x23}},  // 254 takes the 3-bit alpha form: 7
        {0x11223344, kTexRGBA8, {0x11, 0x22, 0x11, 0x22}},
    };
    for (const TexelCase& c : cases) {
        EXPECT_EQ(FirstTexel(c.word, c.format), c.stored)
            << "word " << std::hex << c.word << " format " << c.format;
    }
}

TEST(TextureFormatTest, BitsPerPixelAndSheetBytes) {
    const int32_t bits[] = {4, 8, 8, 16, 16, 16, 32};
    for (int32_t f = 0; f < kTextureFormatCount; ++f) {
        EXPECT_EQ(texture::BitsPerPixel(f), bits[f]);
        EXPECT_EQ(texture::SheetBytes(f, 256, 128), bits[f] * 256 * 128 / 8);
    }
    EXPECT_EQ(texture::SheetBytes(kTexI4, 8, 8), 32);
    EXPECT_EQ(texture::BitsPerPixel(7), 0);
    EXPECT_EQ(texture::BlockWidth(kTexI4), 8);
    EXPECT_EQ(texture::BlockHeight(kTexI8), 4);
    EXPECT_EQ(texture::BlockWidth(kTexRGBA8), 4);
}

TEST(TextureFormatTest, I4TileOrder) {
    // Pixel (x, y) gets ink x + y (mod 16) in its low bits of intensity.
    CRgbImage image;
    image.Create(16, 8, 32);
    for (int32_t y = 0; y < 8; ++y) {
        for (int32_t x = 0; x < 16; ++x) {
            const uint32_t ink = static_cast<uint32_t>((x + 2 * y) % 16);
            const uint32_t level = (15 - ink) << 4;
            image.SetPixel(x, y, (level << 16) | (level << 8) | level, 0xFF);
        }
    }
    const std::vector<uint8_t> out = Encode(image, kTexI4);
    ASSERT_EQ(out.size(), 64u);
    EXPECT_EQ(out[0], 0x01);   // pixel (0,0) in bits 4-7, (1,0) in bits 0-3
    EXPECT_EQ(out[4], 0x23);   // the fifth byte starts row 1
    EXPECT_EQ(out[31], 0x45);  // last byte of the left tile: (6,7) and (7,7)
    EXPECT_EQ(out[32], 0x89);  // the right tile starts with (8,0)
}

TEST(TextureFormatTest, Rgba8HalfBlocks) {
    CRgbImage image;
    image.Create(4, 4, 32);
    for (int32_t k = 0; k < 16; ++k) {
        const auto b = static_cast<uint32_t>(k);
        image.SetPixel(k % 4, k / 4, (0x10 + b) << 16 | (0x20 + b) << 8 | (0x30 + b), 0x40 + b);
    }
    const std::vector<uint8_t> out = Encode(image, kTexRGBA8);
    ASSERT_EQ(out.size(), 64u);
    for (std::size_t k = 0; k < 16; ++k) {
        EXPECT_EQ(out[2 * k], 0x40 + k);
        EXPECT_EQ(out[2 * k + 1], 0x10 + k);
        EXPECT_EQ(out[32 + 2 * k], 0x20 + k);
        EXPECT_EQ(out[33 + 2 * k], 0x30 + k);
    }
}

TEST(TextureFormatTest, DecodesStoredValues) {
    CRgbImage image;
    image.Create(8, 8, 32);
    std::vector<uint8_t> i4(32, 0x88);
    texture::DecodeSheets(i4, kTexI4, image);
    EXPECT_EQ(image.GetWord(3, 5), 0x88777777u);  // alpha 136, gray 119

    image.Create(4, 4, 32);
    std::vector<uint8_t> rgb5a3(32);
    rgb5a3[0] = 0x71;  // 3-bit alpha form
    rgb5a3[1] = 0x23;
    rgb5a3[2] = 0xFC;  // 5-bit colour form: 11111 00000 11111
    rgb5a3[3] = 0x1F;
    texture::DecodeSheets(rgb5a3, kTexRGB5A3, image);
    EXPECT_EQ(image.GetWord(0, 0), 0xFF112233u);
    EXPECT_EQ(image.GetWord(1, 0), 0xFFFF00FFu);
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
    writer_tests::ExpectError([&] { texture::DecodeSheets(shortData, kTexI4, image); }, kErrBofnt,
                              u"The file specified as a bofnt file is not a bofnt file. ");
    std::vector<uint8_t> wrongSize(31);
    EXPECT_THROW(texture::EncodeSheets(image, kTexI4, wrongSize), CGeneralException);
    image.Fill(0x123456, 0x78);
    texture::DecodeSheets(shortData, 9, image);  // an unknown format leaves the image alone
    EXPECT_EQ(image.GetWord(0, 0), 0x78123456u);
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
        std::vector<uint8_t> built(static_cast<std::size_t>(texture::SheetBytes(f, 32, 64)));
        texture::FillSheets(background, layout, built);
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
