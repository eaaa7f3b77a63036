// Glyph groups beyond what a row of definition_files.txt holds: nesting 10,000 deep.
#include "xml/GlyphGroups.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "xml/XmlLibrary.h"

namespace {

TEST(GlyphGroupsTest, DeepNestingNeedsNoDeepStack) {
    const CXmlLibrary xml;
    const testing_support::TempDir dir;
    constexpr int kDepth = 10000;
    std::string open;
    std::string close;
    for (int i = 0; i < kDepth; ++i) {
        open += "<group name=\"g" + std::to_string(i) + "\">";
        close += "</group>";
    }
    CGlyphGroups groups;
    groups.Load(testing_support::WriteFile(
        dir / "deep.xggp",
        "<glyph-groups version=\"1.0\"><body>" + open + "X" + close + "</body></glyph-groups>"));
    ASSERT_EQ(groups.PostOrder().size(), static_cast<size_t>(kDepth));
    EXPECT_EQ(groups.PostOrder().front()->name, "g9999");
    EXPECT_EQ(groups.PostOrder().front()->characters, u"X");
    EXPECT_EQ(groups.PreOrder().back()->index, kDepth - 1);
}

}  // namespace
