// Binary fonts read back through the console program: round trips to image fonts and to binary
// fonts again, archived fonts, the alternate character, old versions and broken files.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/FontData.h"
#include "platform/Text.h"
#include "readers/ImageFontReader.h"
#include "support/TestSupport.h"
#include "writers/TextureFormat.h"
#include "xml/CharFilter.h"
#include "xml/XmlLibrary.h"

namespace {

using testing_support::ReadFileBytes;
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
std::string Groups() {
    return (testing_support::BinaryDir() / "xggp/sample.xggp").string();
}

// Runs one conversion that must succeed silently.
void ConvertSilently(const std::string& arguments) {
    const RunResult run = RunConsoleProgram(arguments);
    EXPECT_EQ(run.exitCode, 0) << arguments << "\n" << run.err;
    EXPECT_EQ(run.out, "") << arguments;
    EXPECT_EQ(run.err, "") << arguments;
}

std::string FromImage(const std::string& image) {
    return "-i image -if " + ShellQuote(image) + " -io " + ShellQuote(Ascii()) + " -ic IA4";
}
std::string FromBinary(const std::string& font) {
    return "-i bofnt -if " + ShellQuote(font);
}
std::string ToImage(const std::string& image) {
    return " -o image -of " + ShellQuote(image) + " -oo " + ShellQuote(Ascii());
}
std::string ToBinary(const std::string& font, const std::string& options = "") {
    return " -o bofnt -of " + ShellQuote(font) + options;
}

std::unique_ptr<CFontData> ReadImageFont(const std::string& path) {
    const CXmlLibrary xml;
    testing_support::ScopedPgCtrl pg;
    CImageFontReader reader(Utf8ToUtf16(path), Utf8ToUtf16(Ascii()), kTexIA4, false);
    reader.ValidateInput();
    auto font = std::make_unique<CFontData>();
    reader.ReadFontData(*font, CCharFilter());
    return font;
}

TEST(QuillFontConsoleTest, ImageFontThroughABinaryFontComesBackTheSame) {
    TempDir dir;
    const std::string binary = (dir / "sample.bofnt").string();
    const std::string back = (dir / "back.bmp").string();
    const std::string direct = (dir / "direct.bmp").string();
    ConvertSilently(FromImage(Sample()) + ToBinary(binary));
    ConvertSilently(FromBinary(binary) + ToImage(back));
    ConvertSilently(FromImage(Sample()) + ToImage(direct));
    // The same picture as a direct image-to-image conversion: cells, markers, width lines.
    EXPECT_EQ(ReadFileBytes(back), ReadFileBytes(direct));

    const auto original = ReadImageFont(Sample());
    const auto again = ReadImageFont(back);
    ASSERT_EQ(again->GetGlyphCount(), 95u);
    ASSERT_EQ(original->GetGlyphCount(), again->GetGlyphCount());
    for (const auto& glyph : original->Glyphs()) {
        const CGlyph* other = again->FindGlyph(glyph->charCode);
        ASSERT_NE(other, nullptr) << glyph->charCode;
        EXPECT_EQ(other->leftSpace, glyph->leftSpace) << glyph->charCode;
        EXPECT_EQ(other->rightSpace, glyph->rightSpace) << glyph->charCode;
        EXPECT_TRUE(other->image.Equals(glyph->image)) << glyph->charCode;
        if (glyph->image.GetWidth() > 0) {
            EXPECT_EQ(other->ascent, glyph->ascent) << glyph->charCode;
        }
    }
    EXPECT_EQ(again->width.value, original->width.value);
    EXPECT_EQ(again->ascent.value, original->ascent.value);
    EXPECT_EQ(again->descent.value, original->descent.value);
}

TEST(QuillFontConsoleTest, BinaryToBinaryWithTheSameOptionsIsByteIdentical) {
    const std::string optionSets[] = {"", " -oe sjis", " -oe utf8 -os 64", " -oe cp1252 -oa 0x41",
                                      " -oh 20 -ol 1 -ow 3 -or 2"};
    for (const std::string& options : optionSets) {
        SCOPED_TRACE(options);
        TempDir dir;
        const std::string first = (dir / "first.bofnt").string();
        const std::string second = (dir / "second.bofnt").string();
        ConvertSilently(FromImage(Sample()) + ToBinary(first, options));
        ConvertSilently(FromBinary(first) + ToBinary(second, options));
        const auto bytes = ReadFileBytes(first);
        ASSERT_GT(bytes.size(), 16u);
        EXPECT_EQ(ReadFileBytes(second), bytes);
    }
}

TEST(QuillFontConsoleTest, ArchivedFontsRoundTripWithTheirGroups) {
    TempDir dir;
    const std::string first = (dir / "first.bofna").string();
    const std::string second = (dir / "second.bofna").string();
    const std::string back = (dir / "back.bmp").string();
    const std::string direct = (dir / "direct.bmp").string();
    const std::string groups = " -op " + ShellQuote(Groups());
    ConvertSilently(FromImage(Sample()) + ToBinary(first, groups));
    const auto bytes = ReadFileBytes(first);
    ASSERT_GT(bytes.size(), 16u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "OFNA");
    ConvertSilently(FromBinary(first) + ToBinary(second, groups));
    EXPECT_EQ(ReadFileBytes(second), bytes);
    ConvertSilently(FromBinary(first) + ToImage(back));
    ConvertSilently(FromImage(Sample()) + ToImage(direct));
    EXPECT_EQ(ReadFileBytes(back), ReadFileBytes(direct));
}

TEST(QuillFontConsoleTest, AFilteredOutAlternateCharacterStaysTheFontsAlternate) {
    TempDir dir;
    const std::string font = (dir / "alternate-a.bofnt").string();
    const std::string out = (dir / "out.bofnt").string();
    const std::string filter = (dir / "only-b.xllt").string();
    testing_support::WriteFileText(
        filter, "<letter-list version=\"1.0\"><body><letter>B</letter></body></letter-list>");
    ConvertSilently(FromImage(Sample()) + ToBinary(font, " -oa A"));

    const std::string filtered = FromBinary(font) + " -f " + ShellQuote(filter);
    // The alternate placeholder shows the setting that was not given: U+FFFF.
    RunResult run = RunConsoleProgram(filtered + ToBinary(out));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("The specified substitute character ('\xEF\xBF\xBF' : U+0041) is not "
                           "included in the font. "),
              std::string::npos)
        << run.err;
    run = RunConsoleProgram(filtered + ToBinary(out, " -oe sjis"));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("The specified substitute character ('\xEF\xBF\xBF' : 0x0041) is not "
                           "included in the font. "),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    ConvertSilently(filtered + ToBinary(out, " -oa B"));
}

TEST(QuillFontConsoleTest, PreviousVersionFileWarnsOnceAndIsWrittenInTheNewOne) {
    TempDir dir;
    const std::string current = (dir / "current.bofnt").string();
    const std::string previous = (dir / "previous.bofnt").string();
    const std::string out = (dir / "out.bofnt").string();
    ConvertSilently(FromImage(Sample()) + ToBinary(current));
    auto bytes = ReadFileBytes(current);
    ASSERT_GT(bytes.size(), 32u);
    bytes[7] = 0x02;    // version 0x0102
    bytes[24 + 6] = 1;  // the encoding where the previous version kept it: UTF-16
    testing_support::WriteFileBytes(previous, bytes);

    const RunResult run = RunConsoleProgram(FromBinary(previous) + ToBinary(out));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              "Warning: The input bofnt file uses a previous version format. After conversion, "
              "it will be in the new format.\n");
    const auto written = ReadFileBytes(out);
    ASSERT_GT(written.size(), 8u);
    EXPECT_EQ(written[6], 0x01);
    EXPECT_EQ(written[7], 0x04);
}

TEST(QuillFontConsoleTest, MissingAndForeignInputFailWithTheirMessage) {
    TempDir dir;
    const std::string out = (dir / "out.bofnt").string();
    RunResult run = RunConsoleProgram("-i bofnt" + ToBinary(out));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("\nFile was not specified. (GetLastError="), std::string::npos)
        << run.err;
    run = RunConsoleProgram(FromBinary(Sample()) + ToBinary(out));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.starts_with("Error: bofnt error: (")) << run.err;
    EXPECT_NE(run.err.find("\nThe file specified as a bofnt file is not a bofnt file. "),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
