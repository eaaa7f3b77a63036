#include "image/BitMapFile.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/Endian.h"
#include "image/IndexImage.h"
#include "image/RgbImage.h"
#include "image/TgaFile.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

namespace {

using testing_support::ExpectError;
using testing_support::TempDir;

// A BMP file with a 40-byte information header (or `headerSize` bytes), palette and rows.
std::vector<uint8_t> MakeBmp(int32_t width, int32_t height, uint16_t bits,
                             const std::vector<uint32_t>& palette, const std::vector<uint8_t>& rows,
                             uint32_t headerSize = 40, uint32_t colorsUsed = 0) {
    std::vector<uint8_t> out;
    const uint32_t offset = 14 + headerSize + static_cast<uint32_t>(palette.size() * 4);
    endian::AppendU16LE(out, 0x4D42);
    endian::AppendU32LE(out, offset + static_cast<uint32_t>(rows.size()));
    endian::AppendU32LE(out, 0);
    endian::AppendU32LE(out, offset);
    endian::AppendU32LE(out, headerSize);
    endian::AppendU32LE(out, static_cast<uint32_t>(width));
    endian::AppendU32LE(out, static_cast<uint32_t>(height));
    endian::AppendU16LE(out, 1);
    endian::AppendU16LE(out, bits);
    endian::AppendU32LE(out, 0);
    endian::AppendU32LE(out, 0);  // pixel data size left 0, as some writers do
    endian::AppendU32LE(out, 2834);
    endian::AppendU32LE(out, 2834);
    endian::AppendU32LE(out, colorsUsed);
    endian::AppendU32LE(out, 0);
    out.resize(14 + headerSize, 0);
    for (uint32_t c : palette) {
        endian::AppendU32LE(out, c);
    }
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

class BitMapFileTest : public ::testing::Test {
protected:
    std::u16string Write(const std::vector<uint8_t>& bytes) {
        testing_support::WriteFileBytes(m_dir / "a.bmp", bytes);
        return Path();
    }
    std::u16string Path() const { return Utf8ToUtf16((m_dir / "a.bmp").string()); }
    std::string PathText() const { return (m_dir / "a.bmp").string(); }

    TempDir m_dir;
};

TEST_F(BitMapFileTest, RowOrderFollowsTheSignOfTheHeight) {
    // Two rows of one 24-bit pixel each, padded to 4 bytes: blue first, then red.
    const std::vector<uint8_t> rows = {0xFF, 0, 0, 0, 0, 0, 0xFF, 0};
    for (const int32_t height : {2, -2}) {
        CBitMapFile file(Write(MakeBmp(1, height, 24, {}, rows)));
        const auto image = file.Load();
        EXPECT_FALSE(image->IsIndexed());
        EXPECT_FALSE(image->HasAlpha());
        EXPECT_EQ(image->GetBpp(), 24);
        const uint32_t top = height < 0 ? 0x0000FF : 0xFF0000;
        EXPECT_EQ(image->GetRgb(0, 0), top) << height;
        EXPECT_EQ(image->GetRgb(0, 1), top ^ 0xFF00FF) << height;
    }
}

TEST_F(BitMapFileTest, PaletteIsReadRightAfterAnyInformationHeader) {
    // Colours used says 16, yet all 256 entries are read; a V5 (124-byte) header moves them.
    std::vector<uint32_t> palette(256, 0);
    palette[0] = 0x112233;
    palette[200] = 0x445566;
    for (const uint32_t headerSize : {40u, 124u}) {
        CBitMapFile file(Write(MakeBmp(2, 1, 8, palette, {0, 200, 0, 0}, headerSize, 16)));
        const auto image = file.Load();
        ASSERT_TRUE(image->IsIndexed());
        EXPECT_EQ(image->GetValue(1, 0), 200u);
        EXPECT_EQ(image->GetRgb(0, 0), 0x112233u) << headerSize;
        EXPECT_EQ(image->GetRgb(1, 0), 0x445566u) << headerSize;
    }
}

TEST_F(BitMapFileTest, ThirtyTwoBitsCarryAlphaAndRoundTrip) {
    CRgbImage image;
    image.Create(3, 2, 32);
    image.SetHasAlpha(true);
    for (int32_t i = 0; i < 6; ++i) {
        image.SetValue(i % 3, i / 3, 0x10203040u * static_cast<uint32_t>(i + 1));
    }
    CBitMapFile(Path()).Save(image);
    const auto bytes = testing_support::ReadFileBytes(m_dir / "a.bmp");
    ASSERT_EQ(bytes.size(), 54u + 24u);
    EXPECT_EQ(endian::LoadU32LE(bytes, 2), 78u);
    EXPECT_EQ(endian::LoadU32LE(bytes, 10), 54u);
    EXPECT_EQ(endian::LoadU32LE(bytes, 22), 2u);  // bottom-up
    EXPECT_EQ(endian::LoadU32LE(bytes, 38), 2834u);
    // The last row comes first; pixel (0, 1) is word 0x40C0...: bytes B G R A.
    EXPECT_EQ(endian::LoadU32LE(bytes, 54), image.GetWord(0, 1));
    const auto loaded = CBitMapFile(Path()).Load();
    EXPECT_TRUE(loaded->Equals(image));
}

TEST_F(BitMapFileTest, PalettePicturesSaveAsEightBitsWithTheirPalette) {
    CIndexImage image;
    image.Create(3, 1, 4);
    image.SetPalette(std::vector<uint32_t>{0xFFFFFF, 0x00FF00, 0x0000FF});
    image.SetValue(1, 0, 1);
    image.SetValue(2, 0, 2);
    CBitMapFile(Path()).Save(image);
    const auto bytes = testing_support::ReadFileBytes(m_dir / "a.bmp");
    ASSERT_EQ(bytes.size(), 1078u + 4u);
    EXPECT_EQ(endian::LoadU16LE(bytes, 28), 8);
    EXPECT_EQ(endian::LoadU32LE(bytes, 46), 3u);
    EXPECT_EQ(endian::LoadU32LE(bytes, 58), 0x00FF00u);
    const auto loaded = CBitMapFile(Path()).Load();
    EXPECT_EQ(loaded->GetRgb(2, 0), 0x0000FFu);
    EXPECT_EQ(loaded->GetValue(1, 0), 1u);
}

TEST_F(BitMapFileTest, AcceptanceMessages) {
    struct Case {
        const char* what;
        std::size_t offset;
        uint32_t value;
        int size;
        std::string message;
    };
    const std::string p = PathText();
    const Case cases[] = {
        {"signature", 0, 0x4142, 2,
         "The file specified as the BMP file (" + p + ") is not a BMP file. "},
        {"reserved", 6, 1, 2, "The file specified as the BMP file (" + p + ") is not a BMP file. "},
        {"offset", 10, 53, 4, "The file specified as the BMP file (" + p + ") is not a BMP file. "},
        {"header size", 14, 12, 4,
         "The file specified as the BMP file (" + p + ") is not a BMP file. "},
        {"width 0", 18, 0, 4, "Size of specified image file (" + p + ") is illegal. (0 x 1)."},
        {"height 0", 22, 0, 4, "Size of specified image file (" + p + ") is illegal. (1 x 0)."},
        {"16 bits", 28, 16, 2,
         "The bit depth (=16 bpp) of the specified BMP file (" + p + ") is not supported. "},
        {"run-length", 30, 1, 4,
         "Specified BMP file (" + p + ") uses a format that is not supported."},
        {"planes", 26, 2, 2, "Specified BMP file (" + p + ") uses a format that is not supported."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto bytes = MakeBmp(1, 1, 24, {}, {1, 2, 3, 0});
        if (c.size == 2) {
            endian::StoreU16LE(bytes, c.offset, static_cast<uint16_t>(c.value));
        } else {
            endian::StoreU32LE(bytes, c.offset, c.value);
        }
        CBitMapFile file(Write(bytes));
        ExpectError([&] { file.Load(); }, kErrBmp, c.message);
        EXPECT_EQ(file.HasFormatError(), c.offset < 26);
    }
}

TEST_F(BitMapFileTest, DeclaredSizesBeyondTheFileFailBeforeAllocating) {
    const std::string p = PathText();
    CBitMapFile huge(Write(MakeBmp(65535, 65535, 32, {}, {0, 0, 0, 0})));
    const std::size_t growth = testing_support::PeakMemoryGrowth([&] {
        ExpectError([&] { huge.Load(); }, kErrBmp,
                    "Size of specified image file (" + p + ") is illegal. (65535 x 65535).");
    });
    EXPECT_LT(growth, testing_support::kBoundedGrowth);
    CBitMapFile tall(Write(MakeBmp(1, -2147483647 - 1, 1, {0, 0xFFFFFF}, {0, 0, 0, 0})));
    ExpectError([&] { tall.Load(); }, kErrBmp,
                "Size of specified image file (" + p + ") is illegal. (1 x -2147483648).");
}

TEST_F(BitMapFileTest, EveryTruncationFailsCleanly) {
    const std::vector<uint32_t> palette(16, 0x808080);
    const auto whole = MakeBmp(5, 3, 4, palette, std::vector<uint8_t>(12, 0x12));
    const std::string p = PathText();
    for (std::size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(length);
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(length));
        CBitMapFile file(Write(cut));
        EXPECT_EQ(file.IsBmp(), length >= 2);
        EXPECT_EQ(file.HasFormatError(), length < 54);
        ExpectError([&] { file.Load(); }, kErrBmp,
                    length < 54
                        ? "The file specified as the BMP file (" + p + ") is not a BMP file. "
                        : "Size of specified image file (" + p + ") is illegal. (5 x 3).");
    }
    EXPECT_EQ(CBitMapFile(Write(whole)).Load()->GetValue(4, 2), 1u);
}

// Both picture writers stream rows out of the picture: saving makes no copy of it, packed or
// encoded, however large it is (here 16 MB; a copy would be at least that).
TEST_F(BitMapFileTest, SavingMakesNoCopyOfThePicture) {
    constexpr int32_t kSide = 2048;
    CRgbImage picture;
    picture.Create(kSide, kSide, 32);
    picture.SetHasAlpha(true);
    for (int32_t y = 0; y < kSide; ++y) {
        for (int32_t x = 0; x < kSide; ++x) {
            picture.SetValue(x, y, static_cast<uint32_t>(x * 2654435761u ^ y * 40503u));
        }
    }
    const std::pair<const char*, std::function<void(const std::u16string&)>> savers[] = {
        {"big.bmp", [&](const std::u16string& path) { CBitMapFile(path).Save(picture); }},
        {"big.tga", [&](const std::u16string& path) { CTgaFile(path).Save(picture); }},
    };
    for (const auto& [name, save] : savers) {
        SCOPED_TRACE(name);
        const auto path = Utf8ToUtf16((m_dir / name).string());
        EXPECT_LT(testing_support::PeakMemoryGrowth([&] { save(path); }), std::size_t{4} << 20);
    }
    EXPECT_TRUE(CTgaFile(Utf8ToUtf16((m_dir / "big.tga").string())).Load()->Equals(picture));
}

}  // namespace
