// Binary font output: sheet encoding in each texture format, glyph index assignment with the
// character maps for fonts of 200, 7,000 and 40,000 glyphs, and a whole conversion of a large
// generated image font into a binary font.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "base/GlobalException.h"
#include "base/Text.h"
#include "bench/InkGlyph.h"
#include "console/CmdPgCtrl.h"
#include "core/FontData.h"
#include "core/PgCtrl.h"
#include "format/FontEncoding.h"
#include "format/TextureFormat.h"
#include "image/RgbImage.h"
#include "readers/ImageFontReader.h"
#include "writers/CodeMapBuilder.h"
#include "writers/ImageFontWriter.h"
#include "writers/QuillFontWriter.h"
#include "writers/SheetAssignment.h"
#include "xml/CharFilter.h"
#include "xml/GlyphOrder.h"
#include "xml/XmlLibrary.h"

namespace {

CCmdPgCtrl g_progress;

// Four 1024 x 1024 sheets of glyph-like content: mostly transparent paper, some ink.
const CRgbImage& Sheets() {
    static const CRgbImage sheets = [] {
        CRgbImage s;
        s.Create(1024, 4096, 32);
        s.SetHasAlpha(true);
        s.Fill(0xFFFFFF, 0);
        std::mt19937 random(7);
        for (uint32_t& p : s.Pixels()) {
            if (random() % 3 == 0) {
                const uint32_t v = random() & 0xFF;
                p = ((255 - v) << 24) | (v << 16) | (v << 8) | v;
            }
        }
        return s;
    }();
    return sheets;
}

void BM_EncodeSheets(benchmark::State& state) {
    const auto format = static_cast<int32_t>(state.range(0));
    const CRgbImage& sheets = Sheets();
    std::vector<uint8_t> out(static_cast<std::size_t>(
        texture::SheetBytes(format, sheets.GetWidth(), sheets.GetHeight())));
    for (auto _ : state) {
        texture::EncodeSheets(sheets, format, out);
        benchmark::DoNotOptimize(out.data());
    }
    const int64_t pixels = int64_t{sheets.GetWidth()} * sheets.GetHeight();
    state.SetItemsProcessed(state.iterations() * pixels);
    state.SetBytesProcessed(state.iterations() * pixels * 4);
}
BENCHMARK(BM_EncodeSheets)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

// Codes as a Japanese font has them: ASCII, half-width katakana, kana, symbols scattered over
// their blocks, then kanji in dense but gapped runs.
std::vector<uint16_t> JapaneseLikeCodes(std::size_t count) {
    std::vector<uint16_t> codes;
    const auto add = [&](uint32_t code) {
        if (codes.size() < count) {
            codes.push_back(static_cast<uint16_t>(code));
        }
    };
    for (uint32_t c = 0x20; c < 0x7F; ++c) {
        add(c);
    }
    for (uint32_t c = 0xFF61; c < 0xFFA0; ++c) {
        add(c);
    }
    for (uint32_t c = 0x3041; c < 0x3097; ++c) {
        add(c);
    }
    for (uint32_t c = 0x30A1; c < 0x30FB; ++c) {
        add(c);
    }
    std::mt19937 random(3);
    for (uint32_t c = 0x2010; c < 0x2700; c += 5 + random() % 60) {
        add(c);
    }
    for (uint32_t c = 0x4E00; c < 0xFA00 && codes.size() < count; ++c) {
        if (random() % 10 < 8) {
            add(c);
        }
    }
    for (uint32_t c = 0xAC00; codes.size() < count; ++c) {
        add(c);
    }
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return codes;
}

void BM_AssignAndMap(benchmark::State& state) {
    g_pPgCtrl = &g_progress;
    CFontData font;
    for (const uint16_t code : JapaneseLikeCodes(static_cast<std::size_t>(state.range(0)))) {
        font.AddGlyph(std::make_unique<CGlyph>(), code);
    }
    const CFontEncoding encoding(1);
    std::size_t maps = 0;
    for (auto _ : state) {
        SheetAssignmentInput input;
        input.cellsPerSheet = 42 * 42;
        const SheetAssignment a = ConstructSheetAssingment(font, std::move(input), encoding);
        const std::vector<CodeMap> built = BuildCodeMaps(font, a);
        maps = built.size();
        benchmark::DoNotOptimize(a.sheetCount);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(font.GetGlyphCount()));
    state.counters["maps"] = static_cast<double>(maps);
}
BENCHMARK(BM_AssignAndMap)->Arg(200)->Arg(7000)->Arg(40000)->Unit(benchmark::kMillisecond);

std::filesystem::path ScratchFolder() {
    static const std::filesystem::path folder = [] {
        auto f = std::filesystem::temp_directory_path() /
                 ("typeloom-bench-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(f);
        return f;
    }();
    return folder;
}

// An image font of every cell of the code page 932 letter order, 20 x 20 pixel glyphs of ink,
// written once by the image font writer.
std::u16string LargeImageFont(const std::u16string& order) {
    static const std::u16string path = [&] {
        CGlyphOrder cells;
        cells.Load(order);
        CFontData font;
        std::mt19937 random(5);
        for (const uint16_t code : cells.Codes()) {
            if (code == CGlyphOrder::NullCode) {
                continue;
            }
            font.AddGlyph(RandomInkGlyph(random), code);
        }
        font.glyphImageFormat.Set(kTexIA4);
        font.ReflectGlyph();
        const std::u16string out = Utf8ToUtf16((ScratchFolder() / "large.bmp").string());
        CImageFontWriter::Settings settings;
        settings.outputPath = out;
        settings.orderPath = order;
        CImageFontWriter writer(settings);
        writer.ValidateInput();
        CGlyphOrder writerOrder;
        writer.LoadGlyphOrder(writerOrder);
        writer.WriteFontData(font, writerOrder);
        return out;
    }();
    return path;
}

// One whole conversion as the console runs it: read the image font, settle, write the binary
// font. Returns the number of glyphs converted.
std::size_t Convert(const std::u16string& image, const std::u16string& order,
                    const std::u16string& out) {
    CImageFontReader::Settings readerSettings;
    readerSettings.imagePath = image;
    readerSettings.orderPath = order;
    readerSettings.format = kTexIA4;
    CImageFontReader reader(std::move(readerSettings));
    CQuillFontWriter::Settings writerSettings;
    writerSettings.outputPath = out;
    CQuillFontWriter writer(std::move(writerSettings));
    reader.ValidateInput();
    writer.ValidateInput();
    CFontData font;
    reader.ReadFontData(font, CCharFilter());
    font.ReflectGlyph();
    writer.WriteFontData(font, CGlyphOrder());
    return font.GetGlyphCount();
}

void BM_ImageFontToBinaryFont(benchmark::State& state) {
    const CXmlLibrary xml;
    g_pPgCtrl = &g_progress;
    const std::u16string order = Utf8ToUtf16(TL_SOURCE_DIR "/data/xlor/cp932.xlor");
    std::u16string image;
    try {
        image = LargeImageFont(order);
    } catch (const CGeneralException& e) {
        state.SkipWithError(Utf16ToUtf8(e.What()).c_str());
        return;
    }
    const std::u16string out = Utf8ToUtf16((ScratchFolder() / "large.bofnt").string());
    std::size_t glyphs = 0;
    for (auto _ : state) {
        try {
            glyphs = Convert(image, order, out);
        } catch (const CGeneralException& e) {
            state.SkipWithError(Utf16ToUtf8(e.What()).c_str());
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(glyphs));
    state.counters["glyphs"] = static_cast<double>(glyphs);
    state.counters["bytes"] =
        static_cast<double>(std::filesystem::file_size(std::filesystem::path(Utf16ToUtf8(out))));
}
BENCHMARK(BM_ImageFontToBinaryFont)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
