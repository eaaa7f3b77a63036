#include "xml/GlyphGroups.h"

#include <gtest/gtest.h>

#include "xml/XmlFixture.h"

namespace {

using testing_support::ExpectError;

std::string Groups(const std::string& body, const std::string& version = "1.0") {
    return "<?xml version=\"1.0\"?>\n<glyph-groups version=\"" + version + "\"><body>" + body +
           "</body></glyph-groups>";
}

// name=index pairs in the given order.
std::string Numbering(const std::vector<const GlyphGroup*>& groups) {
    std::string text;
    for (const GlyphGroup* group : groups) {
        text += (text.empty() ? "" : " ") + group->name + "=" + std::to_string(group->index);
    }
    return text;
}

class GlyphGroupsTest : public testing_support::ReaderFileTest<CGlyphGroups> {};

TEST_F(GlyphGroupsTest, NestedGroupsAreNumberedParentFirst) {
    const auto groups =
        Load(Groups("<group name=\"a\"><group name=\"b\"/></group><GROUP name=\"c\"/>"));
    EXPECT_TRUE(groups->IsLoaded());
    EXPECT_EQ(Numbering(groups->PreOrder()), "a=0 b=1 c=2");
    EXPECT_EQ(Numbering(groups->Groups()), "a=0 c=2");
    EXPECT_EQ(Numbering(groups->PostOrder()), "b=1 a=0 c=2");
    EXPECT_EQ(Numbering(groups->Leaves()), "b=1 c=2");
    const GlyphGroup& a = *groups->Groups()[0];
    ASSERT_EQ(a.children.size(), 1u);
    EXPECT_EQ(a.children[0]->parent, &a);
    EXPECT_EQ(a.parent, nullptr);
}

TEST_F(GlyphGroupsTest, ExplicitIndicesNeedNotBeOrdered) {
    const auto groups =
        Load(Groups("<group name=\"x\" index=\"7\"><group name=\"y\" index=\"-3\"/>"
                    "</group><group name=\"z\" index=\" 2\"/>"));
    EXPECT_EQ(Numbering(groups->PreOrder()), "x=7 y=-3 z=2");
}

TEST_F(GlyphGroupsTest, CharactersSkipWhiteSpaceButKeepSp) {
    const auto groups =
        Load(Groups("<group name=\"x\"> A B&#x20;C A</group>"
                    "<group name=\"y\">A<SP/>B<unknown>C</unknown></group>text"));
    EXPECT_EQ(groups->Groups()[0]->characters, u"ABCA");
    EXPECT_EQ(groups->Groups()[1]->characters, u"A BC");
}

TEST_F(GlyphGroupsTest, NumberingFailures) {
    ExpectLoadError(Groups("<group name=\"a\" index=\"5\"/><group name=\"b\"/>"),
                    "xggp groups mixed has index and not have index");
    ExpectLoadError(Groups("<group name=\"a\"/><group name=\"b\" index=\"0\"/>"),
                    "xggp groups mixed has index and not have index");
    ExpectLoadError(Groups("<group name=\"a\" index=\"4\"><group name=\"b\" index=\"4\"/></group>"),
                    "xggp group index(4) duplicated.");
    const auto empty = Load(Groups(""));
    EXPECT_TRUE(empty->IsLoaded());
    EXPECT_TRUE(empty->Groups().empty());
}

TEST_F(GlyphGroupsTest, ErrorsInsideTheParseAreWrapped) {
    ExpectWrappedError(Groups("<group name=\"a-b\"/>"),
                       "xggp group name(=a-b) has invalid char(=-)");
    ExpectWrappedError(Groups("<group name=\"\xC3\xA9t\xC3\xA9\"/>"),
                       "xggp group name(=\xC3\xA9t\xC3\xA9) has invalid char(=\xC3\xA9)");
    ExpectWrappedError(Groups("<group name=\"\"/>"),
                       "The name attribute of group element in the glyph-group file is not exist "
                       "or is null string.");
    ExpectWrappedError(Groups("<group/>"),
                       "The name attribute of group element in the glyph-group file is not exist "
                       "or is null string.");
    ExpectWrappedError(Groups("<sp/>"), "Tag <sp> must be inside tag <group>.");
    ExpectWrappedError("<glyph-groups version=\"1.0\"><group name=\"a\"/></glyph-groups>",
                       "Tag <group> must be inside tag <body>.");
    ExpectWrappedError("<glyph-groups version=\"1.0\"><x><body/></x></glyph-groups>",
                       "Tag <body> must be inside tag <glyph-groups>.");
    ExpectLoadError(Groups("<group name=\"a\" index=\"1x\"/>"), " invalid character encountered");
    ExpectLoadError(Groups("", "2.0"),
                    " glyph-groups version mismatch. It is specified as 2.0, but it must be 1.0.");
}

TEST_F(GlyphGroupsTest, ConvertGroupNameKeepsOneBytePerCharacter) {
    std::string target = "old";
    CGlyphGroups::ConvertGroupName(target, u"Kana_09");
    EXPECT_EQ(target, "Kana_09");
    ExpectError([&] { CGlyphGroups::ConvertGroupName(target, u"a b"); }, kErrXml,
                "xggp group name(=a b) has invalid char(= )");
    EXPECT_EQ(target, "Kana_09");
}

TEST_F(GlyphGroupsTest, DeepNestingNeedsNoDeepStack) {
    constexpr int kDepth = 10000;
    std::string open;
    std::string close;
    for (int i = 0; i < kDepth; ++i) {
        open += "<group name=\"g" + std::to_string(i) + "\">";
        close += "</group>";
    }
    auto groups = Load(Groups(open + "X" + close));
    ASSERT_EQ(groups->PostOrder().size(), static_cast<size_t>(kDepth));
    EXPECT_EQ(groups->PostOrder().front()->name, "g9999");
    EXPECT_EQ(groups->PostOrder().front()->characters, u"X");
    EXPECT_EQ(groups->Leaves().size(), 1u);
    EXPECT_EQ(groups->PreOrder().back()->index, kDepth - 1);
    groups.reset();
}

}  // namespace
