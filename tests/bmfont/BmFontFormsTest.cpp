// The three descriptor forms: what each writes, it reads back as the same descriptor, and the
// form of a file is told by its content alone.
#include <gtest/gtest.h>

#include "bmfont/BmFontBinary.h"
#include "bmfont/BmFontFile.h"
#include "bmfont/BmFontText.h"
#include "bmfont/BmFontXml.h"
#include "support/TestSupport.h"

namespace {

// Values at the edges of their fields: negative offsets and advances, the largest page, a face
// and page names that the text form quotes and the XML form escapes, ids past U+FFFF.
BmFontDescriptor Example() {
    BmFontDescriptor d;
    d.info.face = u"Face & <Sons>";
    d.info.size = -16;
    BmFontCommon& c = d.common.emplace();
    c.lineHeight = 65535;
    c.base = 12;
    c.scaleW = 16384;
    c.scaleH = 32;
    c.pages = 2;
    c.packed = true;
    c.alphaChnl = kChannelOne;
    c.redChnl = kChannelGlyph;
    c.greenChnl = kChannelOutline;
    c.blueChnl = kChannelGlyphAndOutline;
    d.pages = {{0, u"p 0.png", {}}, {1, u"p 1.png", {}}};
    d.chars = {{32, 0, 0, 0, 0, -3, 7, 5, 0, kChnlAll, {}},
               {0xFFFF, 16000, 1, 384, 31, -32768, 32767, -1, 1, kChnlRed, {}},
               {65, 1, 2, 3, 4, 5, 6, 7, 1, kChnlAlpha, {}},
               {0x1F600, 1, 1, 1, 1, 0, 0, 1, 0, kChnlAll, {}}};
    d.kerningPairs = 0;
    return d;
}

void ExpectSameDescriptor(const BmFontDescriptor& a, const BmFontDescriptor& b) {
    EXPECT_EQ(a.info.face, b.info.face);
    EXPECT_EQ(a.info.size, b.info.size);
    ASSERT_TRUE(b.common);
    const auto fields = [](const BmFontCommon& c) {
        return std::vector<int64_t>{c.lineHeight, c.base,      c.scaleW,  c.scaleH,    c.pages,
                                    c.packed,     c.alphaChnl, c.redChnl, c.greenChnl, c.blueChnl};
    };
    EXPECT_EQ(fields(*a.common), fields(*b.common));
    ASSERT_EQ(a.pages.size(), b.pages.size());
    for (std::size_t i = 0; i < a.pages.size(); ++i) {
        EXPECT_EQ(a.pages[i].id, b.pages[i].id);
        EXPECT_EQ(a.pages[i].file, b.pages[i].file);
    }
    EXPECT_EQ(a.beyondIds, b.beyondIds);
    ASSERT_EQ(a.chars.size(), b.chars.size());
    for (std::size_t i = 0; i < a.chars.size(); ++i) {
        const auto values = [](const BmFontChar& ch) {
            return std::vector<int64_t>{ch.id,      ch.x,       ch.y,        ch.width, ch.height,
                                        ch.xoffset, ch.yoffset, ch.xadvance, ch.page,  ch.chnl};
        };
        EXPECT_EQ(values(a.chars[i]), values(b.chars[i])) << i;
    }
}

TEST(BmFontFormsTest, EachFormReadsBackWhatItWrites) {
    const testing_support::TempDir dir;
    const BmFontDescriptor example = Example();
    // What is read back: the character beyond U+FFFF by its id alone.
    BmFontDescriptor expected = example;
    expected.chars.pop_back();
    expected.beyondIds = {0x1F600};
    for (const BmFontForm form : {BmFontForm::kText, BmFontForm::kXml, BmFontForm::kBinary}) {
        SCOPED_TRACE(static_cast<int>(form));
        testing_support::WriteFileBytes(dir / "font.fnt", SerializeBmFont(example, form));
        ExpectSameDescriptor(expected,
                             LoadBmFontDescriptor(Utf8ToUtf16((dir / "font.fnt").string())));
    }
}

// The form by content: a byte-order mark and white space before the text or XML, any tag
// first, CR LF line ends; the binary signature whatever follows.
TEST(BmFontFormsTest, FormsAreToldByContent) {
    const auto bytes = [](std::string_view text) {
        return std::vector<uint8_t>(text.begin(), text.end());
    };
    struct Case {
        std::string_view text;
        bool isText;
        bool isXml;
        bool isBinary;
    };
    const Case cases[] = {
        {"info face=\"a\"\n", true, false, false},
        {"\xEF\xBB\xBF  \r\ncommon lineHeight=1\r\n", true, false, false},
        {"char id=1", true, false, false},
        {"information x=1", false, false, false},
        {"\xEF\xBB\xBF\n <?xml version=\"1.0\"?><font/>", false, true, false},
        {"BMF\x03", false, false, true},
        {"BM\x03", false, false, false},
        {"", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(LooksLikeBmFontText(bytes(c.text)), c.isText);
        EXPECT_EQ(LooksLikeBmFontXml(bytes(c.text)), c.isXml);
        EXPECT_EQ(LooksLikeBmFontBinary(bytes(c.text)), c.isBinary);
    }
}

}  // namespace
