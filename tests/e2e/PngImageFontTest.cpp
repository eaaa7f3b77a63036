// PNG image fonts through the console program: the sample image font as ImageMagick writes PNG
// (made here, in every colour type, 16 bits and interlaced) and as our own writer writes it.
#include <gtest/gtest.h>

#include <string>

#include "image/PictureFile.h"
#include "support/RunTable.h"

namespace {

using testing_support::ReadFileBytes;
using testing_support::ShellQuote;
using testing_support::TempDir;

const std::string kFromPicture = " -io \"$DATA/xlor/ascii.xlor\" -o bofnt -of out.bofnt -ic ";
const std::string kUniformAlpha =
    "Warning: Alpha channel filled with a value. Ignoring alpha channel.\n";

class PngImageFontTest : public testing::Test {
protected:
    static void SetUpTestSuite() { testing_support::ExportTableFolders(); }
    // Converts `picture` into out.bofnt in `format`; it must succeed, printing only `warnings`.
    std::vector<uint8_t> Convert(const std::string& picture, const std::string& format,
                                 const std::string& warnings = "") {
        const std::string arguments = "-i image -if " + picture + kFromPicture + format;
        const auto run = testing_support::RunConsoleProgram(arguments, "C", m_dir.Path());
        EXPECT_EQ(run.exitCode, 0) << arguments << "\n" << run.err;
        EXPECT_EQ(run.out + run.err, warnings) << arguments;
        return ReadFileBytes(m_dir / "out.bofnt");
    }

    TempDir m_dir;
};

// Each picture converts to the golden binary font of the BMP it was made from, in a format where
// what the conversion changed cannot show: a palette picture's indices are its levels in the
// intensity formats, and grey changes only the colours of the width lines and margins, which
// intensity formats never keep.
TEST_F(PngImageFontTest, ImageMagickPicturesOfTheSampleConvertToItsBinaryFonts) {
    struct Case {
        const char* name;
        const char* options;  // ImageMagick's, and the output's prefix
        const char* format;
        std::string warnings;
    };
    const Case cases[] = {
        {"grey8", "-colorspace Gray -define png:color-type=0 PNG:", "IA4", ""},
        {"grey16", "-colorspace Gray -define png:color-type=0 -define png:bit-depth=16 PNG:", "I4",
         ""},
        {"palette", "PNG8:", "RGBA8", ""},
        {"palette-adam7", "-interlace PNG PNG8:", "RGB5A3", ""},
        {"rgb8", "PNG24:", "IA8", ""},
        {"rgb16", "PNG48:", "RGB565", ""},
        {"rgba8", "PNG32:", "RGBA8", kUniformAlpha},
        {"rgba16-adam7", "-interlace PNG PNG64:", "I8", ""},
    };
    const std::string sample =
        ShellQuote((testing_support::SourceDir() / "data/sample/sample.bmp").string());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string picture = std::string(c.name) + ".png";
        const auto made =
            testing_support::RunCommand("/usr/bin/convert " + sample + " " + c.options +
                                        ShellQuote((m_dir / picture).string()));
        ASSERT_EQ(made.exitCode, 0) << made.err;
        EXPECT_EQ(Convert(picture, c.format, c.warnings),
                  ReadFileBytes(testing_support::SourceDir() /
                                ("tests/golden/sample-" + std::string(c.format) + ".bofnt")));
    }
}

// Our PNG holds the very words our TGA holds, alpha included, and reads as it does; a name
// ending in .png (any case) asks for it as -oi png does.
TEST_F(PngImageFontTest, OurPngIsOurTgaInAnotherFile) {
    const auto golden = testing_support::SourceDir() / "tests/golden";
    const auto run = testing_support::RunConsoleProgram(
        "-i image -if \"$DATA/sample/sample.bmp\" -io \"$DATA/xlor/ascii.xlor\" -ic RGBA8 -o image "
        "-oo \"$DATA/xlor/ascii.xlor\" -of font.Png",
        "C", m_dir.Path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFileBytes(m_dir / "font.Png"), ReadFileBytes(golden / "sample-png.png"));
    const auto png = Utf8ToUtf16((golden / "sample-png.png").string());
    const auto tga = Utf8ToUtf16((golden / "sample-tga.tga").string());
    EXPECT_TRUE(LoadPicture(png)->Equals(*LoadPicture(tga)));
    for (const char* format : {"IA4", "RGBA8"}) {
        EXPECT_EQ(Convert("\"$GOLDEN/sample-png.png\"", format),
                  Convert("\"$GOLDEN/sample-tga.tga\"", format));
    }
}

}  // namespace
