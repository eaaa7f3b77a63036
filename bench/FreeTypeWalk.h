#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

// FreeType's share of an installed-font conversion, the floor the converter is measured
// against: every code 0x0000-0xFFFD looked up, each mapped glyph rendered once with `flags`
// and every byte of its bitmap read.
struct FreeTypeWalk {
    unsigned glyphs = 0;
    unsigned checksum = 0;
};

inline FreeTypeWalk RenderEveryMappedGlyph(FT_Face face, FT_Int32 flags) {
    FreeTypeWalk walk;
    for (FT_ULong code = 0; code <= 0xFFFD; ++code) {
        const FT_UInt index = FT_Get_Char_Index(face, code);
        if (index == 0 || FT_Load_Glyph(face, index, flags) != 0) {
            continue;
        }
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        const unsigned bytes =
            bitmap.rows * static_cast<unsigned>(bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch);
        for (unsigned i = 0; i < bytes; ++i) {
            walk.checksum += bitmap.buffer[i];
        }
        ++walk.glyphs;
    }
    return walk;
}
