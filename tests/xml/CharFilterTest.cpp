// A filter narrowed by the output's letter order: only characters of both pass, the order's
// cells inside its grid decide when no filter file is given. Loading is a row of
// definition_files.txt; reporting characters the font lacks is a console run.
#include "xml/CharFilter.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "xml/GlyphOrder.h"
#include "xml/XmlLibrary.h"

namespace {

TEST(CharFilterTest, CombiningWithTheLetterOrder) {
    const CXmlLibrary xml;
    const testing_support::TempDir dir;
    const auto load = [&](auto& reader, const std::string& name, const std::string& content) {
        reader.Load(testing_support::WriteFile(dir / name, content));
    };
    const std::string grid = "<area width=\"2\" height=\"2\"/>";
    const struct {
        const char* filter;  // letters, or null for no filter file
        const char* order;   // cells of a 2 x 2 grid
        std::vector<uint16_t> passing;
    } cases[] = {
        {"AB", "AQ<null/>", {'A'}},
        {nullptr, "XY<null/>Z", {'X', 'Y', 'Z'}},
        {nullptr, "XYZWV", {'W', 'X', 'Y', 'Z'}},  // V lies outside the grid
        {"AB", "xyz", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.order);
        CCharFilter filter;
        if (c.filter != nullptr) {
            load(filter, "f.xllt",
                 std::string("<letter-list version=\"1.0\"><body><letter>") + c.filter +
                     "</letter></body></letter-list>");
        }
        filter.CombineWithOrder(CGlyphOrder());  // an order not loaded changes nothing
        EXPECT_EQ(filter.IsPassAll(), c.filter == nullptr);
        CGlyphOrder order;
        load(order, "o.xlor",
             "<letter-order version=\"1.1\"><body>" + grid + "<order>" + c.order +
                 "</order></body></letter-order>");
        filter.CombineWithOrder(order);
        EXPECT_FALSE(filter.IsPassAll());
        EXPECT_EQ(filter.GetCodes(), c.passing);
        EXPECT_TRUE(filter.IsExcluded(u' '));
        EXPECT_TRUE(filter.IsExcluded(0xFFFF));
    }
}

}  // namespace
