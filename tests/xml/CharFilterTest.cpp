#include "xml/CharFilter.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/FontData.h"
#include "xml/GlyphOrder.h"
#include "xml/XmlFixture.h"

namespace {

using testing_support::ExpectError;

std::string Filter(const std::string& letters, const std::string& version = "1.0") {
    return "<?xml version=\"1.0\"?>\n<letter-list version=\"" + version + "\"><body>" + letters +
           "</body></letter-list>";
}

std::string Order(const std::string& cells) {
    return "<letter-order version=\"1.1\"><body><order>" + cells + "</order></body></letter-order>";
}

class CharFilterTest : public testing_support::ReaderFileTest<CCharFilter> {
protected:
    void LoadFilter(CCharFilter& filter, const std::string& content) {
        filter.Load(Write("filter.xllt", content));
    }
    void LoadOrder(CGlyphOrder& order, const std::string& content) {
        order.Load(Write("order.xlor", content));
    }
};

TEST_F(CharFilterTest, ListedLettersAndTheSpacePass) {
    CCharFilter filter;
    EXPECT_FALSE(filter.IsExcluded(u'Q'));  // no file: everything passes
    LoadFilter(filter, Filter("<LETTER>A\n B</LETTER>"));
    EXPECT_FALSE(filter.IsPassAll());
    EXPECT_FALSE(filter.IsExcluded(u'A'));
    EXPECT_FALSE(filter.IsExcluded(u'B'));
    EXPECT_FALSE(filter.IsExcluded(u' '));
    EXPECT_TRUE(filter.IsExcluded(u'Q'));
    EXPECT_TRUE(filter.IsExcluded(u'\n'));
    EXPECT_EQ(filter.GetCodes(), (std::vector<uint16_t>{' ', 'A', 'B'}));
}

TEST_F(CharFilterTest, CodeAndSpAddCharacters) {
    CCharFilter filter;
    LoadFilter(filter, Filter("<letter><code>65</code>A<code>0x3042</code><code>0101</code>"
                              "<sp/></letter><letter>C</letter>ignored"));
    EXPECT_EQ(filter.GetCodes(), (std::vector<uint16_t>{' ', 'A', 'C', 0x3042}));
}

TEST_F(CharFilterTest, CombiningNarrowsToTheLetterOrder) {
    CCharFilter filter;
    LoadFilter(filter, Filter("<letter>AB</letter>"));
    CGlyphOrder order;
    LoadOrder(order, Order("AQ<null/>"));
    filter.CombineWithOrder(order);
    EXPECT_EQ(filter.GetCodes(), (std::vector<uint16_t>{'A'}));
    EXPECT_TRUE(filter.IsExcluded(u' '));
    EXPECT_TRUE(filter.IsExcluded(u'Q'));
}

TEST_F(CharFilterTest, WithoutAFileTheLetterOrderDecides) {
    CCharFilter filter;
    filter.CombineWithOrder(CGlyphOrder());  // not loaded: no cells, nothing changes
    EXPECT_TRUE(filter.IsPassAll());
    CGlyphOrder order;
    LoadOrder(order, Order("XYZ<null/>"));
    filter.CombineWithOrder(order);
    EXPECT_FALSE(filter.IsPassAll());
    EXPECT_EQ(filter.GetCodes(), (std::vector<uint16_t>{'X', 'Y', 'Z'}));
    EXPECT_TRUE(filter.IsExcluded(0xFFFF));
}

TEST_F(CharFilterTest, OnlyCellsInsideTheGridCount) {
    CCharFilter filter;
    CGlyphOrder order;
    LoadOrder(order,
              "<letter-order version=\"1.1\"><body><area width=\"2\" height=\"1\"/>"
              "<order>XYZ</order></body></letter-order>");
    filter.CombineWithOrder(order);
    EXPECT_EQ(filter.GetCodes(), (std::vector<uint16_t>{'X', 'Y'}));
}

TEST_F(CharFilterTest, DisjointFilterAndOrderPassNothingAndReportNothing) {
    testing_support::ScopedPgCtrl pg;
    CCharFilter filter;
    LoadFilter(filter, Filter("<letter>AB</letter>"));
    CGlyphOrder order;
    LoadOrder(order, Order("xyz"));
    filter.CombineWithOrder(order);
    EXPECT_FALSE(filter.IsPassAll());
    EXPECT_TRUE(filter.IsExcluded(u'A'));
    EXPECT_TRUE(filter.IsExcluded(u'x'));
    filter.CheckMissing(CFontData());
    EXPECT_TRUE(pg.control.warnings.empty());
}

TEST_F(CharFilterTest, CheckMissingWarnsForChosenCharactersTheFontLacks) {
    testing_support::ScopedPgCtrl pg;
    CCharFilter filter;
    LoadFilter(filter, Filter("<letter>A&#x3042;</letter>"));
    CFontData font;
    font.AddGlyph(std::make_unique<CGlyph>(), u'A');
    filter.CheckMissing(font);
    EXPECT_EQ(pg.control.warnings,
              (std::vector<std::u16string>{
                  u"Character (' ': U+0020) was specified for output with the filter, but it "
                  u"will not be output because it is not included in input. ",
                  u"Character ('\u3042': U+3042) was specified for output with the filter, but "
                  u"it will not be output because it is not included in input. "}));
}

TEST_F(CharFilterTest, FileErrors) {
    ExpectLoadError(Filter("<letter>A</letter>", "1.1"),
                    " letter-list version mismatch. It is specified as 1.1, but it must be 1.0.");
    // Recorded, not thrown: it is the first error, so a later parser error is dropped.
    ExpectLoadError("<letter-list version=\"2\"><body></bodx></letter-list>",
                    " letter-list version mismatch. It is specified as 2, but it must be 1.0.");
    ExpectLoadError("<letter-list><body/></letter-list>",
                    " letter-list version mismatch. It is specified as , but it must be 1.0.");
    ExpectWrappedError("<letter-list version=\"1.0\"><letter>A</letter></letter-list>",
                       "Tag <letter> must be inside tag <body>.");
    ExpectWrappedError("<letter-list version=\"1.0\"><x><body/></x></letter-list>",
                       "Tag <body> must be inside tag <letter-list>.");
    ExpectWrappedError(Filter("<sp/>"), "Tag <sp> must be inside tag <letter>.");
    ExpectWrappedError(Filter("<code>65</code>"), "Tag <code> must be inside tag <letter>.");
    ExpectLoadError(Filter("<letter><code>0x100000000</code></letter>"),
                    " string representation overflows output binary result");
}

}  // namespace
