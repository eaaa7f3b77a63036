#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "base/GlobalException.h"

namespace {

// '=': an exact mapping, both ways. '<': a code that only decodes to the character (duplicated
// rows), '>': a character that encodes to the one code chosen among them. 'u': a character
// without exact mapping, 'c': an invalid code (lone lead byte, bad trail byte, unassigned,
// invalid single byte, two single bytes); both refused.
struct Mapping {
    int page;
    char kind;
    char16_t unit;
    uint16_t code;
};

const Mapping kMappings[] = {
    {932, '=', u'\u3042', 0x82A0}, {932, '=', u'\uFF5E', 0x8160}, {932, '=', u'\uFF0D', 0x817C},
    {932, '=', u'\u2225', 0x8161}, {932, '=', u'\uFFE2', 0x81CA}, {932, '=', u'\u005C', 0x5C},
    {932, '=', u'\u007E', 0x7E},   {932, '=', u'\uFF61', 0xA1},   {932, '=', u'\u0000', 0x00},
    {932, '=', u'\uE000', 0xF040}, {932, '<', u'\uE757', 0xF9FC}, {932, '<', u'\uFF3C', 0x815F},
    {932, '<', u'\u7E8A', 0xED40}, {932, '<', u'\u7E8A', 0xFA5C}, {932, '<', u'\uFFE2', 0xEEF9},
    {932, '<', u'\u2160', 0x8754}, {932, '>', u'\u7E8A', 0xFA5C}, {932, '>', u'\u2170', 0xFA40},
    {932, '>', u'\u2160', 0x8754}, {932, '>', u'\uFFE2', 0x81CA}, {932, 'u', u'\u00E9', 0},
    {932, 'u', u'\u00A5', 0},      {932, 'u', u'\u203E', 0},      {932, 'u', u'\u301C', 0},
    {932, 'u', u'\u2016', 0},      {932, 'u', u'\u2212', 0},      {932, 'u', u'\u00A6', 0},
    {932, 'u', u'\u00AC', 0},      {932, 'u', u'\u0080', 0},      {932, 'u', u'\u00A0', 0},
    {932, 'u', u'\uF8F0', 0},      {932, 'u', u'\xD800', 0},      {932, '=', u'B', 0x42},
    {932, 'c', 0, 0x81},           {932, '=', u'A', 0x41},        {932, 'c', 0, 0x81FF},
    {932, 'c', 0, 0x853F},         {932, 'c', 0, 0x8240},         {932, 'c', 0, 0x80},
    {932, 'c', 0, 0xA0},           {932, 'c', 0, 0xFD},           {932, 'c', 0, 0xFE},
    {932, 'c', 0, 0xFF},           {932, 'c', 0, 0x4142},         {1252, '=', u'\u20AC', 0x80},
    {1252, '=', u'\u00E9', 0xE9},  {1252, '=', u'\u0160', 0x8A},  {1252, '=', u'\u2022', 0x95},
    {1252, '=', u'\u0178', 0x9F},  {1252, '=', u'\u00A5', 0xA5},  {1252, 'u', u'\u3042', 0},
    {1252, 'u', u'\u0100', 0},     {1252, 'u', u'\u0080', 0},     {949, '=', u'\uAC00', 0xB0A1},
    {949, '=', u'\uAC02', 0x8141}, {949, '=', u'\uD7A3', 0xC652}, {949, '=', u'\u3042', 0xAAA2},
    {949, '=', u'\u20AC', 0xA2E6}, {949, 'u', u'\u00E9', 0},      {949, 'c', 0, 0x81},
};

// One converter a page for all rows: a refusal leaves no state for the next character.
TEST(CodePageTest, OnlyExactMappingsConvert) {
    std::map<int, CCodePage> pages;
    for (const Mapping& m : kMappings) {
        SCOPED_TRACE(testing::Message() << m.page << " " << m.kind << " U+" << std::hex
                                        << int(m.unit) << " " << m.code);
        const CCodePage& page = pages.try_emplace(m.page, m.page).first->second;
        uint16_t code = 0x1234;
        char16_t unit = 0xFFFF;
        if (m.kind == '=' || m.kind == '>' || m.kind == 'u') {
            ASSERT_EQ(page.FromUnicode(m.unit, code), m.kind != 'u');
            EXPECT_TRUE(m.kind == 'u' || code == m.code) << std::hex << code;
        }
        if (m.kind == '=' || m.kind == '<' || m.kind == 'c') {
            ASSERT_EQ(page.ToUnicode(m.code, unit), m.kind != 'c');
            EXPECT_TRUE(m.kind == 'c' || unit == m.unit) << std::hex << int(unit);
        }
    }
}

TEST(CodePageTest, LeadBytesAndEncodingNumbers) {
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
    for (const auto& [encoding, codePage] :
         {std::pair{0, 0}, {1, 0}, {2, 932}, {3, 1252}, {4, 949}, {5, 0}, {-1, 0}}) {
        EXPECT_EQ(CodePageOfEncoding(encoding), codePage) << encoding;
    }
    EXPECT_THROW(CCodePage(437), CGeneralException);
}

}  // namespace
