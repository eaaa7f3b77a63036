#include "writers/SheetInfo.h"

#include <gtest/gtest.h>

#include "writers/WriterTestSupport.h"
#include "writers/format/TextureFormat.h"

namespace {

TEST(SheetInfoTest, AutomaticSizeAndLayoutFor200CellsOf15x15) {
    EXPECT_EQ(CalcTextureSize(15, 15, 200, 0), (SheetSize{128, 256}));
    const SheetInfo info = MakeSheetInfo(kTexIA4, SheetSize{128, 256}, 15, 15, 200);
    EXPECT_EQ(info.cellsPerRow, 8);
    EXPECT_EQ(info.rowsPerSheet, 16);
    EXPECT_EQ(info.cellsPerSheet, 128);
    EXPECT_EQ(info.sheetCount, 2);
    EXPECT_EQ(info.bitsPerPixel, 8);
    EXPECT_EQ(info.sheetBytes, 128 * 256);
    EXPECT_EQ(info.totalBytes, 2 * 128 * 256);
}

TEST(SheetInfoTest, WantedPixelsLimitTheShapes) {
    // With 16384 pixels only 32x512, 64x256, 128x128, 256x64 and 512x32 are possible; a free
    // choice would take another shape for these cells.
    struct Case {
        int32_t cw, ch, n;
        SheetSize expected;
    };
    const Case cases[] = {
        {15, 15, 200, {64, 256}},  // ties with 256x64: the smaller width wins
        {40, 20, 10, {512, 32}},
        {100, 10, 20, {512, 32}},
        {10, 100, 20, {32, 512}},
    };
    for (const Case& c : cases) {
        const SheetSize size = CalcTextureSize(c.cw, c.ch, c.n, 16 * 1024);
        EXPECT_EQ(size, c.expected) << c.cw << "x" << c.ch << " n " << c.n;
        EXPECT_EQ(size.width * size.height, 16384);
    }
    EXPECT_NE(CalcTextureSize(15, 15, 200, 0), CalcTextureSize(15, 15, 200, 16384));
}

TEST(SheetInfoTest, NoFittingSizeIsRefused) {
    writer_tests::ExpectError([] { CalcTextureSize(15, 15, 200, 3 * 1024); }, kErrInternal,
                              u"invalid sheet size(3072 pixels).");
    writer_tests::ExpectError([] { CalcTextureSize(1023, 10, 1, 0); }, kErrInternal,
                              u"invalid sheet size(0 pixels).");
    writer_tests::ExpectError(
        [] {
            MakeSheetInfo(kTexI4, SheetSize{32, 32}, 40, 10, 5);
        },
        kErrInputValue, u"Illegal sheet size(32x32x).");
}

}  // namespace
