#include "xml/GlyphOrder.h"

#include <gtest/gtest.h>

#include <vector>

#include "xml/OrderFileCheck.h"
#include "xml/XmlFixture.h"

namespace {

using testing_support::ExpectError;

std::string Order(const std::string& version, const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<letter-order version=\"" + version +
           "\">\n<body>\n" + body + "\n</body>\n</letter-order>\n";
}

class GlyphOrderTest : public testing_support::ReaderFileTest<CGlyphOrder> {
protected:
    std::vector<uint16_t> Cells(const std::string& content) {
        const auto order = Load(content);
        return {order->Codes().begin(), order->Codes().end()};
    }
};

TEST_F(GlyphOrderTest, NamesMatchInAnyCaseAndUnknownElementsAreIgnored) {
    const std::string content =
        "<LETTER-ORDER version=\"1.1\"><Extra><x/></Extra><BODY><Area Width=\"3\" width=\"2\"/>"
        "<unknown>Z</unknown><ORDER>AB<Note>C</Note><NULL/><Sp/><CODE>0x44</CODE></ORDER>"
        "</BODY></LETTER-ORDER>";
    const auto order = Load(content);
    EXPECT_TRUE(order->IsLoaded());
    EXPECT_EQ(order->GetWidth(), 2);  // attribute names are exact: Width is not width
    EXPECT_EQ(order->GetHeight(), 3);
    // Text inside an unknown element within `order` still belongs to the order->
    EXPECT_EQ(std::vector<uint16_t>(order->Codes().begin(), order->Codes().end()),
              (std::vector<uint16_t>{'A', 'B', 'C', 0xFFFF, ' ', 'D'}));
}

TEST_F(GlyphOrderTest, CellsComeFromTextNullSpAndCodeInDocumentOrder) {
    EXPECT_EQ(Cells(Order("1.1",
                          "<order> A\tB\r\n C </order><order><sp/><null/><null/>"
                          "<code>65535</code><code>0xffff</code>D</order>")),
              (std::vector<uint16_t>{'A', 'B', 'C', ' ', 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 'D'}));
    // Text outside `order` is no cell; only the first text run of a `code` counts.
    EXPECT_EQ(Cells(Order("1.1", "XY<area/>Q<order>a<code>66<x/>67</code></order>")),
              (std::vector<uint16_t>{'a', 'B'}));
}

TEST_F(GlyphOrderTest, CodeTakesAutomaticBaseAndKeepsTheLow16Bits) {
    struct Case {
        const char* text;
        uint16_t code;
    };
    const Case cases[] = {
        {"0x3042", 0x3042},  {"0X3042", 0x3042},     {"12354", 0x3042}, {"030102", 0x3042},
        {"  \n 0x41", 0x41}, {"65abc", 65},          {"xyz", 0},        {"0x", 0},
        {"0x12345", 0x2345}, {"4294967295", 0xFFFF}, {"-1", 0xFFFF},    {"089", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cells(Order("1.1", std::string("<order><code>") + c.text + "</code></order>")),
                  std::vector<uint16_t>{c.code})
            << c.text;
    }
}

TEST_F(GlyphOrderTest, DuplicatesFailIn11AndAreKeptIn10) {
    ExpectLoadError(Order("1.1", "<order>AA</order>"),
                    "There are two letters has same character code(U+0041: A) in character "
                    "order file.");
    ExpectLoadError(Order("1.1", "<order>A</order><order><code>65</code></order>"),
                    "There are two letters has same character code(U+0041: A) in character "
                    "order file.");
    ExpectLoadError(Order("1.1", "<order><sp/><sp/></order>"),
                    "There are two letters has same character code(U+0020:  ) in character "
                    "order file.");
    EXPECT_EQ(Cells(Order("1.0", "<order>AA</order>")), (std::vector<uint16_t>{'A', 'A'}));
    EXPECT_EQ(Cells(Order("1.1", "<order><null/><null/><null/></order>")),
              (std::vector<uint16_t>{0xFFFF, 0xFFFF, 0xFFFF}));
}

TEST_F(GlyphOrderTest, HeightIsComputedFromTheCellCount) {
    const auto order = Load(Order("1.1", "<area width=\"4\"/><order>0123456789</order>"));
    EXPECT_EQ(order->GetWidth(), 4);
    EXPECT_EQ(order->GetHeight(), 3);
    EXPECT_EQ(order->GetCharCode(1, 2), u'9');
    EXPECT_EQ(order->GetCharCode(2, 2), CGlyphOrder::NullCode);
    EXPECT_EQ(order->GetCharCode(0, 0), u'0');
    EXPECT_EQ(order->GetCharCode(3, 1), u'7');
    EXPECT_EQ(order->GetCharCode(-1, 0), CGlyphOrder::NullCode);
    EXPECT_EQ(order->GetCharCode(4, 0), CGlyphOrder::NullCode);
    EXPECT_EQ(order->GetCharCode(0, 3), CGlyphOrder::NullCode);
    EXPECT_EQ(order->GetCharCode(0, -1), CGlyphOrder::NullCode);
    EXPECT_EQ(order->GridCodes().size(), 10u);
}

TEST_F(GlyphOrderTest, GivenHeightHidesCellsBeyondTheGrid) {
    const auto order = Load(Order("1.1",
                                  "<area width=\"2\" height=\"1\"/><area height=\"2\"/>"
                                  "<order>abcde</order>"));
    EXPECT_EQ(order->GetHeight(), 2);
    EXPECT_EQ(order->GetCharCode(1, 1), u'd');
    EXPECT_EQ(order->Codes().size(), 5u);
    EXPECT_EQ(order->GridCodes().size(), 4u);
    EXPECT_EQ(order->GetCharCode(0, 2), CGlyphOrder::NullCode);
}

TEST_F(GlyphOrderTest, DefaultsAndEmptyOrders) {
    const auto noArea = Load(Order("1.1", "<order>abc</order>"));
    EXPECT_EQ(noArea->GetWidth(), 16);
    EXPECT_EQ(noArea->GetHeight(), 1);
    const auto empty = Load(Order("1.1", ""));
    EXPECT_TRUE(empty->IsLoaded());
    EXPECT_EQ(empty->GetHeight(), 0);
    EXPECT_EQ(empty->GetCharCode(0, 0), CGlyphOrder::NullCode);
    // A huge declared grid costs nothing: only given cells are ever visited.
    const auto huge =
        Load(Order("1.1", "<area width=\"2147483647\" height=\"2147483647\"/><order>ab</order>"));
    EXPECT_EQ(huge->GetCharCode(1, 0), u'b');
    EXPECT_EQ(huge->GetCharCode(0, 2147483646), CGlyphOrder::NullCode);
    EXPECT_EQ(huge->GridCodes().size(), 2u);
}

TEST_F(GlyphOrderTest, GridAttributesAreChecked) {
    ExpectLoadError(Order("1.1", "<area width=\"0\"/>"),
                    "The width attribute in the letter order file is an invalid value (=0).");
    ExpectLoadError(Order("1.1", "<area width=\"-3\" height=\"-2\"/>"),
                    "The width attribute in the letter order file is an invalid value (=-3).");
    ExpectLoadError(Order("1.1", "<area height=\"0\"/>"),
                    "The height attribute in the letter order file is an invalid value (=0).");
    ExpectLoadError(Order("1.1", "<area width=\"abc\"/>"), " invalid character encountered");
    ExpectLoadError(Order("1.1", "<area width=\"12abc\"/>"), " invalid character encountered");
    ExpectLoadError(Order("1.1", "<area height=\"\"/>"), " NULL pointer encountered");
    for (const char* big : {"2147483648", "4294967297", "-2147483649", "99999999999999999999"}) {
        ExpectLoadError(Order("1.1", std::string("<area width=\"") + big + "\"/>"),
                        " string representation overflows output binary result");
    }
    EXPECT_EQ(Load(Order("1.1", "<area width=\" +5 \" height=\"2147483647\"/>"))->GetWidth(), 5);
    ExpectLoadError(Order("1.1", "<area width=\"-2147483648\"/>"),
                    "The width attribute in the letter order file is an invalid value "
                    "(=-2147483648).");
}

TEST_F(GlyphOrderTest, CodesBeyond32BitsAreRefused) {
    ExpectLoadError(Order("1.1", "<order><code>4294967296</code></order>"),
                    " string representation overflows output binary result");
    ExpectLoadError(Order("1.1", "<order><code>0x1FFFFFFFF</code></order>"),
                    " string representation overflows output binary result");
}

TEST_F(GlyphOrderTest, NestingIsChecked) {
    ExpectLoadError("<letter-order version=\"1.1\"><order>A</order></letter-order>",
                    "Tag <order> must be inside tag <body>.");
    ExpectLoadError("<letter-order version=\"1.1\"><area/></letter-order>",
                    "Tag <area> must be inside tag <body>.");
    ExpectLoadError("<letter-order version=\"1.1\"><x><body/></x></letter-order>",
                    "Tag <body> must be inside tag <letter-order>.");
    ExpectLoadError("<letter-order version=\"1.1\"><body><body/></body></letter-order>",
                    "Tag <body> must be inside tag <letter-order>.");
    for (const char* element : {"null", "sp", "code"}) {
        ExpectLoadError(Order("1.1", std::string("<") + element + "/>"),
                        std::string("Tag <") + element + "> must be inside tag <order>.");
    }
}

TEST_F(GlyphOrderTest, VersionMismatchThrowsAtOnce) {
    ExpectLoadError(Order("2.0", "<order>A</order>"),
                    "letter-order version mismatch. It is specified as 2.0, but it must be 1.1 "
                    "or 1.0.");
    // At once: the broken end tag later in the file is never reached.
    ExpectLoadError("<letter-order version=\"2\"><body></bodx></letter-order>",
                    "letter-order version mismatch. It is specified as 2, but it must be 1.1 or "
                    "1.0.");
    ExpectLoadError("<letter-order><body/></letter-order>",
                    "letter-order version mismatch. It is specified as , but it must be 1.1 or "
                    "1.0.");
    // A root of another name is not tested, but a nested element of the root's name is.
    EXPECT_TRUE(Load("<order-file><body><order>A</order></body></order-file>")->IsLoaded());
    ExpectLoadError("<x><body><letter-order version=\"9\"/></body></x>",
                    "letter-order version mismatch. It is specified as 9, but it must be 1.1 or "
                    "1.0.");
}

TEST_F(GlyphOrderTest, ValidateOrderFileChecksExistenceThenContent) {
    const std::u16string missing = Write("dummy", "") + u"-missing.xlor";
    ExpectError([&] { ValidateOrderFile(missing); }, kErrInputValue,
                "The specified file (" + Utf8(missing) + ") does not exist. ");
    const std::u16string bad = Write("bad.xlor", Order("1.1", "<area width=\"-1\"/>"));
    ExpectError([&] { ValidateOrderFile(bad); }, kErrXml,
                "The width attribute in the letter order file is an invalid value (=-1).");
    EXPECT_NO_THROW(ValidateOrderFile(Write("good.xlor", Order("1.1", "<order>A</order>"))));
}

}  // namespace
