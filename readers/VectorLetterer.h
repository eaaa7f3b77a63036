#pragma once

#include <span>
#include <vector>

#include "readers/Letterer.h"

// Renders gray-level glyphs from the font's outlines: 17 levels for depth 4, 65 for depth 8;
// with soft antialias at twice the size, reduced 2 x 2.
class CVectorLetterer : public CLetterer {
public:
    void SetSoftAntialias(bool softAntialias) { m_softAntialias = softAntialias; }
    void Create(const FontDescription& description) override;
    bool LetterChar(CGlyph& glyph, char16_t code) override;

    // Halves the rendered block in place: 2 x 2 blocks aligned on the baseline, each output
    // level the rounded mean of its four levels (missing positions count 0); rows become dense.
    static void ReduceSoftAntialias(std::span<uint8_t> levels, GlyphBox& box);
    // The box's width x height levels (rows `box.width` apart) as a palette cell of the depth's
    // gray ramp, each level scaled from the format's range and given its alpha.
    static void ConvertLevels(std::span<const uint8_t> levels, GlyphFormat format, int32_t depth,
                              const GlyphBox& box, CIndexImage& cell);

private:
    bool m_softAntialias = false;
    std::vector<uint8_t> m_levels;  // reused between glyphs
    CIndexImage m_cell;
};
