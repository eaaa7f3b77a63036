// Writes an image font of a given number of glyphs for the whole-process benchmarks: a letter
// order of that many CJK and Hangul characters, 100 cells to a row, and a picture of glyphs of
// 12-20 x 20 pixels of random ink drawn by our own image font writer (IA4, so a 32-bit BMP).
//
//   bench_make_image_font GLYPHS OUT.bmp OUT.xlor
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/GlobalException.h"
#include "base/Text.h"
#include "bench/InkGlyph.h"
#include "console/CmdPgCtrl.h"
#include "core/FontData.h"
#include "format/TextureFormat.h"
#include "writers/ImageFontWriter.h"
#include "xml/GlyphOrder.h"
#include "xml/XmlLibrary.h"

namespace {

constexpr std::size_t kColumns = 100;

// Characters that need no escaping in XML, in code order; 40,395 of them.
std::vector<char16_t> Characters(std::size_t count) {
    constexpr std::pair<char16_t, char16_t> kRanges[] = {
        {0x3400, 0x4DBF}, {0x4E00, 0x9FFF}, {0xA000, 0xA48C}, {0xAC00, 0xD7A3}, {0xF900, 0xFAD9}};
    std::vector<char16_t> characters;
    for (const auto& [first, last] : kRanges) {
        for (char32_t c = first; c <= last && characters.size() < count; ++c) {
            characters.push_back(static_cast<char16_t>(c));
        }
    }
    return characters;
}

void WriteOrder(const std::vector<char16_t>& characters, const std::string& path) {
    const std::size_t rows = (characters.size() + kColumns - 1) / kColumns;
    std::u16string text;
    for (std::size_t row = 0; row < rows; ++row) {
        text += u"    <order>";
        for (std::size_t column = 0; column < kColumns; ++column) {
            const std::size_t cell = row * kColumns + column;
            text += column == 0 ? u"" : u" ";
            text += cell < characters.size() ? std::u16string(1, characters[cell]) : u"<null/>";
        }
        text += u"</order>\n";
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<letter-order version=\"1.1\">\n"
        << "  <body>\n    <area width=\"" << kColumns << "\" height=\"" << rows << "\"/>\n"
        << Utf16ToUtf8(text) << "  </body>\n</letter-order>\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: bench_make_image_font GLYPHS OUT.bmp OUT.xlor\n", stderr);
        return 1;
    }
    const std::vector<char16_t> characters = Characters(std::strtoul(argv[1], nullptr, 10));
    WriteOrder(characters, argv[3]);
    CCmdPgCtrl progress;
    g_pPgCtrl = &progress;
    try {
        const CXmlLibrary xml;
        CFontData font;
        std::mt19937 random(5);
        for (const char16_t code : characters) {
            font.AddGlyph(RandomInkGlyph(random), code);
        }
        font.glyphImageFormat.Set(kTexIA4);
        font.ReflectGlyph();
        CImageFontWriter::Settings settings;
        settings.outputPath = Utf8ToUtf16(argv[2]);
        settings.orderPath = Utf8ToUtf16(argv[3]);
        CImageFontWriter writer(settings);
        writer.ValidateInput();
        CGlyphOrder order;
        writer.LoadGlyphOrder(order);
        writer.WriteFontData(font, order);
    } catch (const CGeneralException& e) {
        std::fprintf(stderr, "%s\n", Utf16ToUtf8(e.What()).c_str());
        return 1;
    }
    std::printf("%zu glyphs\n", characters.size());
    return 0;
}
