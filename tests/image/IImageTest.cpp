// Packing rows at every depth, which the picture files and the texture formats build on; the
// rest of the model is exercised by every golden conversion.
#include "image/IImage.h"

#include <gtest/gtest.h>

#include <vector>

#include "image/RgbImage.h"
#include "support/TestSupport.h"

namespace {

using testing_support::ExpectError;

CRgbImage MakeImage(int32_t w, int32_t h, int32_t bpp, const std::vector<uint32_t>& words) {
    CRgbImage image;
    image.Create(w, h, bpp);
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            image.SetValue(x, y, words[static_cast<std::size_t>(y * w + x)]);
        }
    }
    return image;
}

struct PackCase {
    int32_t bpp;
    std::vector<uint32_t> words;  // 3 x 2 pixels
    int32_t rowAlign;
    std::vector<uint8_t> packed;
};

TEST(IImageTest, PackingAtEveryDepthWithRowAlignment) {
    const std::vector<PackCase> cases = {
        {1, {1, 0, 1, 0, 1, 1}, 4, {0xA0, 0, 0, 0, 0x60, 0, 0, 0}},
        {1, {1, 0, 1, 0, 1, 1}, 0, {0xA0, 0x60}},
        {2, {3, 0, 2, 1, 1, 1}, 0, {0xC8, 0x54}},
        {4, {0xA, 0x5, 0xF, 1, 2, 3}, 4, {0xA5, 0xF0, 0, 0, 0x12, 0x30, 0, 0}},
        {4, {0xA, 0x5, 0xF, 1, 2, 3}, 1, {0xA5, 0xF0, 0x12, 0x30}},
        {8, {1, 2, 3, 4, 5, 6}, 4, {1, 2, 3, 0, 4, 5, 6, 0}},
        {8, {1, 2, 3, 4, 5, 6}, 2, {1, 2, 3, 0, 4, 5, 6, 0}},
        {16,
         {0x1234, 0xABCD, 0x0001, 0xFFFF, 0, 0x8000},
         4,
         {0x34, 0x12, 0xCD, 0xAB, 0x01, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0x80, 0, 0}},
        {24,
         {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x000001},
         4,
         {0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0x99, 0x88, 0x77, 0, 0, 0,
          0xCC, 0xBB, 0xAA, 0xFF, 0xEE, 0xDD, 0x01, 0,    0,    0, 0, 0}},
        {32, {0xAABBCCDD, 1, 0x80000000, 2, 3, 4}, 4, {0xDD, 0xCC, 0xBB, 0xAA, 1, 0, 0, 0,
                                                       0,    0,    0,    0x80, 2, 0, 0, 0,
                                                       3,    0,    0,    0,    4, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "bpp " << c.bpp << " align " << c.rowAlign);
        const CRgbImage image = MakeImage(3, 2, c.bpp, c.words);
        ASSERT_EQ(IImage::PackedSize(3, 2, c.bpp, c.rowAlign), int64_t(c.packed.size()));
        std::vector<uint8_t> packed(c.packed.size(), 0xEE);
        image.Pack(packed, c.rowAlign);
        EXPECT_EQ(packed, c.packed);
        CRgbImage back;
        back.Create(3, 2, c.bpp);
        back.Unpack(c.packed, c.rowAlign);
        EXPECT_TRUE(back.Equals(image));
    }
}

TEST(IImageTest, PackingTakesOnlyTheLowBitsOfEachWord) {
    const CRgbImage image = MakeImage(2, 1, 4, {0xFFFFFFF3, 0x12});
    std::vector<uint8_t> packed(1);
    image.Pack(packed, 0);
    EXPECT_EQ(packed[0], 0x32);
}

TEST(IImageTest, ReadBitsFillsARectangleAndZeroMeansOwnDepth) {
    CRgbImage image;
    image.Create(4, 3, 4);
    image.Fill(0x777777, 0);
    const std::vector<uint8_t> packed = {0xA5};
    image.ReadBits(packed, 1, 2, 2, 1, 0, 0);
    EXPECT_EQ(image.GetWord(1, 2), 0xAu);
    EXPECT_EQ(image.GetWord(2, 2), 0x5u);
    EXPECT_EQ(image.GetWord(0, 2), 0x777777u);
    EXPECT_EQ(image.GetWord(3, 2), 0x777777u);

    std::vector<uint8_t> out(1);
    image.WriteBits(out, 1, 2, 2, 1, 4, 0);
    EXPECT_EQ(out[0], 0xA5);
}

TEST(IImageTest, BadPackingArgumentsAreRefused) {
    CRgbImage image;
    image.Create(3, 2, 8);
    std::vector<uint8_t> shortBuffer(7);
    ExpectError([&] { image.Unpack(shortBuffer, 4); }, kErrInternal, "Unknown error.");
    ExpectError([&] { image.Pack(shortBuffer, 4); }, kErrInternal, "Unknown error.");
    std::vector<uint8_t> plenty(64);
    for (const int32_t depth : {3, 5, 7, 12, 40, -8}) {
        SCOPED_TRACE(depth);
        ExpectError([&] { image.ReadBits(plenty, 0, 0, 3, 2, depth, 0); }, kErrInternal,
                    "Unknown error.");
        ExpectError([&] { image.WriteBits(plenty, 0, 0, 3, 2, depth, 0); }, kErrInternal,
                    "Unknown error.");
    }
    EXPECT_EQ(IImage::PackedRowBytes(3, 1, 4), 4);
    EXPECT_EQ(IImage::PackedRowBytes(3, 1, 0), 1);
    EXPECT_EQ(IImage::PackedRowBytes(9, 1, 0), 2);
    EXPECT_EQ(IImage::PackedRowBytes(5, 24, 4), 16);
    EXPECT_EQ(IImage::PackedRowBytes(0, 24, 4), 0);
}

TEST(IImageTest, CreateRefusesNegativeAndHugeSizes) {
    CRgbImage image;
    EXPECT_EQ(image.GetWidth(), -1);
    EXPECT_FALSE(image.IsCreated());
    ExpectError([&] { image.Create(-1, 4, 32); }, kErrImage, "Not enough memory.");
    ExpectError([&] { image.Create(16385, 16384, 32); }, kErrImage, "Not enough memory.");
    ExpectError([&] { image.Create(2147483647, 2147483647, 32); }, kErrImage, "Not enough memory.");
    image.Create(0, 0, 32);
    EXPECT_TRUE(image.IsCreated());
    image.SetHasAlpha(true);
    image.Create(2, 2, 8);
    EXPECT_FALSE(image.HasAlpha());
}

}  // namespace
