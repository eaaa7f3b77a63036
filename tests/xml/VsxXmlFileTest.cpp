#include "xml/VsxXmlFile.h"

#include <gtest/gtest.h>

#include "xml/XmlFixture.h"

namespace {

using testing_support::ExpectError;

class VsxXmlFileTest : public testing_support::XmlFileTest {};

TEST_F(VsxXmlFileTest, ReadsTheHeaderOfAnyRoot) {
    CVsxXmlFile reader;
    XmlFileInfo info;
    const std::u16string path =
        Write("sample.v2.xlor",
              "<anything version=\"9\"><HEAD><Title>My &amp; <x/>order</Title><comment> two\n"
              "lines </comment></HEAD><body><order>AB</order><title>x</title></body></anything>");
    // `title` inside `body` is not inside `head`.
    ExpectError([&] { reader.Load(info, path); }, kErrXml,
                "Tag <title> must be inside tag <head>.");
    EXPECT_FALSE(reader.IsLoaded());

    const std::u16string good =
        Write("sample.v2.xlor",
              "<anything version=\"9\"><HEAD><Title>My &amp; <x/>order</Title><comment> two\n"
              "lines </comment></HEAD><body><order>AB</order></body></anything>");
    reader.Load(info, good);
    EXPECT_TRUE(reader.IsLoaded());
    EXPECT_EQ(info.title, u"My & order");
    EXPECT_EQ(info.comment, u" two\nlines ");
    EXPECT_EQ(info.path, good);
    EXPECT_EQ(info.fileName, u"sample.v2.xlor");

    // The same object and record serve the next file afresh.
    reader.Load(info,
                Write("other.xggp", "<glyph-groups><head><title>G</title></head></glyph-groups>"));
    EXPECT_EQ(info.title, u"G");
    EXPECT_EQ(info.comment, u"");
    EXPECT_EQ(info.fileName, u"other.xggp");
}

TEST_F(VsxXmlFileTest, HeaderNestingIsChecked) {
    CVsxXmlFile reader;
    XmlFileInfo info;
    const struct {
        const char* content;
        const char* message;
    } cases[] = {
        {"<glyph-groups><body><head/></body></glyph-groups>",
         "Tag <head> must be inside tag <letter-order>."},
        {"<r><head><x><title>t</title></x></head></r>", "Tag <title> must be inside tag <head>."},
        {"<r><comment/></r>", "Tag <comment> must be inside tag <head>."},
    };
    for (const auto& c : cases) {
        const std::u16string path = Write("h.xlor", c.content);
        ExpectError([&] { reader.Load(info, path); }, kErrXml, c.message);
    }
    const std::u16string junk = Write("junk.xlor", "<r><head></r>");
    ExpectError([&] { reader.Load(info, junk); }, kErrXml,
                " " + Utf8(junk) + " : Line 1 Row 12 \n\n expected end of tag 'head'\nn");
}

}  // namespace
