// Fallback faces through the console program: DejaVu Sans with IPAGothic over every character of
// the shipped Japanese letter order, compared glyph by glyph with each face converted alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "base/Text.h"
#include "core/FontData.h"
#include "readers/QuillFontReader.h"
#include "support/ReadFont.h"
#include "xml/GlyphOrder.h"
#include "xml/XmlLibrary.h"

namespace {

using testing_support::RunResult;
using testing_support::ShellQuote;
using testing_support::TempDir;
using testing_support::U16;

// A glyph as it stands on its baseline: its spaces and its inked pixels, rows counted from the
// baseline, so that glyphs of fonts with different heights compare.
struct PlacedGlyph {
    int32_t left = 0;
    int32_t advance = 0;
    std::map<std::pair<int32_t, int32_t>, uint32_t> ink;
    bool operator==(const PlacedGlyph&) const = default;
};

PlacedGlyph Placed(const CGlyph& glyph) {
    PlacedGlyph placed{glyph.leftSpace, glyph.Advance(), {}};
    const auto pixels = glyph.image.Pixels();
    const int32_t width = glyph.image.GetWidth();
    for (int32_t y = 0; y < glyph.image.GetHeight(); ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t pixel = pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
            if (pixel >> 24 != 0) {
                placed.ink[{glyph.leftSpace + x, y - glyph.ascent}] = pixel;
            }
        }
    }
    return placed;
}

// The codes the filter's warnings name ("... U+XXXX) was specified for output ...").
std::set<uint16_t> WarnedCodes(const std::string& out) {
    std::set<uint16_t> codes;
    for (std::size_t at = out.find("U+"); at != std::string::npos; at = out.find("U+", at + 1)) {
        codes.insert(static_cast<uint16_t>(std::stoul(out.substr(at + 2, 4), nullptr, 16)));
    }
    return codes;
}

class FallbackFaceTest : public testing::Test {
protected:
    // A filter of every character of the shipped letter order.
    static void SetUpTestSuite() {
        const CXmlLibrary xml;
        CGlyphOrder order;
        order.Load(U16(testing_support::BinaryDir() / "xlor/cp932.xlor"));
        std::string letters;
        for (const uint16_t code : order.GridCodes()) {
            if (code != CGlyphOrder::NullCode) {
                char element[32];
                std::snprintf(element, sizeof element, "<code>0x%04X</code>", code);
                letters += element;
            }
        }
        s_dir = new TempDir;
        testing_support::WriteFileText(*s_dir / "cp932.xllt",
                                       "<letter-list version=\"1.0\"><body><letter>" + letters +
                                           "</letter></body></letter-list>");
    }
    static void TearDownTestSuite() {
        delete s_dir;
        s_dir = nullptr;
    }

    // Converts the faces to a binary font of 16 gray levels with alpha; returns the warnings.
    static std::string Convert(const std::string& faces, const std::string& out) {
        const RunResult run = testing_support::RunConsoleProgram(
            "-i win " + faces + " -is 16 -ic IA4 -f cp932.xllt -o bofnt -of " + out, "C",
            s_dir->Path());
        EXPECT_EQ(run.exitCode, 0) << faces << run.err;
        EXPECT_EQ(run.err, "");
        return run.out;
    }

    static TempDir* s_dir;
};
TempDir* FallbackFaceTest::s_dir = nullptr;

TEST_F(FallbackFaceTest, EachCharacterComesFromTheFirstFaceThatHasIt) {
    const std::string latinWarnings = Convert("-in \"DejaVu Sans\"", "latin.bofnt");
    Convert("-in IPAGothic", "japanese.bofnt");
    const std::string bothWarnings = Convert("-in \"DejaVu Sans\" -inf IPAGothic", "both.bofnt");
    const auto read = [](const char* name) {
        return testing_support::ReadWholeFont(CQuillFontReader({.path = U16(*s_dir / name)}));
    };
    const auto latin = read("latin.bofnt");
    const auto japanese = read("japanese.bofnt");
    const auto both = read("both.bofnt");

    std::size_t fromLatin = 0;
    std::size_t fromJapanese = 0;
    for (const auto& glyph : both->Glyphs()) {
        const CGlyph* own = latin->FindGlyph(glyph->charCode);
        own != nullptr ? ++fromLatin : ++fromJapanese;
        if (own == nullptr) {
            own = japanese->FindGlyph(glyph->charCode);
        }
        ASSERT_NE(own, nullptr) << glyph->charCode;
        EXPECT_TRUE(Placed(*glyph) == Placed(*own)) << glyph->charCode;
    }
    // Every glyph of either face is there, and only what neither has is reported.
    std::set<uint16_t> either;
    for (const CFontData* font : {latin.get(), japanese.get()}) {
        for (const auto& glyph : font->Glyphs()) {
            either.insert(glyph->charCode);
        }
    }
    EXPECT_EQ(both->Glyphs().size(), either.size());
    std::set<uint16_t> neither;
    for (const uint16_t code : WarnedCodes(latinWarnings)) {
        if (!either.contains(code)) {
            neither.insert(code);
        }
    }
    EXPECT_EQ(WarnedCodes(bothWarnings), neither);
    // Once each.
    EXPECT_EQ(static_cast<std::size_t>(std::count(bothWarnings.begin(), bothWarnings.end(), '\n')),
              neither.size());
    EXPECT_GT(fromLatin, 300u);
    EXPECT_GT(fromJapanese, 6000u);
}

}  // namespace
