#include "image/IImage.h"

#include <gtest/gtest.h>

#include <vector>

#include "image/IndexImage.h"
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

TEST(IImageTest, BoundingRectangles) {
    CRgbImage image;
    image.Create(8, 9, 32);
    image.Fill(0xFFFFFF, 0);
    EXPECT_EQ(image.GetContentRect(0x00FFFFFF), (ImageRect{0, 0, 0, 0}));
    EXPECT_EQ(image.GetOpaqueRect(), (ImageRect{0, 0, 0, 0}));
    image.SetValue(3, 5, 0x00FFFFFE);
    EXPECT_EQ(image.GetContentRect(0x00FFFFFF), (ImageRect{3, 5, 4, 6}));
    // The whole word counts: a change of alpha alone is content.
    image.SetAlpha(6, 1, 0x01);
    EXPECT_EQ(image.GetContentRect(0x00FFFFFF), (ImageRect{3, 1, 7, 6}));
    EXPECT_EQ(image.GetOpaqueRect(), (ImageRect{6, 1, 7, 2}));
    image.SetPixel(0, 8, 0, 0xFF);
    EXPECT_EQ(image.GetOpaqueRect(), (ImageRect{0, 1, 7, 9}));
}

TEST(IImageTest, EqualsLooksAtAlphaOnlyWhenBothHaveIt) {
    CRgbImage a;
    a.Create(2, 2, 32);
    a.Fill(0x123456, 0x10);
    CRgbImage b(a);
    b.SetAlpha(1, 1, 0x20);
    EXPECT_TRUE(a.Equals(b));
    a.SetHasAlpha(true);
    EXPECT_TRUE(a.Differs(b)) << "has-alpha differs";
    b.SetHasAlpha(true);
    EXPECT_FALSE(a.Equals(b));
    b.SetAlpha(1, 1, 0x10);
    EXPECT_TRUE(a.Equals(b));
    CRgbImage deeper(a);
    deeper.Create(2, 2, 24);
    deeper.Fill(0x123456, 0x10);
    deeper.SetHasAlpha(true);
    EXPECT_FALSE(a.Equals(deeper)) << "bpp differs";
    CRgbImage never;
    CRgbImage empty;
    empty.Create(0, 0, 0);
    EXPECT_FALSE(never.Equals(empty)) << "created differs";
}

TEST(IImageTest, PixelSettersAndFill) {
    CRgbImage image;
    image.Create(3, 1, 32);
    image.Fill(0xFF7F7F, 0);
    EXPECT_EQ(image.GetWord(2, 0), 0x00FF7F7Fu);
    image.SetAlpha(0, 0, 0xAB);
    image.SetColor(0, 0, 0xFF123456);
    EXPECT_EQ(image.GetWord(0, 0), 0xAB123456u);
    EXPECT_EQ(image.GetAlpha(0, 0), 0xABu);
    EXPECT_EQ(image.GetValue(0, 0), 0x123456u);
    image.SetPixel(1, 0, 0xFFABCDEF, 0x01);
    EXPECT_EQ(image.GetWord(1, 0), 0x01ABCDEFu);
    image.FillRect(1, 0, 2, 1, 0x000001, 0xFF);
    EXPECT_EQ(image.GetWord(2, 0), 0xFF000001u);
    EXPECT_EQ(image.GetWord(0, 0), 0xAB123456u);
}

TEST(IImageTest, CopyExtractAndClone) {
    CRgbImage source;
    source.Create(4, 4, 24);
    for (int32_t i = 0; i < 16; ++i) {
        source.Pixels()[static_cast<std::size_t>(i)] = static_cast<uint32_t>(i);
    }
    CRgbImage part;
    source.ExtractRect(part, 1, 2, 2, 2);
    EXPECT_EQ(part.GetWidth(), 2);
    EXPECT_EQ(part.GetBpp(), 24);
    EXPECT_EQ(part.GetWord(0, 0), 9u);
    EXPECT_EQ(part.GetWord(1, 1), 14u);
    EXPECT_FALSE(part.HasAlpha());

    CRgbImage target;
    target.Create(5, 5, 24);
    target.Fill(0, 0);
    part.SetHasAlpha(true);
    target.Paste(part, 3, 3);
    EXPECT_EQ(target.GetWord(3, 3), 9u);
    EXPECT_EQ(target.GetWord(4, 4), 14u);
    EXPECT_TRUE(target.HasAlpha());
    target.CopyRect(source, 0, 0, 0, 0, 1, 1);
    EXPECT_EQ(target.GetWord(0, 0), 0u);

    const auto copy = source.Clone();
    EXPECT_FALSE(copy->IsIndexed());
    EXPECT_TRUE(copy->Equals(source));
    CRgbImage assigned;
    assigned.Assign(source);
    EXPECT_TRUE(assigned.Equals(source));
}

TEST(IImageTest, PaletteImages) {
    CIndexImage image;
    image.Create(2, 1, 1);
    image.MakeGrayPalette(0);
    ASSERT_EQ(image.GetPalette().size(), 2u);
    EXPECT_EQ(image.GetPalette()[0], 0xFFFFFFu);
    EXPECT_EQ(image.GetPalette()[1], 0x000000u);
    image.SetValue(0, 0, 1);
    image.SetValue(1, 0, 7);
    EXPECT_EQ(image.GetValue(0, 0), 1u);
    EXPECT_EQ(image.GetRgb(0, 0), 0u);
    EXPECT_EQ(image.GetRgb(1, 0), 0u) << "an index beyond the palette shows black";

    image.MakeGrayPalette(8);
    ASSERT_EQ(image.GetPalette().size(), 256u);
    EXPECT_EQ(image.GetPalette()[0], 0xFFFFFFu);
    EXPECT_EQ(image.GetPalette()[255], 0u);
    EXPECT_EQ(image.GetPalette()[1], 0xFEFEFEu);
    image.MakeGrayPalette(4);
    EXPECT_EQ(image.GetPalette()[1], 0xEEEEEEu);

    const uint32_t colours[] = {0x112233, 0x445566};
    image.SetPalette(colours);
    image.SetValue(0, 0, 1);
    EXPECT_EQ(image.GetRgb(0, 0), 0x445566u);
    CIndexImage part;
    image.ExtractRect(part, 0, 0, 1, 1);
    ASSERT_EQ(part.GetPalette().size(), 2u);
    EXPECT_EQ(part.GetRgb(0, 0), 0x445566u);
    const auto copy = image.Clone();
    EXPECT_TRUE(copy->IsIndexed());
    EXPECT_EQ(copy->GetRgb(0, 0), 0x445566u);
    CRgbImage flat;
    image.ExtractRect(flat, 0, 0, 2, 1);
    EXPECT_EQ(flat.GetRgb(0, 0), 1u) << "a true-colour target gets the indices";
}

}  // namespace
