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
    // The word of every level byte the font service gives for the format (17 or 65 levels),
    // scaled to the depth's levels: level = byte x (2^depth - 1) >> 4 or >> 6, with alpha
    // level x 255 / (2^depth - 1).
    static LevelWords LevelWordsOf(GlyphFormat format, int32_t depth);

private:
    // The glyph with its outline and shadow: the letter's and the ring's levels on one canvas,
    // halved together with soft antialias.
    void LetterWithEffects(CGlyph& glyph, char16_t code, const ByteRows& coverage, GlyphBox& box);

    bool m_softAntialias = false;
    GlyphFormat m_format = GlyphFormat::kGray17;
    std::vector<uint8_t> m_levels;  // reused between glyphs
    LevelWords m_words{};           // by level
    LevelWords m_coverageWords{};   // by the rasteriser's coverage
    LevelMap m_coverageLevels{};    // the level of each coverage
};
