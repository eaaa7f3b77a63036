#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/FontService.h"
#include "readers/EffectCanvas.h"
#include "readers/GlyphEffects.h"

class CGlyph;

// What one rendered character hands to SetGlyph.
struct GlyphBox {
    int32_t width = 0;       // columns of the rendered pixel block
    int32_t height = 0;      // rows of the rendered pixel block
    int32_t left = 0;        // pen position to the block's left column; may be negative
    int32_t advance = 0;     // the character's advance width
    int32_t top = 0;         // rows from the block's top row down to the baseline
    uint8_t inkLevel = 0;    // full ink: 2^depth - 1
    uint8_t paperLevel = 0;  // no ink
};

// The final word of each level byte a rasteriser renders: the level's gray from the depth's
// ramp (white for no ink, black beyond the ramp) with the level's alpha in the top byte.
using LevelWords = std::array<uint32_t, 256>;

// Base of the rasterisers: the options, the font, the cell metrics, and the step that turns a
// rendered cell into a glyph. One rasteriser serves one conversion.
class CLetterer {
public:
    // How a glyph's left and right spaces are chosen.
    enum WidthType : int32_t {
        kWidthGlyph = 0,   // no spaces: the ink alone
        kWidthKeepSp = 1,  // no spaces, but an inkless character keeps its advance
        kWidthChar = 2,    // the font's own bearings and advance
        kWidthFixed = 3,   // the ink centred in the fixed width
    };

    CLetterer() = default;
    CLetterer(const CLetterer&) = delete;
    CLetterer& operator=(const CLetterer&) = delete;
    virtual ~CLetterer() = default;

    // Once, before Create. Depth 1 stays 1, 2-4 become 4, 5-8 become 8; outside 1-8 fails with
    // 169, a width type outside 0-3 with 158.
    void SetOption(int32_t bitDepth, int32_t widthType, int32_t fixedWidth);
    // Once, before Create: the outline and shadow every glyph gets.
    void SetEffects(const GlyphEffects& effects) { m_effects = effects; }
    // Opens the font; once per conversion.
    virtual void Create(const FontDescription& description) = 0;
    // Renders one UTF-16 code unit into an empty glyph; false (the glyph untouched) when the
    // font has no glyph for it.
    virtual bool LetterChar(CGlyph& glyph, char16_t code) = 0;
    // Whether the face maps the code; LetterChar of a code it does not map does nothing.
    bool HasGlyph(char16_t code) { return m_font.GetGlyphIndex(code) != kMissingGlyph; }

    // Crops the rendered levels to their ink, the pixels whose word has alpha, and makes the
    // glyph's image of their words in one pass, with the spaces the width type asks for. The
    // rows may be narrower or lower than the box; the rest of the box is paper.
    void SetGlyph(CGlyph& glyph, const ByteRows& rows, const LevelWords& words,
                  const GlyphBox& box);
    // The same with the colour and the alpha of each pixel from two planes of one geometry: the
    // gray of the letter's level and the alpha of the hull's, the ink being where the hull has
    // alpha.
    void SetGlyph(CGlyph& glyph, const ByteRows& letter, const ByteRows& hull,
                  const LevelWords& words, const GlyphBox& box);
    // Gray entry `index` of the ramp of 2^depth levels: white first, black last, and black for
    // an index beyond the ramp.
    static uint32_t GrayOf(uint32_t index, int32_t depth);
    // Places this font's glyphs on the same baseline as the glyphs of `first`, a rasteriser of
    // another face with the same options, when both serve one conversion (after both Create
    // calls). The two-level glyph takes its top from the face's ascent less the internal
    // leading, which differs between faces: here the first face's leading counts.
    void ShareBaseline(const CLetterer& first);
    int32_t GetBitDepth() const { return m_bitDepth; }
    int32_t GetAscent() const { return m_ascent; }
    int32_t GetCellSide() const { return m_cellSide; }

protected:
    // Starts the font service (116).
    void StartFontService();
    // Opens the font the description names (117).
    void SetupFont(const FontDescription& description);
    // Reads the text metrics (120) and derives the ascent and the cell side.
    void CalcurateParameter();
    // With an outline, has the font service stroke every glyph it renders with a pen of the
    // outline's width times `scale` (473).
    void StartStroke(int32_t scale);
    bool HasEffects() const { return m_effects.Any(); }
    // Lays the rendered block of `code` and its outline ring on the canvas. The ring is placed
    // by the font's pen and baseline: the pen box.left columns left of the block's left column,
    // the baseline `baselineRow` rows below its top row.
    void LayEffects(char16_t code, const ByteRows& letter, const LevelMap& letterLevels,
                    const LevelMap& ringLevels, int32_t baselineRow, int32_t columnStep,
                    GlyphBox& box);
    // Adds the shadow to the canvas and makes the glyph of it.
    void FinishEffects(CGlyph& glyph, const LevelWords& words, GlyphBox& box);
    // Rows from the top of a text cell down to the baseline, as the font service draws text.
    int32_t GetTextAscent() const { return m_textAscent; }

    CFontService m_font;
    CEffectCanvas m_canvas;

private:
    GlyphEffects m_effects;
    int32_t m_widthType = 0;
    int32_t m_bitDepth = 0;
    int32_t m_fixedWidth = 0;
    int32_t m_ascent = 0;
    int32_t m_textAscent = 0;
    int32_t m_internalLeading = 0;
    int32_t m_cellSide = 0;
};
