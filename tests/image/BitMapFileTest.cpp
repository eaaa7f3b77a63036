#include "image/BitMapFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "base/Text.h"
#include "image/IndexImage.h"
#include "image/RgbImage.h"
#include "image/TgaFile.h"
#include "support/TestSupport.h"

namespace {

// Every kind of picture either file format saves loads back equal, palette and alpha included.
// The pictures of image fonts are golden conversions; indexed ones no conversion writes.
TEST(PictureFilesTest, SavedPicturesLoadBackEqual) {
    CRgbImage rgba;
    rgba.Create(130, 3, 32);
    rgba.SetHasAlpha(true);
    rgba.Fill(0x123456, 0x80);
    rgba.SetValue(5, 1, 0xFF000000u);
    rgba.SetValue(129, 2, 0x00ABCDEFu);
    CRgbImage rgb;
    rgb.Create(5, 3, 24);
    rgb.Fill(0x102030, 0);
    rgb.SetValue(4, 2, 0xFFEEDD);
    // More than the megabyte of rows a BMP is read by at a time.
    CRgbImage large;
    large.Create(600, 600, 32);
    for (int32_t y = 0; y < 600; ++y) {
        for (int32_t x = 0; x < 600; ++x) {
            large.SetValue(x, y, static_cast<uint32_t>(x * 2654435761u ^ y * 40503u));
        }
    }
    CIndexImage indexed;
    indexed.Create(4, 2, 8);
    indexed.SetPalette(std::vector<uint32_t>{0xFF000000u, 0x80FFFFFFu, 0x00FF00});
    indexed.SetValue(3, 1, 1);
    indexed.SetValue(0, 1, 2);
    const testing_support::TempDir dir;
    for (const bool bmp : {true, false}) {
        const std::u16string path = Utf8ToUtf16((dir / (bmp ? "a.bmp" : "a.tga")).string());
        for (const IImage* image :
             std::initializer_list<const IImage*>{&rgba, &rgb, &large, &indexed}) {
            SCOPED_TRACE(testing::Message() << (bmp ? "BMP " : "TGA ") << image->GetBpp());
            std::unique_ptr<IImage> loaded;
            if (bmp) {
                CBitMapFile(path).Save(*image);
                loaded = CBitMapFile(path).Load();
            } else {
                CTgaFile(path).Save(*image);
                loaded = CTgaFile(path).Load();
            }
            EXPECT_EQ(loaded->IsIndexed(), image->IsIndexed());
            for (int32_t y = 0; y < image->GetHeight(); ++y) {
                for (int32_t x = 0; x < image->GetWidth(); ++x) {
                    // A BMP keeps no alpha but in 32 bits.
                    const uint32_t mask = bmp && image->GetBpp() != 32 ? 0xFFFFFF : 0xFFFFFFFF;
                    ASSERT_EQ(loaded->GetRgb(x, y) & mask, image->GetRgb(x, y) & mask)
                        << x << "," << y;
                }
            }
        }
    }
}

}  // namespace
