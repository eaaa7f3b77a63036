#include "writers/SheetAssignment.h"

#include <gtest/gtest.h>

#include "core/FontData.h"
#include "support/TestSupport.h"
#include "writers/OutputEncoding.h"
#include "writers/WriterTestSupport.h"

namespace {

using writer_tests::ExpectError;

// A working font: one empty glyph per code, added in ascending order.
std::unique_ptr<CFontData> FontOf(const std::vector<uint16_t>& codes) {
    auto font = std::make_unique<CFontData>();
    for (const uint16_t code : codes) {
        font->AddGlyph(std::make_unique<CGlyph>(), code);
    }
    return font;
}

std::vector<uint16_t> Codes(uint16_t first, int count) {
    std::vector<uint16_t> codes;
    for (int i = 0; i < count; ++i) {
        codes.push_back(static_cast<uint16_t>(first + i));
    }
    return codes;
}

SheetSet SetOf(int32_t number, const std::vector<uint16_t>& codes) {
    SheetSet set;
    set.number = number;
    for (const uint16_t code : codes) {
        set.codes.emplace_back(code, 0);
    }
    return set;
}

SheetSets SetsOfSizes(const std::vector<int>& sizes) {
    SheetSets sets;
    uint16_t next = 0x100;
    for (std::size_t n = 0; n < sizes.size(); ++n) {
        const auto number = static_cast<int32_t>(n);
        sets[number] = SetOf(number, Codes(next, sizes[n]));
        next = static_cast<uint16_t>(next + sizes[n]);
    }
    return sets;
}

struct Place {
    int32_t firstSheet;
    int32_t startCell;
    int32_t lastSheet;
};

struct PlacementCase {
    const char* what;
    std::vector<int> sizes;
    int32_t perSheet;
    std::vector<Place> places;  // by set number
    int32_t sheetCount;
};

TEST(SheetAssignmentTest, PlacesSetsOnSheets) {
    const PlacementCase cases[] = {
        {"three small sets share a sheet",
         {10, 20, 30},
         64,
         {{0, 0, 0}, {0, 10, 0}, {0, 30, 0}},
         1},
        {"a pair in remainder order", {40, 20}, 64, {{0, 20, 0}, {0, 0, 0}}, 1},
        {"whole sheets come first", {5, 128}, 64, {{2, 0, 2}, {0, 0, 1}}, 3},
        {"sets that fit nowhere get fresh sheets", {50, 60}, 64, {{0, 0, 0}, {1, 0, 1}}, 2},
        // The large set's last sheet is shared; the second large set starts on it.
        {"shared sheet behind a large set", {70, 3, 80}, 64, {{0, 0, 1}, {1, 6, 1}, {1, 9, 2}}, 3},
    };
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.what);
        SheetSets sets = SetsOfSizes(c.sizes);
        EXPECT_EQ(PlaceSheetSets(sets, c.perSheet), c.sheetCount);
        for (std::size_t n = 0; n < c.places.size(); ++n) {
            const SheetSet& set = sets[static_cast<int32_t>(n)];
            EXPECT_EQ(set.firstSheet, c.places[n].firstSheet) << "set " << n;
            EXPECT_EQ(set.startCell, c.places[n].startCell) << "set " << n;
            EXPECT_EQ(set.lastSheet, c.places[n].lastSheet) << "set " << n;
        }
    }
}

TEST(SheetAssignmentTest, OneSetGivesIndicesByCodeRank) {
    auto font = FontOf({0x30, 0x41, 0x42, 0x3042});
    SheetAssignmentInput input;
    input.cellsPerSheet = 2;
    input.sheetBytes = 100;
    const SheetAssignment a = ConstructSheetAssingment(*font, input, COutputEncoding(1));
    ASSERT_EQ(a.sets.size(), 1u);
    ASSERT_EQ(a.groups.size(), 1u);
    EXPECT_EQ(a.groups.begin()->second.sets, std::vector<int32_t>{0});
    EXPECT_EQ(a.sheetCount, 2);
    EXPECT_EQ(a.totalBytes, 200);
    EXPECT_EQ(a.totalCells, 4);
    EXPECT_EQ(a.alternateCode, 0x30);  // none given: the lowest code
    EXPECT_EQ(a.alternateIndex, 0);
    for (std::size_t i = 0; i < font->Glyphs().size(); ++i) {
        EXPECT_EQ(font->Glyphs()[i]->glyphIndex, i);
    }

    input.alternateSetting = 0x42;
    EXPECT_EQ(ConstructSheetAssingment(*font, input, COutputEncoding(1)).alternateIndex, 2);
    font->alternateChar.Set(0x41);  // the font's own alternate, when no setting is given
    input.alternateSetting = 0xFFFF;
    EXPECT_EQ(ConstructSheetAssingment(*font, input, COutputEncoding(1)).alternateIndex, 1);
}

TEST(SheetAssignmentTest, AlternateCharacterProblems) {
    auto font = FontOf({0x41, 0x42});
    SheetAssignmentInput input;
    input.cellsPerSheet = 16;
    input.alternateSetting = 0x00E9;
    ExpectError([&] { ConstructSheetAssingment(*font, input, COutputEncoding(2)); }, kErrInputValue,
                u"Cannot show substitute character ('\u00e9': U+00E9) in the specified encoding. "
                u"Use Unicode or another character. ");
    input.alternateSetting = 0x5A;
    ExpectError([&] { ConstructSheetAssingment(*font, input, COutputEncoding(1)); }, kErrInputValue,
                u"The specified substitute character ('Z' : U+005A) is not included in the font. ");
    ExpectError([&] { ConstructSheetAssingment(*font, input, COutputEncoding(2)); }, kErrInputValue,
                u"The specified substitute character ('Z' : 0x005A) is not included in the font. ");
}

TEST(SheetAssignmentTest, SharedCodesMoveIntoASetOfTheirOwn) {
    auto font = FontOf({'A', 'B', 'C', 'D'});
    SheetAssignmentInput input;
    input.sets[0] = SetOf(0, {'A', 'B', 'C'});
    input.sets[1] = SetOf(1, {'A', 'B', 'D'});
    input.groups["first"] = NamedGroup{0, "first", {0}};
    input.groups["second"] = NamedGroup{1, "second", {1}};
    input.cellsPerSheet = 64;
    const SheetAssignment a = ConstructSheetAssingment(*font, input, COutputEncoding(1));
    ASSERT_EQ(a.sets.size(), 3u);
    const auto codesOf = [&](int32_t n) {
        std::vector<uint16_t> codes;
        for (const auto& [code, index] : a.sets.at(n).codes) {
            codes.push_back(code);
        }
        return codes;
    };
    EXPECT_EQ(codesOf(0), std::vector<uint16_t>{'C'});
    EXPECT_EQ(codesOf(1), std::vector<uint16_t>{'D'});
    EXPECT_EQ(codesOf(2), (std::vector<uint16_t>{'A', 'B'}));
    EXPECT_EQ(a.groups.at("first").sets, (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(a.groups.at("second").sets, (std::vector<int32_t>{1, 2}));
    // All three share sheet 0 in remainder order: C, D, then A and B.
    EXPECT_EQ(a.sheetCount, 1);
    EXPECT_EQ(font->FindGlyph('C')->glyphIndex, 0);
    EXPECT_EQ(font->FindGlyph('D')->glyphIndex, 1);
    EXPECT_EQ(font->FindGlyph('A')->glyphIndex, 2);
    EXPECT_EQ(a.alternateIndex, 2);
}

TEST(SheetAssignmentTest, IndicesBeyondSixteenBitsAreRefused) {
    // Two sets that cannot share: the second starts on sheet 1 at index 40000.
    const std::vector<uint16_t> codes = Codes(1, 60000);
    auto font = FontOf(codes);
    SheetAssignmentInput input;
    input.sets[0] = SetOf(0, std::vector<uint16_t>(codes.begin(), codes.begin() + 30000));
    input.sets[1] = SetOf(1, std::vector<uint16_t>(codes.begin() + 30000, codes.end()));
    input.groups["a"] = NamedGroup{0, "a", {0}};
    input.groups["b"] = NamedGroup{1, "b", {1}};
    input.cellsPerSheet = 40000;
    ExpectError([&] { ConstructSheetAssingment(*font, input, COutputEncoding(1)); }, kErrInputValue,
                u"Glyph index (=65535) exceeds maximum (=65534).");
}

}  // namespace
