#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "format/ResFontBlocks.h"
#include "format/TextureFormat.h"
#include "readers/QuillGlyphSource.h"

class CResFont;
class CPixelBudget;

// The glyphs of a TGLP block, each decoded from its own cell of the stored sheets; nothing
// else of a sheet is decoded. Compressed sheets are expanded when a glyph first needs them.
class CTextureGlyphSheets final : public IQuillGlyphSource {
public:
    // Refuses a texture format it cannot decode (281) and checks the sheet geometry against the
    // data. The font and the budget must outlive the object; expanded sheets are charged to it.
    CTextureGlyphSheets(const CResFont& font, CPixelBudget& budget);

    int32_t GetTextureFormat() const override { return m_format; }
    int32_t GetBaseline() const override { return m_geometry.baseline; }
    int64_t GetCellPixels() const override;
    std::unique_ptr<CGlyph> MakeGlyph(uint16_t index) const override;

private:
    // The stored bytes of one sheet, expanded on first use, and where its pixels lie in them.
    std::span<const uint8_t> SheetBytes(uint32_t sheet) const;
    texture::SheetLayout Layout() const;

    const CResFont& m_font;
    CPixelBudget& m_budget;
    TextureGlyphs m_geometry;
    int32_t m_format;
    bool m_compressed;
    // Compressed sheets: each one's stream, and the sheets expanded so far.
    std::vector<std::span<const uint8_t>> m_streams;
    mutable std::vector<std::vector<uint8_t>> m_expanded;
    // The word of the first sheet's top-left spacing pixel, the paper colour.
    uint32_t m_background = 0x00FFFFFFu;
};
