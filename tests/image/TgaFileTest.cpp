#include "image/TgaFile.h"

#include <gtest/gtest.h>

#include "base/Endian.h"
#include "base/Text.h"
#include "image/IndexImage.h"
#include "image/RgbImage.h"
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

// Pictures in every layout our writers use and their own run-length packets are golden
// conversions; the loaders meet pictures of other programs in PeerImagesTest and cut or changed
// files in tests/readers/HostileInputTest. Here: pixel data that a picture's header disowns.
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
