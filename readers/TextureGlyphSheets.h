#pragma once

#include <cstdint>
#include <memory>

#include "image/RgbImage.h"
#include "readers/QuillGlyphSource.h"
#include "writers/format/ResFontBlocks.h"

class CResFont;

// The glyphs of a TGLP block: every sheet decoded once into one true-colour image, sheets one
// below the other, and each glyph copied out of its cell.
class CTextureGlyphSheets final : public IQuillGlyphSource {
public:
    // Checks the sheet geometry against the data, expands compressed sheets and decodes them.
    // The font must stay alive and unchanged while glyphs are made.
    explicit CTextureGlyphSheets(const CResFont& font);

    int32_t GetTextureFormat() const override { return m_format; }
    int32_t GetBaseline() const override { return m_geometry.baseline; }
    std::unique_ptr<CGlyph> MakeGlyph(uint16_t index) const override;

private:
    void CheckGeometry() const;
    void Decode();

    const CResFont& m_font;
    TextureGlyphs m_geometry;
    int32_t m_format;
    // Empty for an unknown format: its cells are all paper, and are made so one by one.
    CRgbImage m_sheets;
    // The word of the first sheet's top-left spacing pixel, the paper colour.
    uint32_t m_background = 0x00FFFFFFu;
};
