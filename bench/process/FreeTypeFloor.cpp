// The floor of an installed-font conversion: a program that does only what FreeType must do for
// it. It opens the face, sets the pixel size, looks up every code from 0x0000 to 0xFFFD and
// renders each mapped glyph once with the load flags of our installed-font reader, reading
// every bitmap byte once. With "stroke R", every glyph is stroked first as an outline of R
// pixels is (FreeType's stroker, round joins): the floor of an outlined conversion.
//
//   bench_freetype_floor FONT_FILE PIXELS [mono | stroke R]
//
// Prints the number of glyphs rendered and a checksum of their bytes.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/FreeTypeWalk.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: bench_freetype_floor FONT_FILE PIXELS [mono | stroke R]\n", stderr);
        return 1;
    }
    const bool mono = argc > 3 && std::strcmp(argv[3], "mono") == 0;
    const FT_Int32 flags = FT_LOAD_RENDER | FT_LOAD_NO_BITMAP | (mono ? FT_LOAD_TARGET_MONO : 0);
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, argv[1], 0, &face) != 0 ||
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::atoi(argv[2]))) != 0) {
        std::fputs("cannot open the face\n", stderr);
        return 1;
    }
    FT_Stroker stroker = nullptr;
    if (argc > 4 && std::strcmp(argv[3], "stroke") == 0) {
        if (FT_Stroker_New(library, &stroker) != 0) {
            return 1;
        }
        FT_Stroker_Set(stroker, FT_Fixed{std::atoi(argv[4])} * 64, FT_STROKER_LINECAP_ROUND,
                       FT_STROKER_LINEJOIN_ROUND, 0);
    }
    const FreeTypeWalk walk = RenderEveryMappedGlyph(face, flags, stroker);
    FT_Stroker_Done(stroker);
    std::printf("%u glyphs, checksum %u\n", walk.glyphs, walk.checksum);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return 0;
}
