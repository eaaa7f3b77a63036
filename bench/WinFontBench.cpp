// Whole-font conversion of an installed font beside the floor no converter can beat: FreeType
// alone rendering the same glyphs in the same process.
#include <benchmark/benchmark.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "bench/FreeTypeWalk.h"
#include "core/FontData.h"
#include "core/PgCtrl.h"
#include "platform/FontCatalog.h"
#include "readers/WinFontReader.h"
#include "xml/CharFilter.h"

namespace {

// A progress control that only counts, as a front end that never cancels.
class CountingPgCtrl : public CPgCtrl {
public:
    bool IsCanceled() override { return false; }
    void SetStatus(int) override {}
    void ResetProgress() override {}
    void SetProgressRange(int) override {}
    void StepProgress(int steps) override { benchmark::DoNotOptimize(m_steps += steps); }
    void AddWarning(const std::u16string&, bool) override {}

private:
    int m_steps = 0;
};

const char16_t* const kFaces[] = {u"DejaVu Sans", u"IPAGothic"};

// Args: face (index into kFaces), bit depth.
void ConvertInstalledFont(benchmark::State& state) {
    const std::u16string face = kFaces[state.range(0)];
    const auto depth = static_cast<int32_t>(state.range(1));
    CountingPgCtrl progress;
    g_pPgCtrl = &progress;
    std::size_t glyphs = 0;
    for (auto _ : state) {
        CWinFontReader::Settings settings;
        settings.faceName = face;
        settings.size = 16;
        settings.bitDepth = depth;
        CWinFontReader reader(std::move(settings));
        reader.ValidateInput();
        CFontData font;
        reader.ReadFontData(font, CCharFilter());
        font.ReflectGlyph();
        glyphs = font.GetGlyphCount();
        benchmark::DoNotOptimize(font.Glyphs().data());
    }
    g_pPgCtrl = nullptr;
    state.counters["glyphs"] = double(glyphs);
}

// The same walk through FreeType alone: index lookup for every code, one rendering per mapped
// code, each bitmap read once.
void FreeTypeAlone(benchmark::State& state) {
    const std::u16string face = kFaces[state.range(0)];
    const FT_Int32 flags = FT_LOAD_RENDER | FT_LOAD_NO_BITMAP |
                           (state.range(1) == 1 ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
    const auto location = FindFaceFile(face, 400, false);
    FT_Library library = nullptr;
    if (!location || FT_Init_FreeType(&library) != 0) {
        state.SkipWithError("no font");
        return;
    }
    std::size_t glyphs = 0;
    for (auto _ : state) {
        FT_Face ftFace = nullptr;
        if (FT_New_Face(library, location->path.c_str(), FT_Long(location->index), &ftFace) != 0) {
            state.SkipWithError("cannot open the font");
            break;
        }
        FT_Set_Pixel_Sizes(ftFace, 0, 16);
        const FreeTypeWalk walk = RenderEveryMappedGlyph(ftFace, flags);
        glyphs = walk.glyphs;
        benchmark::DoNotOptimize(walk.checksum);
        FT_Done_Face(ftFace);
    }
    FT_Done_FreeType(library);
    state.counters["glyphs"] = double(glyphs);
}

void Faces(benchmark::internal::Benchmark* b) {
    b->ArgNames({"face", "depth"});
    for (int face = 0; face < 2; ++face) {
        for (int depth : {4, 1}) {
            b->Args({face, depth});
        }
    }
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(ConvertInstalledFont)->Apply(Faces);
BENCHMARK(FreeTypeAlone)->Apply(Faces);

}  // namespace

BENCHMARK_MAIN();
