// Image fonts: BMP and TGA load and save of a sheet-sized picture, the TGA run-length coder,
// and a whole image font read of the shipped sample.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "base/Text.h"
#include "console/CmdPgCtrl.h"
#include "core/FontData.h"
#include "core/PgCtrl.h"
#include "format/TextureFormat.h"
#include "image/BitMapFile.h"
#include "image/RgbImage.h"
#include "image/TgaFile.h"
#include "readers/ImageFontReader.h"
#include "xml/CharFilter.h"
#include "xml/XmlLibrary.h"

namespace {

// A picture that looks like an image font: paper, grid lines every 24 pixels and blocks of ink.
const CRgbImage& Picture() {
    static const CRgbImage picture = [] {
        CRgbImage p;
        p.Create(2048, 2048, 32);
        p.SetHasAlpha(true);
        p.Fill(0xFFFFFF, 0);
        std::mt19937 random(1);
        for (int32_t y = 0; y < 2048; ++y) {
            for (int32_t x = 0; x < 2048; ++x) {
                if (x % 24 == 0 || y % 24 == 0) {
                    p.SetPixel(x, y, 0, 0);
                } else if ((x / 24 + y / 24) % 3 == 0 && random() % 4 != 0) {
                    p.SetPixel(x, y, random() & 0xFF, 0xFF);
                }
            }
        }
        return p;
    }();
    return picture;
}

std::u16string ScratchPath(const std::string& name) {
    static const std::filesystem::path folder = [] {
        auto f = std::filesystem::temp_directory_path() /
                 ("typeloom-bench-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(f);
        return f;
    }();
    return Utf8ToUtf16((folder / name).string());
}

void BM_TgaEncodeRuns(benchmark::State& state) {
    const CRgbImage& p = Picture();
    std::vector<uint8_t> packed(static_cast<std::size_t>(IImage::PackedSize(2048, 2048, 32, 1)));
    p.Pack(packed, 1);
    std::size_t encoded = 0;
    for (auto _ : state) {
        const auto runs = CTgaFile::EncodeRuns(packed, 2048, 2048, 4);
        encoded = runs.size();
        benchmark::DoNotOptimize(runs.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * packed.size()));
    state.counters["ratio"] = static_cast<double>(encoded) / static_cast<double>(packed.size());
}
BENCHMARK(BM_TgaEncodeRuns)->Unit(benchmark::kMillisecond);

template <typename File>
void BM_Load(benchmark::State& state, const char* name) {
    const std::u16string path = ScratchPath(name);
    File(path).Save(Picture());
    for (auto _ : state) {
        const auto image = File(path).Load();
        benchmark::DoNotOptimize(image.get());
    }
    state.SetItemsProcessed(state.iterations() * 2048 * 2048);
}
void BM_LoadTga(benchmark::State& state) {
    BM_Load<CTgaFile>(state, "sheet.tga");
}
void BM_LoadBmp(benchmark::State& state) {
    BM_Load<CBitMapFile>(state, "sheet.bmp");
}
BENCHMARK(BM_LoadTga)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadBmp)->Unit(benchmark::kMillisecond);

template <typename File>
void BM_Save(benchmark::State& state, const char* name) {
    const std::u16string path = ScratchPath(name);
    for (auto _ : state) {
        File(path).Save(Picture());
    }
    state.SetItemsProcessed(state.iterations() * 2048 * 2048);
}
void BM_SaveTga(benchmark::State& state) {
    BM_Save<CTgaFile>(state, "saved.tga");
}
void BM_SaveBmp(benchmark::State& state) {
    BM_Save<CBitMapFile>(state, "saved.bmp");
}
BENCHMARK(BM_SaveTga)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveBmp)->Unit(benchmark::kMillisecond);

void BM_ReadSampleFont(benchmark::State& state) {
    const CXmlLibrary xml;
    CCmdPgCtrl progress;
    g_pPgCtrl = &progress;
    const std::u16string image = Utf8ToUtf16(TL_SOURCE_DIR "/data/sample/sample.bmp");
    const std::u16string order = Utf8ToUtf16(TL_SOURCE_DIR "/data/xlor/ascii.xlor");
    for (auto _ : state) {
        CImageFontReader reader({image, order, static_cast<TextureFormat>(state.range(0)), true});
        CFontData font;
        reader.ReadFontData(font, CCharFilter());
        benchmark::DoNotOptimize(font.GetGlyphCount());
    }
    g_pPgCtrl = nullptr;
}
BENCHMARK(BM_ReadSampleFont)->Arg(kTexI4)->Arg(kTexRGBA8)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
