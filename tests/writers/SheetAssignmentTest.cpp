// Where sets of glyphs go on the sheets of an archived font; the whole layouts are golden
// conversions (tests/golden/groups-*).
#include "writers/SheetAssignment.h"

#include <gtest/gtest.h>

#include <array>

#include "core/FontData.h"
#include "format/FontEncoding.h"
#include "support/TestSupport.h"

namespace {

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

// Sets of these sizes numbered in order, the cells a sheet holds, and where each set goes: its
// first sheet, its first cell there and its last sheet; the sheets used.
TEST(SheetAssignmentTest, PlacesSetsOnSheets) {
    const struct {
        const char* what;
        std::vector<int> sizes;
        int32_t perSheet;
        std::vector<std::array<int32_t, 3>> places;
        int32_t sheetCount;
    } cases[] = {
        {"three small sets share one", {10, 20, 30}, 64, {{0, 0, 0}, {0, 10, 0}, {0, 30, 0}}, 1},
        {"three fill a sheet exactly", {10, 20, 34}, 64, {{0, 0, 0}, {0, 10, 0}, {0, 30, 0}}, 1},
        {"a pair in remainder order", {40, 20}, 64, {{0, 20, 0}, {0, 0, 0}}, 1},
        {"whole sheets come first", {5, 128}, 64, {{2, 0, 2}, {0, 0, 1}}, 3},
        {"sets that fit nowhere get fresh sheets", {50, 60}, 64, {{0, 0, 0}, {1, 0, 1}}, 2},
        // The large set's last sheet is shared; the second large set starts on it.
        {"shared sheet behind a large set", {70, 3, 80}, 64, {{0, 0, 1}, {1, 6, 1}, {1, 9, 2}}, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SheetSets sets = SetsOfSizes(c.sizes);
        EXPECT_EQ(PlaceSheetSets(sets, c.perSheet), c.sheetCount);
        for (std::size_t n = 0; n < c.places.size(); ++n) {
            const SheetSet& set = sets[static_cast<int32_t>(n)];
            EXPECT_EQ((std::array{set.firstSheet, set.startCell, set.lastSheet}), c.places[n])
                << "set " << n;
        }
    }
}

// No console run can hold this many glyphs.
TEST(SheetAssignmentTest, IndicesBeyondSixteenBitsAreRefused) {
    // Two sets that cannot share: the second starts on sheet 1 at index 40000.
    const std::vector<uint16_t> codes = Codes(1, 60000);
    CFontData font;
    for (const uint16_t code : codes) {
        font.AddGlyph(std::make_unique<CGlyph>(), code);
    }
    SheetAssignmentInput input;
    input.sets[0] = SetOf(0, std::vector<uint16_t>(codes.begin(), codes.begin() + 30000));
    input.sets[1] = SetOf(1, std::vector<uint16_t>(codes.begin() + 30000, codes.end()));
    input.groups["a"] = NamedGroup{0, "a", {0}};
    input.groups["b"] = NamedGroup{1, "b", {1}};
    input.cellsPerSheet = 40000;
    testing_support::ExpectError([&] { ConstructSheetAssingment(font, input, CFontEncoding(1)); },
                                 kErrInputValue, "Glyph index (=65535) exceeds maximum (=65534).");
}

}  // namespace
