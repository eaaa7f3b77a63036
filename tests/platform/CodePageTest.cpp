#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/GlobalException.h"

namespace {

struct RoundTrip {
    int codePage;
    char16_t unit;
    uint16_t code;
};

// Characters that map exactly, in both directions.
const std::vector<RoundTrip> kRoundTrips = {
    {932, u'\u3042', 0x82A0}, {932, u'\uFF5E', 0x8160}, {932, u'\uFF0D', 0x817C},
    {932, u'\u2225', 0x8161}, {932, u'\uFFE2', 0x81CA}, {932, u'\u005C', 0x5C},
    {932, u'\u007E', 0x7E},   {932, u'\uFF61', 0xA1},   {932, u'\u0000', 0x00},
    {932, u'\uE000', 0xF040}, {1252, u'\u20AC', 0x80},  {1252, u'\u00E9', 0xE9},
    {1252, u'\u0160', 0x8A},  {1252, u'\u2022', 0x95},  {1252, u'\u0178', 0x9F},
    {1252, u'\u00A5', 0xA5},  {949, u'\uAC00', 0xB0A1}, {949, u'\uAC02', 0x8141},
    {949, u'\uD7A3', 0xC652}, {949, u'\u3042', 0xAAA2}, {949, u'\u20AC', 0xA2E6},
};

TEST(CodePageTest, ExactMappingsGoBothWays) {
    for (const auto& row : kRoundTrips) {
        const CCodePage page(row.codePage);
        uint16_t code = 0xFFFF;
        char16_t unit = 0xFFFF;
        ASSERT_TRUE(page.FromUnicode(row.unit, code))
            << row.codePage << " U+" << std::hex << int(row.unit);
        EXPECT_EQ(code, row.code) << row.codePage << " U+" << std::hex << int(row.unit);
        ASSERT_TRUE(page.ToUnicode(row.code, unit)) << row.codePage << " " << std::hex << row.code;
        EXPECT_EQ(unit, row.unit) << row.codePage << " " << std::hex << row.code;
    }
}

TEST(CodePageTest, DecodesOneWayOnlyCodes) {
    const CCodePage page(932);
    const std::vector<std::pair<uint16_t, char16_t>> decodes = {
        {0xF9FC, u'\uE757'}, {0x815F, u'\uFF3C'}, {0xED40, u'\u7E8A'},
        {0xFA5C, u'\u7E8A'}, {0xEEF9, u'\uFFE2'}, {0x8754, u'\u2160'},
    };
    for (const auto& [code, expected] : decodes) {
        char16_t unit = 0;
        ASSERT_TRUE(page.ToUnicode(code, unit)) << std::hex << code;
        EXPECT_EQ(unit, expected) << std::hex << code;
    }
    // Duplicated rows encode back to one chosen code.
    const std::vector<std::pair<char16_t, uint16_t>> encodes = {
        {u'\u7E8A', 0xFA5C}, {u'\u2170', 0xFA40}, {u'\u2160', 0x8754}, {u'\uFFE2', 0x81CA}};
    for (const auto& [unit, expected] : encodes) {
        uint16_t code = 0;
        ASSERT_TRUE(page.FromUnicode(unit, code));
        EXPECT_EQ(code, expected);
    }
}

TEST(CodePageTest, RefusesCharactersWithoutExactMapping) {
    const std::vector<std::pair<int, std::vector<char16_t>>> refused = {
        {932,
         {u'\u00E9', u'\u00A5', u'\u203E', u'\u301C', u'\u2016', u'\u2212', u'\u00A6', u'\u00AC',
          u'\u0080', u'\u00A0', u'\uF8F0', static_cast<char16_t>(0xD800)}},
        {1252, {u'\u3042', u'\u0100', u'\u0080'}},
        {949, {u'\u00E9'}},
    };
    for (const auto& [codePage, units] : refused) {
        const CCodePage page(codePage);
        for (const char16_t unit : units) {
            uint16_t code = 0x1234;
            EXPECT_FALSE(page.FromUnicode(unit, code))
                << codePage << " U+" << std::hex << int(unit);
        }
    }
}

TEST(CodePageTest, RefusesInvalidCodes) {
    const std::vector<std::pair<int, std::vector<uint16_t>>> refused = {
        // Lone lead byte, bad trail bytes, unassigned, invalid single bytes, two singles.
        {932, {0x81, 0x81FF, 0x853F, 0x8240, 0x80, 0xA0, 0xFD, 0xFE, 0xFF, 0x4142}},
        {949, {0x81}},
    };
    for (const auto& [codePage, codes] : refused) {
        const CCodePage page(codePage);
        for (const uint16_t code : codes) {
            char16_t unit = 0;
            EXPECT_FALSE(page.ToUnicode(code, unit)) << codePage << " " << std::hex << code;
        }
    }
}

TEST(CodePageTest, RefusalLeavesNoStateForTheNextCharacter) {
    const CCodePage page(932);
    char16_t unit = 0;
    uint16_t code = 0;
    EXPECT_FALSE(page.ToUnicode(0x81, unit));
    ASSERT_TRUE(page.ToUnicode(0x41, unit));
    EXPECT_EQ(unit, u'A');
    EXPECT_FALSE(page.FromUnicode(static_cast<char16_t>(0xD800), code));
    ASSERT_TRUE(page.FromUnicode(u'B', code));
    EXPECT_EQ(code, 0x42);
}

TEST(CodePageTest, LeadBytes) {
    const CCodePage sjis(932);
    for (const uint8_t lead : {0x81, 0x9F, 0xE0, 0xFC}) {
        EXPECT_TRUE(sjis.IsLeadByte(lead)) << std::hex << int(lead);
    }
    for (const uint8_t other : {0x41, 0x80, 0xA0, 0xA1, 0xFD}) {
        EXPECT_FALSE(sjis.IsLeadByte(other)) << std::hex << int(other);
    }
    const CCodePage korean(949);
    const CCodePage western(1252);
    int koreanLeads = 0;
    int westernLeads = 0;
    for (int b = 0; b < 256; ++b) {
        koreanLeads += korean.IsLeadByte(static_cast<uint8_t>(b)) ? 1 : 0;
        westernLeads += western.IsLeadByte(static_cast<uint8_t>(b)) ? 1 : 0;
    }
    EXPECT_EQ(koreanLeads, 126);
    EXPECT_EQ(westernLeads, 0);
}

TEST(CodePageTest, EncodingNumbersAndUnknownPages) {
    EXPECT_EQ(CodePageOfEncoding(0), 0);
    EXPECT_EQ(CodePageOfEncoding(1), 0);
    EXPECT_EQ(CodePageOfEncoding(2), 932);
    EXPECT_EQ(CodePageOfEncoding(3), 1252);
    EXPECT_EQ(CodePageOfEncoding(4), 949);
    EXPECT_EQ(CodePageOfEncoding(5), 0);
    EXPECT_EQ(CodePageOfEncoding(-1), 0);
    EXPECT_THROW(CCodePage(437), CGeneralException);
}

}  // namespace
