#include "image/TgaFile.h"

#include <gtest/gtest.h>

#include "core/Endian.h"
#include "image/IndexImage.h"
#include "image/RgbImage.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

namespace {

using testing_support::ExpectError;
using testing_support::TempDir;

std::vector<uint8_t> MakeHeader(uint8_t type, uint16_t width, uint16_t height, uint8_t depth,
                                uint8_t descriptor, uint16_t mapLength = 0, uint8_t entrySize = 0) {
    std::vector<uint8_t> h = {0, mapLength > 0 ? uint8_t{1} : uint8_t{0}, type};
    endian::AppendU16LE(h, 0);
    endian::AppendU16LE(h, mapLength);
    h.push_back(entrySize);
    endian::AppendU32LE(h, 0);
    endian::AppendU16LE(h, width);
    endian::AppendU16LE(h, height);
    h.push_back(depth);
    h.push_back(descriptor);
    return h;
}

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class TgaFileTest : public ::testing::Test {
protected:
    std::u16string Write(const std::vector<uint8_t>& bytes) {
        testing_support::WriteFileBytes(m_dir / "a.tga", bytes);
        return Path();
    }
    std::u16string Path() const { return Utf8ToUtf16((m_dir / "a.tga").string()); }
    std::string PathText() const { return (m_dir / "a.tga").string(); }

    TempDir m_dir;
};

TEST(TgaRunsTest, PacketsFollowRunsAndRowEnds) {
    struct Case {
        std::vector<uint8_t> row;
        std::vector<uint8_t> packets;
    };
    const Case cases[] = {
        {{1, 2}, {0x01, 1, 2}},
        {{7, 7, 7}, {0x82, 7}},
        {{1, 7, 7, 2}, {0x00, 1, 0x81, 7, 0x00, 2}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CTgaFile::EncodeRuns(c.row, static_cast<int32_t>(c.row.size()), 1, 1), c.packets);
    }
    const std::vector<uint8_t> long_row(130, 9);
    EXPECT_EQ(CTgaFile::EncodeRuns(long_row, 130, 1, 1), (std::vector<uint8_t>{0xFF, 9, 0x81, 9}));
    // Two rows of two equal pixels each: packets stop at the row end.
    EXPECT_EQ(CTgaFile::EncodeRuns(std::vector<uint8_t>{5, 5, 5, 5}, 2, 2, 1),
              (std::vector<uint8_t>{0x81, 5, 0x81, 5}));
    // Three-byte pixels compare whole.
    EXPECT_EQ(CTgaFile::EncodeRuns(std::vector<uint8_t>{1, 2, 3, 1, 2, 4}, 2, 1, 3),
              (std::vector<uint8_t>{0x01, 1, 2, 3, 1, 2, 4}));
}

TEST_F(TgaFileTest, SavedFilesHaveTheFooterAndLoadBack) {
    CRgbImage image;
    image.Create(130, 3, 32);
    image.SetHasAlpha(true);
    image.Fill(0x123456, 0x80);
    image.SetValue(5, 1, 0xFF000000u);
    image.SetValue(129, 2, 0x00ABCDEFu);
    CTgaFile(Path()).Save(image);
    const auto bytes = testing_support::ReadFileBytes(m_dir / "a.tga");
    EXPECT_EQ(bytes[0], 16);
    EXPECT_EQ(bytes[2], 10);
    EXPECT_EQ(bytes[16], 32);
    EXPECT_EQ(bytes[17], 8);
    EXPECT_EQ(std::string(bytes.begin() + 18, bytes.begin() + 34), "typeloom output.");
    CTgaFile file(Path());
    EXPECT_TRUE(file.HasFooter());
    EXPECT_FALSE(file.HasFormatError());
    EXPECT_TRUE(file.Load()->Equals(image));

    CIndexImage palette;
    palette.Create(4, 2, 8);
    palette.SetPalette(std::vector<uint32_t>{0xFF000000u, 0x80FFFFFFu});
    palette.SetValue(3, 1, 1);
    CTgaFile(Path()).Save(palette);
    const auto loaded = CTgaFile(Path()).Load();
    ASSERT_TRUE(loaded->IsIndexed());
    EXPECT_EQ(loaded->GetValue(3, 1), 1u);
    EXPECT_EQ(loaded->GetRgb(3, 1), 0x80FFFFFFu);
    EXPECT_EQ(testing_support::ReadFileBytes(m_dir / "a.tga")[2], 9);
}

TEST_F(TgaFileTest, AllFourRowOrdersLoadTheSamePicture) {
    // Rows as shown: (1 2) over (3 4), 8-bit indices into a grey palette of 24-bit entries.
    const std::vector<uint8_t> map = {0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4};
    struct Case {
        uint8_t descriptor;
        std::vector<uint8_t> stored;
    };
    const Case cases[] = {
        {0x20, {1, 2, 3, 4}},
        {0x00, {3, 4, 1, 2}},
        {0x30, {2, 1, 4, 3}},
        {0x10, {4, 3, 2, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int{c.descriptor});
        CTgaFile file(
            Write(Concat(Concat(MakeHeader(1, 2, 2, 8, c.descriptor, 5, 24), map), c.stored)));
        const auto image = file.Load();
        EXPECT_EQ(image->GetValue(0, 0), 1u);
        EXPECT_EQ(image->GetValue(1, 0), 2u);
        EXPECT_EQ(image->GetValue(0, 1), 3u);
        EXPECT_EQ(image->GetRgb(1, 1), 0xFF040404u);
        EXPECT_FALSE(image->HasAlpha());
    }
}

TEST_F(TgaFileTest, AcceptanceMessages) {
    const std::string size = "Size of specified image file (" + PathText() + ") is illegal. ";
    struct Case {
        std::vector<uint8_t> header;
        std::string message;
    };
    const Case cases[] = {
        {MakeHeader(3, 1, 1, 8, 0), "Unsupported TGA image type(image type=3)。"},
        {MakeHeader(1, 1, 1, 8, 0), "The file require palettes, but include no palettes."},
        {[] {
             auto h = MakeHeader(9, 1, 1, 8, 0, 1, 24);
             h[5] = h[6] = 0;
             return h;
         }(),
         "The file has a palette, but has no colors."},
        {[] {
             auto h = MakeHeader(1, 1, 1, 8, 0, 1, 24);
             h[3] = 1;
             return h;
         }(),
         "The file has a palette, but has not enough colors."},
        {MakeHeader(2, 0, 5, 24, 0), size + "(0 x 5)."},
        {MakeHeader(1, 1, 1, 8, 0, 2, 16), "Unsupported palette format(color map entry size=16)。"},
        {MakeHeader(1, 1, 1, 24, 0, 2, 24), "Unsupported bpp(image type=1, pixel depth=24)."},
        {MakeHeader(10, 1, 1, 16, 0), "Unsupported bpp(image type=10, pixel depth=16)."},
        {MakeHeader(2, 1, 1, 24, 0x40), "Unsupported TGA option(image descriptor=40)."},
        {MakeHeader(2, 1, 1, 32, 0x04), "Unsupported alpha depth(image descriptor=04)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        CTgaFile file(Write(Concat(c.header, std::vector<uint8_t>(16, 0))));
        ExpectError([&] { file.Load(); }, kErrTga, c.message);
    }
}

TEST_F(TgaFileTest, BrokenPixelDataFailsAsABrokenFile) {
    const std::string p = PathText();
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        std::string dims;
    };
    const Case cases[] = {
        {"header cut", {0, 0, 2, 0, 0}, "(0 x 0)."},
        {"plain data short", Concat(MakeHeader(2, 2, 1, 24, 0), {1, 2, 3}), "(2 x 1)."},
        {"runs end early", Concat(MakeHeader(10, 3, 1, 24, 0), {0x81, 1, 2, 3}), "(3 x 1)."},
        {"run overruns the picture", Concat(MakeHeader(10, 3, 1, 24, 0), {0x83, 1, 2, 3}),
         "(3 x 1)."},
        {"literal overruns the picture",
         Concat(MakeHeader(10, 1, 1, 24, 0), {0x01, 1, 2, 3, 4, 5, 6}), "(1 x 1)."},
        {"palette cut", Concat(MakeHeader(1, 1, 1, 8, 0, 4, 32), {1, 2, 3}), "(1 x 1)."},
        {"huge in a small file", Concat(MakeHeader(10, 65535, 65535, 32, 0), {0xFF, 0, 0, 0, 0}),
         "(65535 x 65535)."},
        {"huge plain", Concat(MakeHeader(2, 65535, 65535, 32, 0), {0, 0, 0, 0}),
         "(65535 x 65535)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CTgaFile file(Write(c.bytes));
        const std::size_t growth = testing_support::PeakMemoryGrowth([&] {
            ExpectError([&] { file.Load(); }, kErrTga,
                        "Size of specified image file (" + p + ") is illegal. " + c.dims);
        });
        EXPECT_LT(growth, testing_support::kBoundedGrowth);
    }
}

TEST_F(TgaFileTest, EveryTruncationFailsCleanlyOrLosesOnlyTheFooter) {
    CIndexImage image;
    image.Create(9, 4, 8);
    image.MakeGrayPalette(2);
    for (int32_t i = 0; i < 36; ++i) {
        image.SetValue(i % 9, i / 9, static_cast<uint32_t>((i / 3) % 4));
    }
    CTgaFile(Path()).Save(image);
    const auto whole = testing_support::ReadFileBytes(m_dir / "a.tga");
    const std::string p = PathText();
    for (std::size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(length);
        CTgaFile file(
            Write(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(length))));
        EXPECT_FALSE(file.HasFooter());
        if (length >= whole.size() - CTgaFile::kFooterSize) {
            EXPECT_EQ(file.Load()->GetValue(8, 3), image.GetValue(8, 3));
            continue;
        }
        ExpectError([&] { file.Load(); }, kErrTga,
                    "Size of specified image file (" + p + ") is illegal. " +
                        (length < 18 ? "(0 x 0)." : "(9 x 4)."));
    }
}

TEST_F(TgaFileTest, SidesAbove65535CannotBeSaved) {
    CRgbImage image;
    image.Create(65536, 1, 24);
    ExpectError([&] { CTgaFile(Path()).Save(image); }, kErrInputValue,
                "Over maximum limit of TGA (65535 x 65335).");
    EXPECT_FALSE(std::filesystem::exists(m_dir / "a.tga"));
    image.Create(65535, 1, 24);
    CTgaFile(Path()).Save(image);
    EXPECT_EQ(CTgaFile(Path()).Load()->GetWidth(), 65535);
}

}  // namespace
