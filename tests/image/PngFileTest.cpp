#include "image/PngFile.h"

#include <gtest/gtest.h>

#include "base/Endian.h"
#include "base/Text.h"
#include "image/IndexImage.h"
#include "image/PictureFile.h"
#include "image/RgbImage.h"
#include "support/PngBytes.h"
#include "support/TestSupport.h"

namespace {

using png_bytes::AppendChunk;
using png_bytes::StoredZlib;
using testing_support::ExpectError;
using testing_support::TempDir;

// A signature and an IHDR declaring the picture (8-bit RGBA unless told), then `idat` as its
// only data.
std::vector<uint8_t> PngOf(uint32_t width, uint32_t height, const std::vector<uint8_t>& idat,
                           uint8_t depth = 8, uint8_t colourType = 6) {
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    endian::AppendU32BE(ihdr, width);
    endian::AppendU32BE(ihdr, height);
    ihdr.insert(ihdr.end(), {depth, colourType, 0, 0, 0});
    AppendChunk(png, "IHDR", ihdr);
    AppendChunk(png, "IDAT", idat);
    AppendChunk(png, "IEND", {});
    return png;
}

// Words that use every byte value in every channel, alpha included.
CRgbImage Pattern(int32_t width, int32_t height) {
    CRgbImage image;
    image.Create(width, height, 32);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            image.SetValue(x, y, static_cast<uint32_t>(x * 0x01030507 + y * 0x0B0D1113));
        }
    }
    image.SetHasAlpha(true);
    return image;
}

class PngFileTest : public ::testing::Test {
protected:
    std::u16string Path() const { return Utf8ToUtf16((m_dir / "a.png").string()); }
    std::string PathText() const { return (m_dir / "a.png").string(); }

    TempDir m_dir;
};

// Pictures of other programs, in every colour type, depth and interlacing, are in
// PeerImagesTest; damaged and cut files in tests/readers/HostileInputTest.
TEST_F(PngFileTest, SavedPicturesLoadBackWithTheirWordsAndAlpha) {
    const CRgbImage image = Pattern(61, 7);
    CPngFile(Path()).Save(image);
    EXPECT_EQ(DetectPictureFormat(Path()), PictureFormat::kPng);
    const auto loaded = LoadPicture(Path());
    EXPECT_TRUE(loaded->Equals(image));
    const auto bytes = testing_support::ReadFileBytes(m_dir / "a.png");
    EXPECT_TRUE(CPngFile(Path()).Decode(bytes)->Equals(image));
}

TEST_F(PngFileTest, PicturesWithoutAlphaAreWrittenOpaqueAndPalettesAsTheirColours) {
    CRgbImage plain = Pattern(5, 3);
    plain.SetHasAlpha(false);
    CPngFile(Path()).Save(plain);
    auto loaded = CPngFile(Path()).Load();
    ASSERT_TRUE(loaded->HasAlpha());
    EXPECT_EQ(loaded->GetAlpha(4, 2), 0xFFu);
    EXPECT_EQ(loaded->GetValue(4, 2), plain.GetValue(4, 2));

    CIndexImage indexed;
    indexed.SetPalette(std::vector<uint32_t>{0x123456, 0xABCDEF});
    indexed.Create(2, 1, 8);
    indexed.SetValue(1, 0, 1);
    CPngFile(Path()).Save(indexed);
    loaded = CPngFile(Path()).Load();
    EXPECT_EQ(loaded->Pixels()[0], 0xFF123456u);
    EXPECT_EQ(loaded->Pixels()[1], 0xFFABCDEFu);
}

TEST_F(PngFileTest, SixteenBitSamplesAreRoundedToEight) {
    // 0x12FF is 18.92 in eighths of 257: 19 rounded, where dropping the low byte gives 18.
    testing_support::WriteFileBytes(
        m_dir / "a.png",
        PngOf(2, 1, StoredZlib(std::vector<uint8_t>{0, 0x12, 0xFF, 0x00, 0x80}), 16, 0));
    const auto loaded = CPngFile(Path()).Load();
    EXPECT_EQ(loaded->GetBpp(), 24);
    EXPECT_EQ(loaded->GetValue(0, 0), 19u * 0x010101u);
    EXPECT_EQ(loaded->GetValue(1, 0), 0u);
}

TEST_F(PngFileTest, RowsAreAskedForTopToBottomOneAtATime) {
    std::vector<int32_t> asked;
    CPngFile(Path()).SaveRows(3, 4, [&](int32_t y, std::span<uint32_t> row) {
        asked.push_back(y);
        ASSERT_EQ(row.size(), 3u);
        std::fill(row.begin(), row.end(), 0x80000000u | static_cast<uint32_t>(y));
    });
    EXPECT_EQ(asked, (std::vector<int32_t>{0, 1, 2, 3}));
    const auto loaded = CPngFile(Path()).Load();
    EXPECT_EQ(loaded->GetWord(2, 3), 0x80000003u);
    ExpectError([&] { CPngFile(Path()).SaveRows(16385, 1, {}); }, kErrImage,
                "Size of specified image file (" + PathText() + ") is illegal. (16385 x 1).");
}

// Sizes are checked before a row is allocated: beyond 16384 a side, and beyond what the
// file's compressed bytes could inflate to.
TEST_F(PngFileTest, OversizedAndInflatedPicturesAreRefusedBeforeAllocating) {
    const std::string p = PathText();
    const std::vector<uint8_t> whole = PngOf(1, 1, {});
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        std::string message;
    };
    const Case cases[] = {
        {"wider than 16384", PngOf(16385, 1, {}),
         "Size of specified image file (" + p + ") is illegal. (16385 x 1)."},
        {"a bomb", PngOf(16384, 16384, std::vector<uint8_t>(4000, 0)),
         "The PNG file (" + p + ") is too small to hold a picture of 16384 x 16384 pixels. "},
        {"zero wide", PngOf(0, 1, {}),
         "The PNG file (" + p + ") is damaged and cannot be read (Invalid IHDR data). "},
        {"cut in the header", std::vector<uint8_t>(whole.begin(), whole.begin() + 20),
         "The PNG file (" + p + ") is damaged and cannot be read (the file ends early). "},
        {"no image data", PngOf(1, 1, {}),
         "The PNG file (" + p + ") is damaged and cannot be read (Not enough image data). "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing_support::WriteFileBytes(m_dir / "a.png", c.bytes);
        const std::size_t growth = testing_support::PeakMemoryGrowth(
            [&] { ExpectError([&] { CPngFile(Path()).Load(); }, kErrImage, c.message); });
        EXPECT_LT(growth, testing_support::kBoundedGrowth);
    }
}

}  // namespace
