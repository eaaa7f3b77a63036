#include <gtest/gtest.h>

#include <vector>

#include "core/Glyph.h"
#include "support/TestSupport.h"
#include "readers/RasterLetterer.h"
#include "readers/VectorLetterer.h"

namespace {

using testing_support::ExpectError;

// Indices and alphas of a converted cell, row by row.
std::vector<uint32_t> Indices(const CIndexImage& cell) {
    std::vector<uint32_t> out;
    for (const uint32_t word : cell.Pixels()) {
        out.push_back(word & 0xFFFFFF);
    }
    return out;
}
std::vector<uint32_t> Alphas(const CIndexImage& cell) {
    std::vector<uint32_t> out;
    for (const uint32_t word : cell.Pixels()) {
        out.push_back(word >> 24);
    }
    return out;
}

struct LevelCase {
    GlyphFormat format;
    int32_t depth;
    std::vector<uint8_t> levels;
    std::vector<uint32_t> indices;
    std::vector<uint32_t> alphas;
    std::size_t paletteSize;
};

TEST(VectorLettererTest, LevelsBecomeIndicesOfTheDepthsGrayRampWithAlpha) {
    const LevelCase cases[] = {
        // 17 levels at depth 4: full ink is 15, half ink 7 with alpha 7 x 255 / 15.
        {GlyphFormat::kGray17, 4, {16, 8, 0, 1}, {15, 7, 0, 0}, {255, 119, 0, 0}, 16},
        // Depth 6 is rendered with 65 levels into 8-bit levels.
        {GlyphFormat::kGray65, 8, {64, 32, 1, 0}, {255, 127, 3, 0}, {255, 127, 3, 0}, 256},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        GlyphBox box;
        box.width = 2;
        box.height = 2;
        CIndexImage cell;
        CVectorLetterer::ConvertLevels(c.levels, c.format, c.depth, box, cell);
        EXPECT_EQ(Indices(cell), c.indices);
        EXPECT_EQ(Alphas(cell), c.alphas);
        ASSERT_EQ(cell.GetPalette().size(), c.paletteSize);
        EXPECT_EQ(cell.GetPalette().front(), 0xFFFFFFu);
        EXPECT_EQ(cell.GetPalette().back(), 0x000000u);
    }
}

struct ReductionCase {
    const char* name;
    GlyphBox before;
    std::vector<uint8_t> levels;
    GlyphBox after;
    std::vector<uint8_t> reduced;
};

TEST(VectorLettererTest, SoftAntialiasReductionMeetsTheBaseline) {
    const ReductionCase cases[] = {
        // Odd top: an empty row is assumed above, so the first block holds only row 0.
        {"odd top, one column", {1, 3, 0, 5, 3, 15, 0}, {16, 16, 16}, {1, 2, 0, 3, 2}, {4, 8}},
        {"even top", {1, 3, 0, 5, 2, 15, 0}, {16, 16, 16}, {1, 2, 0, 3, 1}, {8, 4}},
        // Odd top and odd rows below it: one more row joins the block.
        {"odd top, odd depth", {2, 2, -3, 4, 1, 15, 0}, {4, 8, 12, 16}, {1, 2, -1, 2, 1}, {3, 7}},
        // A 1-pixel-wide glyph in a padded row stays 1 pixel wide; the rest is empty.
        {"padded column",
         {4, 2, 0, 1, 2, 15, 0},
         {16, 0, 0, 0, 16, 0, 0, 0},
         {2, 1, 0, 1, 1},
         {8, 0}},
        {"nothing left", {0, 0, 1, 3, 0, 15, 0}, {}, {0, 0, 0, 2, 0}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GlyphBox box = c.before;
        std::vector<uint8_t> levels = c.levels;
        CVectorLetterer::ReduceSoftAntialias(levels, box);
        EXPECT_EQ(box.width, c.after.width);
        EXPECT_EQ(box.height, c.after.height);
        EXPECT_EQ(box.left, c.after.left);
        EXPECT_EQ(box.advance, c.after.advance);
        EXPECT_EQ(box.top, c.after.top);
        levels.resize(c.reduced.size());
        EXPECT_EQ(levels, c.reduced);
    }
}

// A cell of the given indices, each pixel's alpha from its level at depth 4.
CIndexImage Cell(int32_t width, int32_t height, const std::vector<uint8_t>& levels) {
    GlyphBox box;
    box.width = width;
    box.height = height;
    CIndexImage cell;
    CVectorLetterer::ConvertLevels(levels, GlyphFormat::kGray17, 4, box, cell);
    return cell;
}

struct WidthCase {
    int32_t widthType;
    int32_t spaceLeft, spaceRight;
    int32_t wideLeft, wideRight;
};

TEST(LettererTest, WidthTypesChooseTheSpaces) {
    // The wide glyph: ink 3 columns from cell column 1, the pen 1 column right of the cell,
    // advance 2, fixed width 1 (so type 3 has ink wider than the fixed width).
    const CIndexImage wide = Cell(4, 2, {0, 16, 16, 16, 0, 0, 8, 0});
    GlyphBox wideBox{4, 2, -1, 2, 1, 15, 0};
    const CIndexImage space = Cell(0, 0, {});
    GlyphBox spaceBox{0, 0, 0, 5, 0, 15, 0};
    const WidthCase cases[] = {
        {0, 0, 0, 0, 0},
        {1, 5, 0, 0, 0},
        {2, 5, 0, 0, -1},
        {3, 1, 0, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.widthType);
        CVectorLetterer letterer;
        letterer.SetOption(4, c.widthType, 1);
        CGlyph glyph;
        letterer.SetGlyph(glyph, space, spaceBox);
        EXPECT_EQ(glyph.leftSpace, c.spaceLeft);
        EXPECT_EQ(glyph.rightSpace, c.spaceRight);
        EXPECT_EQ(glyph.image.GetWidth(), 0);
        CGlyph inked;
        letterer.SetGlyph(inked, wide, wideBox);
        EXPECT_EQ(inked.leftSpace, c.wideLeft);
        EXPECT_EQ(inked.rightSpace, c.wideRight);
        EXPECT_EQ(inked.ascent, 1);
        ASSERT_EQ(inked.image.GetWidth(), 3);
        ASSERT_EQ(inked.image.GetHeight(), 2);
        EXPECT_EQ(inked.image.GetWord(0, 0), 0xFF000000u);
        EXPECT_EQ(inked.image.GetWord(0, 1), 0x00FFFFFFu);
        EXPECT_EQ(inked.image.GetWord(1, 1), 0x77888888u);
    }
}

TEST(LettererTest, FixedWidthCentresTheInkTruncatingTowardZero) {
    CVectorLetterer letterer;
    letterer.SetOption(4, CLetterer::kWidthFixed, 6);
    CGlyph glyph;
    letterer.SetGlyph(glyph, Cell(4, 1, {16, 16, 16, 0}), GlyphBox{4, 1, 0, 4, 1, 15, 0});
    EXPECT_EQ(glyph.leftSpace, 1);
    EXPECT_EQ(glyph.rightSpace, 2);
}

TEST(LettererTest, SetOptionNormalisesTheDepthAndRefusesBadOptions) {
    const std::pair<int32_t, int32_t> depths[] = {{1, 1}, {2, 4}, {3, 4}, {4, 4},
                                                  {5, 8}, {6, 8}, {7, 8}, {8, 8}};
    for (const auto& [given, used] : depths) {
        CRasterLetterer letterer;
        letterer.SetOption(given, 0, 0);
        EXPECT_EQ(letterer.GetBitDepth(), used) << given;
    }
    CVectorLetterer letterer;
    ExpectError([&] { letterer.SetOption(0, 0, 0); }, kErrInternal,
                "Color bit depth (=0) exceeds valid range. ");
    ExpectError([&] { letterer.SetOption(9, 0, 0); }, kErrInternal,
                "Color bit depth (=9) exceeds valid range. ");
    ExpectError([&] { letterer.SetOption(4, 4, 0); }, kErrInternal,
                "Invalid character width type (4).");
    ExpectError([&] { letterer.SetOption(4, -1, 0); }, kErrInternal,
                "Invalid character width type (-1).");
}

constexpr uint8_t I = CRasterLetterer::kInkIndex;
constexpr uint8_t P = CRasterLetterer::kPaperIndex;
constexpr uint8_t F = CRasterLetterer::kFrameIndex;

TEST(RasterLettererTest, ScanReadsTheOpaqueBox) {
    // side 5, stride 8: a box 3 wide and 2 high.
    const std::vector<uint8_t> cell = {
        P, I, P, F, F, 9, 9, 9,  //
        I, I, I, F, F, 9, 9, 9,  //
        F, I, F, F, F, 9, 9, 9,  //
        P, P, P, P, P, 9, 9, 9,  //
        F, F, F, F, F, 9, 9, 9,
    };
    std::vector<uint8_t> levels(40, 7);
    const auto box = CRasterLetterer::ScanCell(cell, 5, 8, levels);
    EXPECT_EQ(box.width, 3);
    EXPECT_EQ(box.height, 2);
    EXPECT_EQ(std::vector<uint8_t>(levels.begin(), levels.begin() + 3),
              (std::vector<uint8_t>{0, 1, 0}));
    EXPECT_EQ(std::vector<uint8_t>(levels.begin() + 8, levels.begin() + 11),
              (std::vector<uint8_t>{1, 1, 1}));
}

TEST(RasterLettererTest, ScanOfAFullOrEmptyCell) {
    const std::vector<uint8_t> full(4 * 4, P);
    std::vector<uint8_t> levels(16);
    auto box = CRasterLetterer::ScanCell(full, 4, 4, levels);
    EXPECT_EQ(box.width, 4);
    EXPECT_EQ(box.height, 4);
    const std::vector<uint8_t> empty(4 * 4, F);
    box = CRasterLetterer::ScanCell(empty, 4, 4, levels);
    EXPECT_EQ(box.width, 0);
    EXPECT_EQ(box.height, 0);
    box = CRasterLetterer::ScanCell(std::span(full).first(8), 4, 4, levels);
    EXPECT_EQ(box.width, 0);
}

}  // namespace
