// Image font conversions through the console program: the shipped sample, warnings, errors and
// hostile pictures.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <regex>
#include <string>

#include "core/Endian.h"
#include "core/FontData.h"
#include "core/PgCtrl.h"
#include "platform/Text.h"
#include "readers/ImageFontReader.h"
#include "support/TestSupport.h"
#include "writers/TextureFormat.h"
#include "xml/CharFilter.h"
#include "xml/XmlLibrary.h"

namespace {

using testing_support::RunResult;
using testing_support::ShellQuote;
using testing_support::TempDir;

std::string Sample() {
    return (testing_support::SourceDir() / "data/sample/sample.bmp").string();
}
std::string Ascii() {
    return (testing_support::BinaryDir() / "xlor/ascii.xlor").string();
}

RunResult Console(const std::string& arguments) {
    return testing_support::RunCommand(
        "env -u LC_ALL -u LC_MESSAGES -u LANG LANG=C " +
        ShellQuote((testing_support::BinaryDir() / "vela_typeloomc").string()) + " " + arguments);
}

std::string Convert(const std::string& in, const std::string& inFormat, const std::string& out,
                    const std::string& extra = "") {
    return "-i image -if " + ShellQuote(in) + " -io " + ShellQuote(Ascii()) + " -ic " + inFormat +
           " -o image -of " + ShellQuote(out) + " -oo " + ShellQuote(Ascii()) + extra;
}

std::unique_ptr<CFontData> ReadFont(const std::string& path, int32_t format) {
    const CXmlLibrary xml;
    testing_support::ScopedPgCtrl pg;
    CImageFontReader reader(Utf8ToUtf16(path), Utf8ToUtf16(Ascii()), format, false);
    reader.ValidateInput();
    auto font = std::make_unique<CFontData>();
    reader.ReadFontData(*font, CCharFilter());
    EXPECT_TRUE(pg.control.warnings.empty());
    return font;
}

// The error line: category and thrower on the first line, the message and error code after.
std::regex ErrorLine(const std::string& category, const std::string& function,
                     const std::string& message) {
    return std::regex("^Error: " + category + ": \\(" + function + "@[A-Za-z]+\\.cpp:[0-9]+\\)\n" +
                      message + " \\(GetLastError=-?[0-9]+\\)\n$");
}

TEST(ImageFontConsoleTest, SampleConvertsToTgaAndBackWithEveryGlyph) {
    TempDir dir;
    const std::string tga = (dir / "sample.tga").string();
    const std::string bmp = (dir / "again.bmp").string();
    RunResult run = Console(Convert(Sample(), "IA4", tga));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    run = Console(Convert(tga, "RGBA8", bmp));
    EXPECT_EQ(run.exitCode, 0) << run.err;

    const auto original = ReadFont(Sample(), kTexRGBA8);
    const auto again = ReadFont(bmp, kTexRGBA8);
    ASSERT_EQ(original->GetGlyphCount(), 95u);
    ASSERT_EQ(again->GetGlyphCount(), 95u);
    for (const auto& glyph : original->Glyphs()) {
        const CGlyph* back = again->FindGlyph(glyph->charCode);
        ASSERT_NE(back, nullptr) << glyph->charCode;
        EXPECT_EQ(back->leftSpace, glyph->leftSpace) << glyph->charCode;
        EXPECT_EQ(back->rightSpace, glyph->rightSpace) << glyph->charCode;
        EXPECT_EQ(back->image.GetWidth(), glyph->image.GetWidth()) << glyph->charCode;
        if (glyph->image.GetWidth() > 0) {
            EXPECT_EQ(back->ascent, glyph->ascent) << glyph->charCode;
            EXPECT_TRUE(back->image.Equals(glyph->image)) << glyph->charCode;
        }
    }
    for (const CFontData* font : {original.get(), again.get()}) {
        EXPECT_EQ(font->width.value, 6);
        EXPECT_EQ(font->ascent.value, 9);
        EXPECT_EQ(font->descent.value, 2);
        EXPECT_TRUE(font->widthFromSource && font->ascentDescentFromSource);
    }
}

TEST(ImageFontConsoleTest, IgnoredMarginsWarnOnStandardOutput) {
    TempDir dir;
    const std::string out = (dir / "fixed.bmp").string();
    const RunResult run = Console(Convert(Sample(), "I4", out, " -ow 12 -oh 16 -or 3 -ob 2 -og"));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              "Warning: Because the -ow or -oh option was specified, the -or option will be "
              "ignored. \nWarning: Because the -ow or -oh option was specified, the -ob option "
              "will be ignored. \n");
    const auto bytes = testing_support::ReadFileBytes(out);
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(endian::LoadU32LE(bytes, 18), 16u * (12 + 4));
    EXPECT_EQ(endian::LoadU32LE(bytes, 22), 6u * (16 + 6));
}

TEST(ImageFontConsoleTest, HelpWithAFullOptionSetTouchesNoFile) {
    TempDir dir;
    const std::string out = (dir / "never.tga").string();
    const RunResult run =
        Console("-h " + Convert((dir / "missing.bmp").string(), "IA4", out,
                                " -oi tga -og -ow 9 -oh 9 -ol 1 -ot 1 -ocg 112233"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.starts_with("VELA_typeloomc - Font Converter - Version 1.5.0\nUsage:\n"));
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(ImageFontConsoleTest, BadSettingsFailBeforeAnyFileIsWritten) {
    TempDir dir;
    const std::string out = (dir / "out.png").string();
    RunResult run = Console(Convert(Sample(), "IA4", out));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(
        std::regex_match(run.err, ErrorLine("Input value error", "CImageFontWriter::ResolveFormat",
                                            "Unsupported image file extension\\.")))
        << run.err;
    run = Console(Convert(Sample(), "IA4", (dir / "a.bmp").string(), " -ow 0"));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(
        std::regex_match(run.err, ErrorLine("Input value error", "CImageFontWriter::ValidateInput",
                                            "The cell width \\(=0\\) must be larger than 0\\. ")))
        << run.err;
    run = Console(Convert(Sample(), "IA9", (dir / "a.bmp").string()));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("Invalid color format (IA9)."), std::string::npos) << run.err;
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(ImageFontConsoleTest, HostilePicturesFailWithTheirMessageAndLeaveNoOutput) {
    TempDir dir;
    const auto sample = testing_support::ReadFileBytes(Sample());
    auto huge = std::vector<uint8_t>(sample.begin(), sample.begin() + 54);
    endian::StoreU32LE(huge, 18, 65535);
    endian::StoreU32LE(huge, 22, 65535);
    endian::StoreU16LE(huge, 28, 32);
    auto sixteen = sample;
    endian::StoreU16LE(sixteen, 28, 16);
    std::vector<uint8_t> noise(4096);
    std::mt19937 random(7);
    for (uint8_t& b : noise) {
        b = static_cast<uint8_t>(random());
    }
    noise[0] = 'X';
    const std::string written = (dir / "written.tga").string();
    ASSERT_EQ(Console(Convert(Sample(), "IA4", written)).exitCode, 0);
    const auto tga = testing_support::ReadFileBytes(written);
    std::filesystem::remove(written);
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        std::string category, function, message;  // empty function: any error line
    };
    const std::string img = "[^ ]*\\.bmp";
    const Case cases[] = {
        {"zero.bmp",
         {},
         "Image error",
         "CImageFontReader::LoadImageW",
         "Fail to detect input file format\\.\nMaybe unsupported image file format\\."},
        {"truncated.bmp", std::vector<uint8_t>(sample.begin(), sample.begin() + 4000),
         "BMP image error", "CBitMapFile::Load",
         "Size of specified image file \\(" + img + "\\) is illegal\\. \\(192 x 108\\)\\."},
        {"huge.bmp", huge, "BMP image error", "CBitMapFile::Load",
         "Size of specified image file \\(" + img + "\\) is illegal\\. \\(65535 x 65535\\)\\."},
        {"depth.bmp", sixteen, "BMP image error", "CBitMapFile::ValidateFuture",
         "The bit depth \\(=16 bpp\\) of the specified BMP file \\(" + img +
             "\\) is not supported\\. "},
        {"truncated.tga", std::vector<uint8_t>(tga.begin(), tga.begin() + 3000), "TGA image error",
         "CTgaFile::FailBrokenFile",
         "Size of specified image file \\([^ ]*\\.tga\\) is illegal\\. \\(160 x 102\\)\\."},
        {"noise.bmp", noise, "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string in = (dir / c.name).string();
        testing_support::WriteFileBytes(in, c.bytes);
        const std::string out = (dir / "out.tga").string();
        const RunResult run = Console(Convert(in, "IA4", out));
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        if (c.function.empty()) {
            EXPECT_TRUE(run.err.starts_with("Error: ")) << run.err;
        } else {
            EXPECT_TRUE(std::regex_match(run.err, ErrorLine(c.category, c.function, c.message)))
                << run.err;
        }
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

}  // namespace
