#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "platform/CodePage.h"
#include "xml/CharFilter.h"
#include "xml/GlyphGroups.h"
#include "xml/GlyphOrder.h"
#include "xml/VsxXmlFile.h"
#include "xml/XmlFixture.h"

namespace {

using testing_support::BinaryDir;
using testing_support::SourceDir;

std::vector<std::u16string> FilesOf(const std::filesystem::path& folder, const std::string& ext) {
    std::vector<std::u16string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ext) {
            files.push_back(Utf8ToUtf16(entry.path().string()));
        }
    }
    return files;
}

bool IsControl(char16_t ch) {
    return ch < 0x20 || (ch >= 0x7F && ch <= 0x9F);
}

class ShippedDataTest : public ::testing::Test {
protected:
    std::unique_ptr<CGlyphOrder> LoadOrder(const std::string& name) {
        auto order = std::make_unique<CGlyphOrder>();
        order->Load(Utf8ToUtf16((BinaryDir() / "xlor" / name).string()));
        return order;
    }

    CXmlLibrary library;
};

TEST_F(ShippedDataTest, EveryShippedFileLoadsWithItsHeader) {
    const auto data = SourceDir() / "data";
    std::vector<std::u16string> headed;
    for (const std::u16string& path : FilesOf(data / "xlor", ".xlor")) {
        CGlyphOrder order;
        EXPECT_NO_THROW(order.Load(path)) << Utf16ToUtf8(path);
        EXPECT_GT(order.GridCodes().size(), 90u);
        headed.push_back(path);
    }
    for (const std::u16string& path : FilesOf(data / "xggp", ".xggp")) {
        CGlyphGroups groups;
        EXPECT_NO_THROW(groups.Load(path)) << Utf16ToUtf8(path);
        EXPECT_GE(groups.Groups().size(), 2u);
        headed.push_back(path);
    }
    EXPECT_GE(headed.size(), 4u);
    for (const std::u16string& path : headed) {
        CVsxXmlFile reader;
        XmlFileInfo info;
        reader.Load(info, path);
        EXPECT_FALSE(info.title.empty()) << Utf16ToUtf8(path);
        EXPECT_FALSE(info.comment.empty()) << Utf16ToUtf8(path);
    }
    const std::vector<std::u16string> filters = FilesOf(data / "xllt", ".xllt");
    ASSERT_FALSE(filters.empty());
    for (const std::u16string& path : filters) {
        CCharFilter filter;
        EXPECT_NO_THROW(filter.Load(path)) << Utf16ToUtf8(path);
        EXPECT_FALSE(filter.IsExcluded(u'7'));
        EXPECT_TRUE(filter.IsExcluded(u'a'));
    }
    // The build places the orders and groups beside the programs.
    for (const char* name :
         {"xlor/cp1252.xlor", "xlor/ascii.xlor", "xlor/cp932.xlor", "xggp/sample.xggp"}) {
        EXPECT_TRUE(std::filesystem::exists(BinaryDir() / name)) << name;
    }
}

TEST_F(ShippedDataTest, Cp1252OrderHoldsExactlyTheCodePage) {
    const auto order = LoadOrder("cp1252.xlor");
    ASSERT_EQ(order->GetWidth(), 16);
    ASSERT_EQ(order->GetHeight(), 14);
    const CCodePage codePage(1252);
    std::set<char16_t> expected;
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        char16_t ch = 0;
        ASSERT_TRUE(codePage.ToUnicode(static_cast<uint16_t>(byte), ch));
        const uint16_t cell = order->GetCharCode((byte - 0x20) % 16, (byte - 0x20) / 16);
        if (IsControl(ch)) {
            EXPECT_EQ(cell, CGlyphOrder::NullCode) << std::hex << byte;
            continue;
        }
        expected.insert(ch);
        EXPECT_EQ(cell, ch) << std::hex << byte;
    }
    const std::set<char16_t> cells(order->GridCodes().begin(), order->GridCodes().end());
    std::set<char16_t> withoutNull = cells;
    withoutNull.erase(CGlyphOrder::NullCode);
    EXPECT_EQ(withoutNull, expected);
    EXPECT_EQ(expected.size(), 218u);  // 224 bytes less DEL and the five unused ones
    EXPECT_EQ(order->GetCharCode(0, 0), u' ');
    EXPECT_EQ(order->GetCharCode(0, 6), 0x20AC);
}

TEST_F(ShippedDataTest, AsciiOrderHoldsThePrintableCharacters) {
    const auto order = LoadOrder("ascii.xlor");
    for (int code = 0x20; code < 0x7F; ++code) {
        EXPECT_EQ(order->GetCharCode((code - 0x20) % 16, (code - 0x20) / 16), code);
    }
    EXPECT_EQ(order->GetCharCode(15, 5), CGlyphOrder::NullCode);
}

// Where a Shift-JIS code stands in the Japanese order: ASCII in row 0, the space and half-width
// katakana in row 1, then one row per row of the JIS table that holds any character.
struct JisCell {
    int row;  // in the JIS table (two per lead byte), counted over the listed lead bytes
    int column;
};

JisCell JisCellOf(uint16_t code) {
    const int lead = code >> 8;
    const int trail = code & 0xFF;
    const int leadIndex = lead < 0xA0   ? lead - 0x81
                          : lead < 0xF0 ? lead - 0xE0 + 31
                                        : lead - 0xFA + 42;
    if (trail >= 0x9F) {
        return {leadIndex * 2 + 1, trail - 0x9F};
    }
    return {leadIndex * 2, trail - 0x40 - (trail > 0x7F ? 1 : 0)};
}

TEST_F(ShippedDataTest, JapaneseOrderCoversCodePage932) {
    const auto order = LoadOrder("cp932.xlor");
    ASSERT_EQ(order->GetWidth(), 94);
    const CCodePage codePage(932);
    // Every character sits in the cell of its code, the rows keeping the table's order.
    std::set<char16_t> present;
    int lastJisRow = -1;
    int kanji = 0;
    for (int y = 0; y < order->GetHeight(); ++y) {
        int jisRow = -1;
        for (int x = 0; x < 94; ++x) {
            const char16_t ch = order->GetCharCode(x, y);
            if (ch == CGlyphOrder::NullCode) {
                continue;
            }
            EXPECT_TRUE(present.insert(ch).second);
            uint16_t code = 0;
            ASSERT_TRUE(codePage.FromUnicode(ch, code)) << std::hex << int{ch};
            char16_t back = 0;
            ASSERT_TRUE(codePage.ToUnicode(code, back));
            EXPECT_EQ(back, ch);
            kanji += (ch >= 0x4E00 && ch <= 0x9FFF) || (ch >= 0xF900 && ch <= 0xFAFF);
            if (y == 0) {
                EXPECT_EQ(code, 0x21 + x);
            } else if (y == 1) {
                EXPECT_EQ(code, x == 0 ? 0x20 : 0xA0 + x);
            } else {
                const JisCell cell = JisCellOf(code);
                EXPECT_EQ(cell.column, x) << std::hex << code;
                if (jisRow < 0) {
                    jisRow = cell.row;
                }
                EXPECT_EQ(cell.row, jisRow) << std::hex << code;
            }
        }
        if (y >= 2) {
            EXPECT_GT(jisRow, lastJisRow);
            lastJisRow = jisRow;
        }
    }
    // ... and every character the code page maps exactly (outside the user-defined and the
    // repeated NEC-selected rows) is there.
    int missing = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!codePage.IsLeadByte(static_cast<uint8_t>(lead)) || (lead >= 0xED && lead <= 0xF9)) {
            continue;
        }
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            char16_t ch = 0;
            uint16_t again = 0;
            const auto code = static_cast<uint16_t>(lead << 8 | trail);
            if (codePage.ToUnicode(code, ch) && codePage.FromUnicode(ch, again) && again == code &&
                !present.count(ch)) {
                ADD_FAILURE() << "missing " << std::hex << code;
                if (++missing > 10) {
                    return;
                }
            }
        }
    }
    // JIS level 1 (2965) and level 2 (3390) kanji, the IBM extensions' 360 and the
    // repetition sign among the symbols.
    EXPECT_EQ(kanji, 2965 + 3390 + 360 + 1);
    EXPECT_TRUE(present.count(0x3042));  // hiragana
    EXPECT_TRUE(present.count(0x30A2));  // katakana
    EXPECT_TRUE(present.count(0xFF71));  // half-width katakana
    EXPECT_TRUE(present.count(0x2460));  // NEC special characters
}

}  // namespace
