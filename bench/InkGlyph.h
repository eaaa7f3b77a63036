#pragma once

#include <memory>
#include <random>

#include "core/Glyph.h"

// A glyph of 12-20 x 20 pixels, each pixel black ink or transparent paper at random, standing
// on a baseline 16 rows down with one column of space on either side.
inline std::unique_ptr<CGlyph> RandomInkGlyph(std::mt19937& random) {
    auto glyph = std::make_unique<CGlyph>();
    glyph->image.Create(12 + static_cast<int32_t>(random() % 9), 20, 32);
    glyph->image.SetHasAlpha(true);
    for (uint32_t& p : glyph->image.Pixels()) {
        p = random() % 2 == 0 ? 0xFF000000u : 0x00FFFFFFu;
    }
    glyph->ascent = 16;
    glyph->leftSpace = 1;
    glyph->rightSpace = 1;
    return glyph;
}
