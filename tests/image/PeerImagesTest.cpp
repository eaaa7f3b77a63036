// Pictures written by ImageMagick and Pillow load to the pixels Pillow decodes from them (for
// 16-bit PNG files, to those of the 8-bit picture they were made from).
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "base/Text.h"
#include "image/BitMapFile.h"
#include "image/IndexImage.h"
#include "image/PictureFile.h"
#include "image/TgaFile.h"
#include "support/TestSupport.h"

namespace {

using testing_support::TempDir;

struct PeerPicture {
    std::string name;
    int32_t width = 0;
    int32_t height = 0;
    bool alpha = false;
};

class PeerImagesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = std::make_unique<TempDir>();
        const auto script = testing_support::SourceDir() / "tests/image/make_peer_images.py";
        const auto run = testing_support::RunCommand(
            "/usr/bin/python3 " + testing_support::ShellQuote(script.string()) + " " +
            testing_support::ShellQuote(s_dir->Path().string()));
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }
    static void TearDownTestSuite() { s_dir.reset(); }

    static std::unique_ptr<TempDir> s_dir;
};

std::unique_ptr<TempDir> PeerImagesTest::s_dir;

TEST_F(PeerImagesTest, EveryPeerPictureLoadsToThePixelsPillowDecodes) {
    std::vector<PeerPicture> pictures;
    std::ifstream manifest(*s_dir / "manifest.txt");
    for (PeerPicture p; manifest >> p.name >> p.width >> p.height >> p.alpha;) {
        pictures.push_back(p);
    }
    ASSERT_EQ(pictures.size(), 71u);
    for (const PeerPicture& p : pictures) {
        SCOPED_TRACE(p.name);
        const std::u16string path = testing_support::U16(*s_dir / p.name);
        std::unique_ptr<IImage> image;
        if (p.name.ends_with(".bmp")) {
            CBitMapFile file(path);
            EXPECT_TRUE(file.IsBmp());
            EXPECT_FALSE(file.HasFormatError());
            image = file.Load();
        } else if (p.name.ends_with(".png")) {
            EXPECT_EQ(DetectPictureFormat(path), PictureFormat::kPng);
            image = LoadPicture(path);
        } else {
            CTgaFile file(path);
            EXPECT_FALSE(file.HasFormatError());
            image = file.Load();
        }
        ASSERT_EQ(image->GetWidth(), p.width);
        ASSERT_EQ(image->GetHeight(), p.height);
        EXPECT_EQ(image->HasAlpha(), p.alpha);
        const auto rgba = testing_support::ReadFileBytes(*s_dir / (p.name + ".rgba"));
        ASSERT_EQ(rgba.size(), static_cast<std::size_t>(p.width * p.height * 4));
        int mismatches = 0;
        for (int32_t y = 0; y < p.height; ++y) {
            for (int32_t x = 0; x < p.width; ++x) {
                const std::size_t at = static_cast<std::size_t>((y * p.width + x) * 4);
                const uint32_t rgb =
                    (uint32_t{rgba[at]} << 16) | (uint32_t{rgba[at + 1]} << 8) | rgba[at + 2];
                uint32_t alpha = image->GetAlpha(x, y);
                if (const auto* indexed = dynamic_cast<const CIndexImage*>(image.get())) {
                    alpha = indexed->GetPalette()[image->GetValue(x, y)] >> 24;
                }
                if ((image->GetRgb(x, y) & 0xFFFFFFu) != rgb ||
                    (p.alpha && alpha != rgba[at + 3])) {
                    ++mismatches;
                }
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

}  // namespace
