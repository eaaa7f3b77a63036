// Properties of whole conversions through the console program: what one conversion writes,
// the opposite conversion reads back to the same font.
#include <gtest/gtest.h>

#include <string>

#include "support/RunTable.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::TempDir;

const std::string kSample =
    "-i image -if \"$DATA/sample/sample.bmp\" -io \"$DATA/xlor/ascii.xlor\"";
const std::string kToImage = " -o image -oo \"$DATA/xlor/ascii.xlor\" -of ";

class RoundTripTest : public testing::Test {
protected:
    static void SetUpTestSuite() { testing_support::ExportTableFolders(); }
    // Runs one conversion in the scratch folder; it must succeed, printing only `warnings`.
    void Convert(const std::string& arguments, const std::string& warnings = "") {
        const auto run = testing_support::RunConsoleProgram(arguments, "C", m_dir.Path());
        EXPECT_EQ(run.exitCode, 0) << arguments << "\n" << run.err;
        EXPECT_EQ(run.out + run.err, warnings) << arguments;
    }
    std::vector<uint8_t> Bytes(const std::string& name) { return ReadFileBytes(m_dir / name); }

    TempDir m_dir;
};

// Image font -> binary font -> image font draws the very picture a direct image-to-image
// conversion draws, and the picture converts back to the same binary font. RGB565 stores no
// alpha, so its glyphs come back opaque and only the second half holds.
TEST_F(RoundTripTest, BinaryFontsKeepEveryGlyphOfEveryFormatAndEncoding) {
    const std::pair<std::string, std::string> cases[] = {
        {"I4", "utf16"},     {"I8", "utf16"},    {"IA4", "utf16"},  {"IA8", "utf16"},
        {"RGB565", "utf16"}, {"RGB5A3", "utf8"}, {"RGBA8", "sjis"}, {"IA4", "cp1252"},
    };
    for (const auto& [format, encoding] : cases) {
        SCOPED_TRACE(format + " " + encoding);
        const std::string font = " -o bofnt -oe " + encoding + " -of ";
        Convert(kSample + " -ic " + format + font + "first.bofnt");
        Convert("-i bofnt -if first.bofnt" + kToImage + "back.bmp");
        Convert(kSample + " -ic " + format + kToImage + "direct.bmp");
        if (format != "RGB565") {
            EXPECT_EQ(Bytes("back.bmp"), Bytes("direct.bmp"));
        }
        Convert("-i image -if back.bmp -io \"$DATA/xlor/ascii.xlor\" -ic " + format + font +
                "second.bofnt");
        EXPECT_EQ(Bytes("second.bofnt"), Bytes("first.bofnt"));
    }
}

// A binary font written again with the options it was made with is the same file; an archived
// font reads back to the image font its normal twin gives.
TEST_F(RoundTripTest, BinaryFontsWrittenAgainAreByteIdentical) {
    const std::string groups = " -op \"$DATA/xggp/sample.xggp\"";
    for (const std::string& options :
         std::vector<std::string>{"", " -oe sjis", " -oe utf8 -os 64", " -oe cp1252 -oa 0x41",
                                  " -oh 20 -ol 1 -ow 3 -or 2", groups, groups + " -oe sjis"}) {
        SCOPED_TRACE(options);
        Convert(kSample + " -ic IA4 -o bofnt -of first.bofnt" + options);
        Convert("-i bofnt -if first.bofnt -o bofnt -of second.bofnt" + options);
        EXPECT_EQ(Bytes("second.bofnt"), Bytes("first.bofnt"));
        Convert("-i bofnt -if first.bofnt" + kToImage + "back.bmp");
        Convert(kSample + " -ic IA4" + kToImage + "direct.bmp");
        EXPECT_EQ(Bytes("back.bmp"), Bytes("direct.bmp"));
    }
}

// A file of the previous version is read with a warning and written in the new version.
TEST_F(RoundTripTest, PreviousVersionFilesComeBackInTheNewVersion) {
    Convert(kSample + " -ic IA4 -o bofnt -oe sjis -of current.bofnt");
    auto bytes = Bytes("current.bofnt");
    bytes[7] = 0x02;        // version 0x0102,
    bytes[30] = bytes[31];  // which kept the encoding at byte 6 of the font information
    testing_support::WriteFileBytes(m_dir / "previous.bofnt", bytes);
    const std::string warning =
        "Warning: The input bofnt file uses a previous version format. After conversion, it "
        "will be in the new format.\n";
    Convert("-i bofnt -if previous.bofnt -o bofnt -of new.bofnt", warning);
    EXPECT_EQ(Bytes("new.bofnt")[7], 0x04);
    Convert("-i bofnt -if new.bofnt -o bofnt -of again.bofnt");
}

// A little-endian file (tests/golden/inputs/le-*, made once from the goldens) is the same font as
// its big-endian original, which we write.
TEST_F(RoundTripTest, LittleEndianTwinsAreTheSameFonts) {
    for (const std::string name : {"sample-I4.bofnt", "dejavu-I4.bofnt", "sample-groups.bofna"}) {
        SCOPED_TRACE(name);
        const bool groups = name.ends_with(".bofna");
        Convert("-i bofnt -if \"$GOLDEN/inputs/le-" + name + "\" -o bofnt -of " + name +
                (groups ? " -op \"$DATA/xggp/sample.xggp\"" : ""));
        EXPECT_EQ(Bytes(name), ReadFileBytes(testing_support::SourceDir() / "tests/golden" / name));
    }
}

// An image font through a TGA picture and back is the same BMP picture.
TEST_F(RoundTripTest, ImageFontsSurviveTheOtherPictureFormat) {
    for (const std::string format : {"IA4", "RGBA8"}) {
        SCOPED_TRACE(format);
        Convert(kSample + " -ic " + format + kToImage + "font.tga");
        Convert("-i image -if font.tga -io \"$DATA/xlor/ascii.xlor\" -ic " + format + kToImage +
                "back.bmp");
        Convert(kSample + " -ic " + format + kToImage + "direct.bmp");
        EXPECT_EQ(Bytes("back.bmp"), Bytes("direct.bmp"));
    }
}

// An installed font with a fallback face comes back from its image font as from one face: the
// binary font read from the picture draws the very picture the binary font converted directly
// draws.
TEST_F(RoundTripTest, ImageFontsOfFallbackFacesReadBackLikeThoseOfOneFace) {
    testing_support::WriteFileText(
        m_dir / "o.xlor",
        "<letter-order version=\"1.1\"><body><area width=\"8\"/><order>A g "
        "\xC3\x84 \xE4\xBC\x9A \xE3\x81\x82 \xE3\x82\xAB \xEF\xBD\xB1 <sp/>"
        "</order></body></letter-order>");
    testing_support::WriteFileText(
        m_dir / "o.xllt",
        "<letter-list version=\"1.0\"><body><letter>Ag\xC3\x84\xE4\xBC\x9A"
        "\xE3\x81\x82\xE3\x82\xAB\xEF\xBD\xB1</letter></body></letter-list>");
    for (const std::string faces : {"-in \"DejaVu Sans\"", "-in \"DejaVu Sans\" -inf IPAGothic"}) {
        SCOPED_TRACE(faces);
        const std::string win = "-i win " + faces + " -is 16 -ic IA4 ";
        Convert(win + "-o image -oo o.xlor -of font.tga");
        Convert("-i image -if font.tga -io o.xlor -ic IA4 -o bofnt -of back.bofnt");
        Convert(win + "-f o.xllt -o bofnt -of direct.bofnt",
                faces.find("-inf") != std::string::npos
                    ? ""
                    : "Warning: Character ('\xE3\x81\x82': U+3042) was specified for output with "
                      "the filter, but it will not be output because it is not included in input. "
                      "\nWarning: Character ('\xE3\x82\xAB': U+30AB) was specified for output with "
                      "the filter, but it will not be output because it is not included in input. "
                      "\nWarning: Character ('\xE4\xBC\x9A': U+4F1A) was specified for output with "
                      "the filter, but it will not be output because it is not included in input. "
                      "\nWarning: Character ('\xEF\xBD\xB1': U+FF71) was specified for output with "
                      "the filter, but it will not be output because it is not included in input. "
                      "\n");
        Convert("-i bofnt -if back.bofnt -o image -oo o.xlor -of back.tga");
        Convert("-i bofnt -if direct.bofnt -o image -oo o.xlor -of direct.tga");
        EXPECT_EQ(Bytes("back.tga"), Bytes("direct.tga"));
    }
}

}  // namespace

// A font written as a BMFont font, in any of the descriptor forms, and read back is the same
// font: its binary font is byte for byte the one the source gives directly (same glyphs, width
// entries and metrics). Every format kind: an installed font's intensity and alpha glyphs (with an
// outline and shadow too), and binary fonts' colour glyphs, which keep colour and alpha.
TEST_F(RoundTripTest, BmFontFontsKeepGlyphsWidthsAndMetrics) {
    const std::string dejavu = "-i win -in \"DejaVu Sans\" -is 16 -f \"$DATA/xllt/sample.xllt\"";
    const std::pair<std::string, std::string> cases[] = {
        {dejavu + " -ic I4", "I4"},
        {dejavu + " -ic IA6", "IA8"},
        {dejavu + " -ic IA4 -ieo 1 -ies 2,-1", "IA4"},  // the letter apart from its alpha
        {"-i bofnt -if \"$GOLDEN/sample-RGBA8.bofnt\"", "RGBA8"},
        {"-i bofnt -if \"$GOLDEN/sample-RGB5A3.bofnt\"", "RGB5A3"},
    };
    for (const auto& [source, format] : cases) {
        for (const std::string form : {"", " -ofx", " -ofb"}) {
            SCOPED_TRACE(source + form);
            Convert(source + " -o bofnt -of direct.bofnt");
            Convert(source + " -o fnt -of font.fnt" + form);
            Convert("-i fnt -if font.fnt -ic " + format + " -o bofnt -of back.bofnt");
            EXPECT_EQ(Bytes("back.bofnt"), Bytes("direct.bofnt"));
        }
    }
}
