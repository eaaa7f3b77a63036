// The sheet codec of archived fonts, "h8", on the texture sheets of a real font, beside zlib's
// deflate at levels 1 and 6 on the same sheets: throughput both ways and the compression ratio.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "base/Text.h"
#include "compress/Compress.h"
#include "console/CmdPgCtrl.h"
#include "console/typeloomc.h"
#include "format/ResFont.h"
#include "platform/BinaryFile.h"

namespace {

using Sheet = std::vector<uint8_t>;

// The -ic settings of the system font input and the texture formats they give.
const char* const kDepths[] = {"I4", "I6", "IA4", "IA6"};
const char* const kFormatNames[] = {"I4", "I8", "IA4", "IA8"};

// DejaVu Sans at 24 pixels converted to a binary font, and its sheets cut apart; made once per
// texture format.
const std::vector<Sheet>& SheetsOf(int depth) {
    static std::map<int, std::vector<Sheet>> made;
    auto found = made.find(depth);
    if (found != made.end()) {
        return found->second;
    }
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("typeloom-bench-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder);
    const std::string output = (folder / "font.bofnt").string();
    std::string depthText = kDepths[depth];
    std::vector<std::string> arguments = {
        "vela_typeloomc", "-i", "win",   "-in", "DejaVu Sans", "-is", "24", "-ic",
        depthText,        "-o", "bofnt", "-of", output};
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    CCmdPgCtrl progress;
    g_pPgCtrl = &progress;
    const int exitCode = RunConsole(static_cast<int>(argv.size()), argv.data());
    g_pPgCtrl = nullptr;
    if (exitCode != 0) {
        std::abort();
    }
    CBinaryFile file(Utf8ToUtf16(output));
    file.Open(CBinaryFile::Access::kRead);
    CResFont font;
    font.Load(file);
    file.Close();
    std::filesystem::remove_all(folder);

    const TextureGlyphs& geometry = font.GetTextureGlyphs().value();
    const auto data = font.GetSheetData();
    std::vector<Sheet> sheets;
    for (std::size_t s = 0; s < geometry.sheetCount; ++s) {
        const auto bytes = data.subspan(s * geometry.sheetBytes, geometry.sheetBytes);
        sheets.emplace_back(bytes.begin(), bytes.end());
    }
    return made.emplace(depth, std::move(sheets)).first->second;
}

std::size_t TotalBytes(const std::vector<Sheet>& sheets) {
    std::size_t total = 0;
    for (const Sheet& sheet : sheets) {
        total += sheet.size();
    }
    return total;
}

Sheet Deflate(const Sheet& sheet, int level) {
    uLongf size = compressBound(static_cast<uLong>(sheet.size()));
    Sheet out(size);
    if (compress2(out.data(), &size, sheet.data(), static_cast<uLong>(sheet.size()), level) !=
        Z_OK) {
        std::abort();
    }
    out.resize(size);
    return out;
}

void Inflate(const Sheet& stream, Sheet& out) {
    uLongf size = static_cast<uLongf>(out.size());
    if (uncompress(out.data(), &size, stream.data(), static_cast<uLong>(stream.size())) != Z_OK) {
        std::abort();
    }
}

void Report(benchmark::State& state, const std::vector<Sheet>& sheets, std::size_t packed) {
    const std::size_t total = TotalBytes(sheets);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * total));
    state.counters["ratio"] = double(packed) / double(total);
    state.counters["sheets"] = double(sheets.size());
    state.SetLabel(kFormatNames[state.range(0)]);
}

void CompressH8(benchmark::State& state) {
    const auto& sheets = SheetsOf(static_cast<int>(state.range(0)));
    std::size_t packed = 0;
    for (auto _ : state) {
        packed = 0;
        for (const Sheet& sheet : sheets) {
            packed += Compress(sheet, u"h8").size();
        }
    }
    Report(state, sheets, packed);
}

void ExpandH8(benchmark::State& state) {
    const auto& sheets = SheetsOf(static_cast<int>(state.range(0)));
    std::vector<Sheet> streams;
    std::size_t packed = 0;
    for (const Sheet& sheet : sheets) {
        streams.push_back(Compress(sheet, u"h8"));
        packed += streams.back().size();
    }
    for (auto _ : state) {
        for (const Sheet& stream : streams) {
            benchmark::DoNotOptimize(Expand(stream, 1).data());
        }
    }
    Report(state, sheets, packed);
}

void DeflateLevel(benchmark::State& state) {
    const auto& sheets = SheetsOf(static_cast<int>(state.range(0)));
    const auto level = static_cast<int>(state.range(1));
    std::size_t packed = 0;
    for (auto _ : state) {
        packed = 0;
        for (const Sheet& sheet : sheets) {
            packed += Deflate(sheet, level).size();
        }
    }
    Report(state, sheets, packed);
}

void InflateLevel(benchmark::State& state) {
    const auto& sheets = SheetsOf(static_cast<int>(state.range(0)));
    const auto level = static_cast<int>(state.range(1));
    std::vector<Sheet> streams;
    std::size_t packed = 0;
    for (const Sheet& sheet : sheets) {
        streams.push_back(Deflate(sheet, level));
        packed += streams.back().size();
    }
    Sheet out(sheets.front().size());
    for (auto _ : state) {
        for (const Sheet& stream : streams) {
            Inflate(stream, out);
            benchmark::DoNotOptimize(out.data());
        }
    }
    Report(state, sheets, packed);
}

}  // namespace

BENCHMARK(CompressH8)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(ExpandH8)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(DeflateLevel)->ArgsProduct({{0, 1, 2, 3}, {1, 6}})->Unit(benchmark::kMillisecond);
BENCHMARK(InflateLevel)->ArgsProduct({{0, 1, 2, 3}, {1, 6}})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
