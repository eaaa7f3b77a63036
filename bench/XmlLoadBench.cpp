// Loading the definition files we ship, and how fast hostile files are turned away.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/GlobalException.h"
#include "base/Text.h"
#include "xml/CharFilter.h"
#include "xml/GlyphOrder.h"
#include "xml/XmlLibrary.h"

namespace {

std::u16string ShippedOrder(const char* name) {
    return Utf8ToUtf16((std::filesystem::path(TL_SOURCE_DIR) / "data" / "xlor" / name).string());
}

// Writes a file once per process into the temporary folder.
std::u16string ScratchFile(const std::string& name, const std::string& content) {
    const auto path = std::filesystem::temp_directory_path() / ("typeloom-bench-" + name);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
    return Utf8ToUtf16(path.string());
}

// Arg: 0 cp1252.xlor (224 cells), 1 cp932.xlor (7,990 cells).
void LoadShippedOrder(benchmark::State& state) {
    const CXmlLibrary library;
    const std::u16string path = ShippedOrder(state.range(0) == 0 ? "cp1252.xlor" : "cp932.xlor");
    std::size_t cells = 0;
    for (auto _ : state) {
        CGlyphOrder order;
        order.Load(path);
        cells = order.Codes().size();
        benchmark::DoNotOptimize(cells);
    }
    state.counters["cells"] = static_cast<double>(cells);
}
BENCHMARK(LoadShippedOrder)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A filter narrowed to the Japanese order and asked about every code.
void FilterWithJapaneseOrder(benchmark::State& state) {
    const CXmlLibrary library;
    CGlyphOrder order;
    order.Load(ShippedOrder("cp932.xlor"));
    for (auto _ : state) {
        CCharFilter filter;
        filter.CombineWithOrder(order);
        int passing = 0;
        for (uint32_t code = 0; code < 0x10000; ++code) {
            passing += filter.IsExcluded(static_cast<uint16_t>(code)) ? 0 : 1;
        }
        benchmark::DoNotOptimize(passing);
    }
}
BENCHMARK(FilterWithJapaneseOrder)->Unit(benchmark::kMicrosecond);

// Arg: 0 billion laughs (10 levels of 10), 1 10,000-deep nesting, 2 999 copies of a
// 5,000-character entity. Each must end (the first and last in an error) within milliseconds.
void HostileOrder(benchmark::State& state) {
    const CXmlLibrary library;
    const std::string dtd =
        "<!ELEMENT letter-order ANY><!ATTLIST letter-order version CDATA "
        "#IMPLIED><!ELEMENT body ANY><!ELEMENT order ANY>";
    std::string content;
    if (state.range(0) == 0) {
        std::string entities = "<!ENTITY l0 \"lol\">";
        for (int level = 1; level <= 10; ++level) {
            entities += "<!ENTITY l" + std::to_string(level) + " \"";
            for (int i = 0; i < 10; ++i) {
                entities += "&l" + std::to_string(level - 1) + ";";
            }
            entities += "\">";
        }
        content = "<!DOCTYPE letter-order [" + dtd + entities +
                  "]><letter-order version=\"1.0\"><body><order>&l10;</order></body>"
                  "</letter-order>";
    } else if (state.range(0) == 1) {
        std::string open;
        std::string close;
        for (int i = 0; i < 10000; ++i) {
            open += "<x>";
            close += "</x>";
        }
        content = "<letter-order version=\"1.1\"><body><order>" + open + "A" + close +
                  "</order></body></letter-order>";
    } else {
        std::string uses;
        for (int i = 0; i < 999; ++i) {
            uses += "&big;";
        }
        content = "<!DOCTYPE letter-order [" + dtd + "<!ENTITY big \"" + std::string(5000, 'A') +
                  "\">]><letter-order version=\"1.0\"><body><order>" + uses +
                  "</order></body></letter-order>";
    }
    const std::u16string path = ScratchFile("hostile.xlor", content);
    for (auto _ : state) {
        try {
            CGlyphOrder order;
            order.Load(path);
        } catch (const CGeneralException& e) {
            benchmark::DoNotOptimize(e.What().size());
        }
    }
}
BENCHMARK(HostileOrder)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
