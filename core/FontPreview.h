#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "image/ImageRect.h"
#include "image/RgbImage.h"

// One character's glyph where a writer placed it.
struct PreviewGlyph {
    char16_t code = 0;
    // Binary fonts: the glyph index; image fonts: the cell's place in the letter order, row by row.
    uint16_t index = 0;
    // The picture that holds the glyph, and its cell there: the glyph's pixels start
    // `pixelsAt` right of the cell's left edge and the baseline lies on the cell's row
    // FontPreview::baseline.
    int32_t picture = 0;
    ImageRect cell;
    int32_t left = 0;
    int32_t glyphWidth = 0;
    // left + glyph width + right space.
    int32_t advance = 0;
    // 0 on a binary font's sheets; an image font's cell places each glyph within it.
    int32_t pixelsAt = 0;
};

// What a preview draws of a font as a target holds it, in memory and without a file: the
// pictures the target stores, decoded to pixels (a binary font's texture sheets, one picture
// per sheet, or the one picture of an image font), and where each character's glyph lies on
// them with its widths. Made by a writer from a converted font (CFontWriter::PreviewFontData)
// or from a binary font file as it stands (format/ResFontPreview.h).
struct FontPreview {
    std::vector<CRgbImage> pictures;
    // In ascending code.
    std::vector<PreviewGlyph> glyphs;
    int32_t cellWidth = 0;
    int32_t cellHeight = 0;
    // Row of the baseline within a cell, counted from the cell's top.
    int32_t baseline = 0;
    int32_t ascent = 0;
    int32_t descent = 0;
    int32_t lineFeed = 0;
    int32_t width = 0;
    // The texture format of a binary font's sheets (0-6, or the unknown number a file gave);
    // -1 for an image font.
    int32_t textureFormat = -1;
    // The pictures are a BMFont font's pages (their format is PNG's, not a texture format).
    bool bmFontPages = false;
    // The pictures' ink is light on transparent paper (a BMFont font's pages in an intensity
    // format: white glyphs), to be shown on dark squares rather than light ones.
    bool lightInk = false;
    // The character drawn for codes the font lacks, when the target has one.
    std::optional<char16_t> alternate;

    // The glyph of a code, or nullptr.
    const PreviewGlyph* Find(char16_t code) const;
};
