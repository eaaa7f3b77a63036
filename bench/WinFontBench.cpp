// Whole-font conversion of an installed font beside the floor no converter can beat: FreeType
// alone rendering the same glyphs in the same process; and the cost of outlines and shadows, the
// outlines beside FreeType's stroker alone.
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

// Whole reads of an installed face, settled as a conversion settles it, as often as the
// benchmark asks.
void ReadFace(benchmark::State& state, const CWinFontReader::Settings& settings) {
    CountingPgCtrl progress;
    g_pPgCtrl = &progress;
    std::size_t glyphs = 0;
    for (auto _ : state) {
        CWinFontReader reader{CWinFontReader::Settings(settings)};
        reader.ValidateInput();
        CFontData font;
        reader.ReadFontData(font, CCharFilter());
        font.ReflectGlyph();
        benchmark::DoNotOptimize(font.Glyphs().data());
        glyphs = font.GetGlyphCount();
    }
    g_pPgCtrl = nullptr;
    state.counters["glyphs"] = double(glyphs);
}

// Args: face (index into kFaces), bit depth.
void ConvertInstalledFont(benchmark::State& state) {
    CWinFontReader::Settings settings;
    settings.faceName = kFaces[state.range(0)];
    settings.size = 16;
    settings.bitDepth = static_cast<int32_t>(state.range(1));
    ReadFace(state, settings);
}

// Args: outline width (0 none), shadow (0 none, 1 at 2,2). DejaVu Sans at 16 pixels, IA4: what
// the effects cost beside the plain read.
void ConvertWithEffects(benchmark::State& state) {
    CWinFontReader::Settings settings;
    settings.faceName = kFaces[0];
    settings.size = 16;
    settings.bitDepth = 4;
    settings.alpha = true;
    if (state.range(0) > 0) {
        settings.effects.outline = static_cast<int32_t>(state.range(0));
    }
    if (state.range(1) > 0) {
        settings.effects.shadow = GlyphEffects::Offset{2, 2};
    }
    ReadFace(state, settings);
}

// The same walk through FreeType alone: index lookup for every code, one rendering per mapped
// code, each bitmap read once; with an outline of `stroke` pixels, each glyph stroked first.
void WalkFreeType(benchmark::State& state, const char16_t* face, FT_Int32 flags, int stroke) {
    const auto location = FindFaceFile(face, 400, false);
    FT_Library library = nullptr;
    if (!location || FT_Init_FreeType(&library) != 0) {
        state.SkipWithError("no font");
        return;
    }
    FT_Stroker stroker = nullptr;
    if (stroke > 0 && FT_Stroker_New(library, &stroker) == 0) {
        FT_Stroker_Set(stroker, FT_Fixed{stroke} * 64, FT_STROKER_LINECAP_ROUND,
                       FT_STROKER_LINEJOIN_ROUND, 0);
    }
    std::size_t glyphs = 0;
    for (auto _ : state) {
        FT_Face ftFace = nullptr;
        if (FT_New_Face(library, location->path.c_str(), FT_Long(location->index), &ftFace) != 0) {
            state.SkipWithError("cannot open the font");
            break;
        }
        FT_Set_Pixel_Sizes(ftFace, 0, 16);
        const FreeTypeWalk walk = RenderEveryMappedGlyph(ftFace, flags, stroker);
        glyphs = walk.glyphs;
        benchmark::DoNotOptimize(walk.checksum);
        FT_Done_Face(ftFace);
    }
    FT_Stroker_Done(stroker);
    FT_Done_FreeType(library);
    state.counters["glyphs"] = double(glyphs);
}

// Args: face (index into kFaces), bit depth.
void FreeTypeAlone(benchmark::State& state) {
    const FT_Int32 flags = FT_LOAD_RENDER | FT_LOAD_NO_BITMAP |
                           (state.range(1) == 1 ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
    WalkFreeType(state, kFaces[state.range(0)], flags, 0);
}

// Args: outline width. DejaVu Sans at 16 pixels, gray: the floor of ConvertWithEffects.
void FreeTypeStrokedAlone(benchmark::State& state) {
    WalkFreeType(state, kFaces[0], FT_LOAD_RENDER | FT_LOAD_NO_BITMAP,
                 static_cast<int>(state.range(0)));
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
BENCHMARK(ConvertWithEffects)
    ->ArgNames({"outline", "shadow"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({0, 1})
    ->Args({2, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(FreeTypeAlone)->Apply(Faces);
BENCHMARK(FreeTypeStrokedAlone)->ArgName("outline")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
