// Layouts, colours and messages of image font output are golden conversions and console runs;
// here is what neither can see: how much a refused picture costs.
#include "writers/ImageFontWriter.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/FontData.h"
#include "format/TextureFormat.h"
#include "image/BitMapFile.h"
#include "support/TestSupport.h"
#include "xml/GlyphOrder.h"
#include "xml/XmlLibrary.h"

namespace {

// Pictures beyond 16384 pixels a side are refused before anything is made for them.
TEST(ImageFontWriterTest, OversizedPicturesAreRefusedBeforeTheyAreMade) {
    const CXmlLibrary xml;
    const testing_support::TempDir dir;
    const testing_support::ScopedPgCtrl quiet;
    CImageFontWriter::Settings s;
    s.outputPath = testing_support::U16(dir / "out.bmp");
    s.orderPath = testing_support::WriteFile(
        dir / "order.xlor",
        "<letter-order version=\"1.1\"><body><area width=\"2\" height=\"1\"/>"
        "<order>A <null/></order></body></letter-order>");
    CGlyphOrder order;
    order.Load(s.orderPath);
    CFontData font;
    auto glyph = std::make_unique<CGlyph>();
    glyph->image.Create(1, 1, 32);
    glyph->ascent = 1;
    font.AddGlyph(std::move(glyph), u'A');
    font.glyphImageFormat.Set(kTexI4);
    font.ReflectGlyph();
    const std::tuple<int32_t, int32_t, std::string> sizes[] = {
        {8190, -1, "16388 x 7"}, {-1, 16379, "10 x 16385"}, {8188, -1, ""}};
    for (const auto& [cellWidth, cellHeight, refused] : sizes) {
        SCOPED_TRACE(refused);
        s.cellWidth = cellWidth;
        s.cellHeight = cellHeight;
        const auto write = [&] { CImageFontWriter(s).WriteFontData(font, order); };
        if (refused.empty()) {
            write();
            continue;
        }
        const std::size_t growth = testing_support::PeakMemoryGrowth([&] {
            testing_support::ExpectError(
                write, kErrInputValue,
                "The image font picture (" + refused +
                    " pixels) exceeds the largest that can be written (16384 x 16384).");
        });
        EXPECT_LT(growth, testing_support::kBoundedGrowth);
        EXPECT_FALSE(std::filesystem::exists(dir / "out.bmp"));
    }
    EXPECT_EQ(CBitMapFile(s.outputPath).Load()->GetWidth(), 16384);
}

}  // namespace
