#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include FT_STROKER_H

// FreeType's share of an installed-font conversion, the floor the converter is measured
// against: every code 0x0000-0xFFFD looked up, each mapped glyph rendered once with `flags`
// and every byte of its bitmap read.
struct FreeTypeWalk {
    unsigned glyphs = 0;
    unsigned checksum = 0;
};

inline unsigned SumOfBytes(const FT_Bitmap& bitmap) {
    const unsigned bytes =
        bitmap.rows * static_cast<unsigned>(bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch);
    unsigned sum = 0;
    for (unsigned i = 0; i < bytes; ++i) {
        sum += bitmap.buffer[i];
    }
    return sum;
}

// The stroker's part of an outlined glyph, as little as FreeType lets it be: one parse of the
// outline loaded in the slot, both borders (the band) and the outside border alone exported and
// rendered. The sum of the rendered bytes.
inline unsigned StrokeSlot(FT_GlyphSlot slot, FT_Stroker stroker) {
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE ||
        FT_Stroker_ParseOutline(stroker, &slot->outline, false) != 0) {
        return 0;
    }
    unsigned sum = 0;
    for (int part = 0; part < 2; ++part) {
        const FT_StrokerBorder border = FT_Outline_GetOutsideBorder(&slot->outline);
        FT_UInt points = 0;
        FT_UInt contours = 0;
        if (part == 0) {
            FT_Stroker_GetCounts(stroker, &points, &contours);
        } else {
            FT_Stroker_GetBorderCounts(stroker, border, &points, &contours);
        }
        FT_Glyph glyph = nullptr;
        if (FT_New_Glyph(slot->library, FT_GLYPH_FORMAT_OUTLINE, &glyph) != 0) {
            continue;
        }
        FT_Outline& outline = reinterpret_cast<FT_OutlineGlyph>(glyph)->outline;
        if (FT_Outline_New(slot->library, points, FT_Int(contours), &outline) == 0) {
            outline.n_points = 0;
            outline.n_contours = 0;
            if (part == 0) {
                FT_Stroker_Export(stroker, &outline);
            } else {
                FT_Stroker_ExportBorder(stroker, border, &outline);
            }
            if (FT_Glyph_To_Bitmap(&glyph, FT_RENDER_MODE_NORMAL, nullptr, true) == 0) {
                sum += SumOfBytes(reinterpret_cast<FT_BitmapGlyph>(glyph)->bitmap);
            }
        }
        FT_Done_Glyph(glyph);
    }
    return sum;
}

// With a `stroker`, every glyph is stroked as well (StrokeSlot) before it is rendered.
inline FreeTypeWalk RenderEveryMappedGlyph(FT_Face face, FT_Int32 flags,
                                           FT_Stroker stroker = nullptr) {
    FreeTypeWalk walk;
    for (FT_ULong code = 0; code <= 0xFFFD; ++code) {
        const FT_UInt index = FT_Get_Char_Index(face, code);
        if (index == 0 ||
            FT_Load_Glyph(face, index, stroker ? flags & ~FT_LOAD_RENDER : flags) != 0) {
            continue;
        }
        if (stroker) {
            walk.checksum += StrokeSlot(face->glyph, stroker);
            if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
                continue;
            }
        }
        walk.checksum += SumOfBytes(face->glyph->bitmap);
        ++walk.glyphs;
    }
    return walk;
}
