// Binary font output through the console program: the shipped sample image font in every texture
// format, decoded again by our own loader and decoder, the options in the file, and the writer's
// errors as printed.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "core/FontData.h"
#include "image/BitMapFile.h"
#include "platform/Text.h"
#include "readers/ImageFontPicture.h"
#include "readers/ImageFontReader.h"
#include "support/TestSupport.h"
#include "writers/ResFont.h"
#include "writers/TextureFormat.h"
#include "writers/WriterTestSupport.h"
#include "xml/CharFilter.h"
#include "xml/XmlLibrary.h"

namespace {

using testing_support::RunConsoleProgram;
using testing_support::RunResult;
using testing_support::ShellQuote;
using testing_support::TempDir;

std::string Sample() {
    return (testing_support::SourceDir() / "data/sample/sample.bmp").string();
}
std::string Ascii() {
    return (testing_support::BinaryDir() / "xlor/ascii.xlor").string();
}

std::string ToBofnt(const std::string& format, const std::string& out,
                    const std::string& extra = "") {
    return "-i image -if " + ShellQuote(Sample()) + " -io " + ShellQuote(Ascii()) + " -ic " +
           format + " -o bofnt -of " + ShellQuote(out) + extra;
}

// The sample as the image font reader gives it to the writer.
std::unique_ptr<CFontData> ReadSample(int32_t format) {
    const CXmlLibrary xml;
    testing_support::ScopedPgCtrl pg;
    CImageFontReader reader(Utf8ToUtf16(Sample()), Utf8ToUtf16(Ascii()), format, false);
    reader.ValidateInput();
    auto font = std::make_unique<CFontData>();
    reader.ReadFontData(*font, CCharFilter());
    font->ReflectGlyph();
    return font;
}

TEST(QuillFontWriterConsoleTest, SampleImageFontInEveryFormat) {
    const char* names[] = {"I4", "I8", "IA4", "IA8", "RGB565", "RGB5A3", "RGBA8"};
    TempDir dir;
    for (int32_t format = 0; format < kTextureFormatCount; ++format) {
        SCOPED_TRACE(names[format]);
        const std::string out = (dir / (std::string(names[format]) + ".bofnt")).string();
        const RunResult run = RunConsoleProgram(ToBofnt(names[format], out));
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "");
        const std::vector<uint8_t> bytes = testing_support::ReadFileBytes(out);
        ASSERT_GE(bytes.size(), 16u);
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "OFNT");
        EXPECT_EQ(bytes[4], 0xFE);
        EXPECT_EQ(bytes[5], 0xFF);
        EXPECT_EQ(bytes[6], 0x01);
        EXPECT_EQ(bytes[7], 0x04);

        const auto font = ReadSample(format);
        ASSERT_EQ(font->GetGlyphCount(), 95u);
        writer_tests::ExpectFileHoldsFont(out, *font);
        CResFont res;
        res.Load(bytes);
        EXPECT_EQ(res.GetFontInfo().encoding, 1);  // UTF-16 unless -oe says otherwise
        EXPECT_EQ(res.GetFontInfo().lineFeed, font->lineFeed.value);
    }
}

TEST(QuillFontWriterConsoleTest, OptionsReachTheFile) {
    TempDir dir;
    const std::string out = (dir / "options.bofnt").string();
    const RunResult run = RunConsoleProgram(
        ToBofnt("IA4", out, " -oe sjis -oa ? -oh 20 -ow 3 -ol 1 -or 2 -ox 64x128"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    CResFont res;
    res.Load(testing_support::ReadFileBytes(out));
    const FontInfo& info = res.GetFontInfo();
    EXPECT_EQ(info.encoding, 2);
    EXPECT_EQ(info.lineFeed, 20);
    EXPECT_EQ(info.defaultLeft, 1);
    EXPECT_EQ(info.defaultGlyphWidth, 3);
    EXPECT_EQ(info.defaultCharWidth, 6);
    EXPECT_EQ(info.alternateIndex, res.CodeToIndex(u'?'));
    EXPECT_EQ(res.GetTextureGlyphs()->sheetWidth, 64);
    EXPECT_EQ(res.GetTextureGlyphs()->sheetHeight, 128);

    const RunResult sized = RunConsoleProgram(ToBofnt("IA4", out, " -os 16"));
    ASSERT_EQ(sized.exitCode, 0) << sized.err;
    res.Load(testing_support::ReadFileBytes(out));
    EXPECT_EQ(res.GetTextureGlyphs()->sheetWidth * res.GetTextureGlyphs()->sheetHeight, 16384);
}

TEST(QuillFontWriterConsoleTest, WriterErrorsAsPrinted) {
    TempDir dir;
    const std::string out = (dir / "never.bofnt").string();
    struct Case {
        const char* extra;
        const char* category;
        const char* function;
        const char* message;
    };
    const Case cases[] = {
        {" -ox 48x64", "Input value error", "CQuillFontWriter::ValidateInput",
         "Illegal sheet size\\(48x64x\\)\\."},
        {" -os 3", "Internal error", "CalcTextureSize", "invalid sheet size\\(3072 pixels\\)\\."},
        {" -oa 0x0", "Input value error", "CQuillFontWriter::ValidateInput",
         "Substitute character \\(0x0000\\) cannot be used\\. "},
        {" -oh 300", "Input value error", "CQuillFontWriter::ValidateInput",
         "Line feed width \\(=300\\) exceeds valid range \\[0 - 255\\]\\."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extra);
        const RunResult run = RunConsoleProgram(ToBofnt("IA4", out, c.extra));
        EXPECT_EQ(run.exitCode, 2);
        const std::regex line(std::string("^Error: ") + c.category + ": \\(" + c.function +
                              "@[A-Za-z]+\\.cpp:[0-9]+\\)\n" + c.message +
                              " \\(GetLastError=-?[0-9]+\\)\n$");
        EXPECT_TRUE(std::regex_match(run.out + run.err, line)) << run.out << run.err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

// Glyphs of 200 pixels advance cannot be held by a width entry: each is left out with a warning,
// and a font left without glyphs fails as an empty one, writing nothing.
TEST(QuillFontWriterConsoleTest, AFontOfOnlyTooWideGlyphsIsEmpty) {
    TempDir dir;
    image_font_fixture::CellPicture picture(2, 1, 204, 14);
    picture.MarkLeft(8);
    for (int32_t cell = 0; cell < 2; ++cell) {
        for (int32_t x = 0; x < 200; ++x) {
            picture.Ink(cell, 0, x, 3);
        }
        picture.WidthLine(cell, 0, 0, 200);
    }
    const std::string in = (dir / "wide.bmp").string();
    const std::string order = (dir / "wide.xlor").string();
    const std::string out = (dir / "wide.bofnt").string();
    CBitMapFile(Utf8ToUtf16(in)).Save(picture.image);
    testing_support::WriteFileText(order, image_font_fixture::LetterOrder(2, 1, u"AB"));
    const RunResult run =
        RunConsoleProgram("-i image -if " + ShellQuote(in) + " -io " + ShellQuote(order) +
                          " -ic I4 -o bofnt -of " + ShellQuote(out));
    EXPECT_EQ(run.exitCode, 2);
    const auto warning = [](const std::string& c, const std::string& code) {
        return "Warning: Character ('" + c + "': U+" + code +
               ") cannot be represented in the bofnt file: its left space (=0) and advance "
               "(=200) must lie in [-128 - 127]. \n";
    };
    EXPECT_EQ(run.out, warning("A", "0041") + warning("B", "0042")) << run.err;
    EXPECT_TRUE(
        std::regex_match(run.err, std::regex("^Error: Input value error: "
                                             "\\(CQuillFontWriter::MakeWorkingFont@[A-Za-z]+\\.cpp:"
                                             "[0-9]+\\)\nThere are no characters to output\\.  "
                                             "\\(GetLastError=-?[0-9]+\\)\n$")))
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
