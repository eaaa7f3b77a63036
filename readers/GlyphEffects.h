#pragma once

#include <cstdint>
#include <optional>

// What an installed font's glyphs may carry besides the letter: an outline stroked around every
// glyph and a drop shadow. Both need a format with alpha, where the intensity keeps the letter
// and the alpha holds letter, outline and shadow together.
struct GlyphEffects {
    static constexpr int32_t kMaxOutline = 16;
    static constexpr int32_t kMaxShadowOffset = 16;

    struct Offset {
        int32_t x = 0;  // pixels to the right
        int32_t y = 0;  // pixels down
    };

    // The outline's width in pixels beyond the glyph's edge, 1 to kMaxOutline.
    std::optional<int32_t> outline = {};
    // The shadow's offset, each -kMaxShadowOffset to kMaxShadowOffset.
    std::optional<Offset> shadow = {};

    bool Any() const { return outline.has_value() || shadow.has_value(); }
};
