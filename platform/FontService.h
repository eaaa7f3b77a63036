#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

// What the rasterisers ask of a font: the face by its exact name (a font file, see
// FontFileReference; a family; or a family with a style, a full or PostScript name, see
// FindStyledFace), the size and the style.
struct FontDescription {
    // Negative: the character (em) height in pixels; positive: the cell height; 0: 12 pixels.
    int32_t height = 0;
    // Average character width in pixels; 0 or less lets the font choose.
    int32_t width = 0;
    int32_t weight = 400;  // OpenType scale
    bool italic = false;
    std::u16string faceName;  // compared exactly, never shortened
};

// The selected font's metrics in pixels.
struct TextMetrics {
    int32_t height = 0;  // ascent + descent
    int32_t ascent = 0;
    int32_t descent = 0;
    int32_t internalLeading = 0;  // height minus the character height
    int32_t aveCharWidth = 0;
    int32_t maxCharWidth = 0;
};

// What an outline query reports besides the bitmap.
struct GlyphMetrics {
    int32_t blackBoxX = 0;  // bitmap columns
    int32_t blackBoxY = 0;  // bitmap rows
    int32_t originX = 0;    // pen position to the bitmap's left column
    int32_t originY = 0;    // baseline up to the bitmap's top row
    int32_t cellIncX = 0;   // advance width
};

// Bytes of one per pixel in a buffer someone else owns: `height` rows of `width` bytes, row y
// at first + y * pitch. A glyph's coverage (0 none to 255 full) comes this way, valid until the
// next query of the same service, and the rasterisers hand their levels on in it.
struct ByteRows {
    const uint8_t* first = nullptr;
    std::ptrdiff_t pitch = 0;
    int32_t width = 0;
    int32_t height = 0;
};

struct AbcWidths {
    int32_t a = 0;  // pen position to the ink
    int32_t b = 0;  // ink width
    int32_t c = 0;  // ink to the next pen position
};

enum class GlyphFormat : int32_t {
    kMetrics = 0,  // no bitmap
    kGray17 = 5,   // levels 0 to 16
    kGray65 = 6,   // levels 0 to 64
};

// The result of an outline query that failed.
inline constexpr uint32_t kGlyphError = 0xFFFFFFFFu;
// The glyph index of a code the font does not map.
inline constexpr uint16_t kMissingGlyph = 0xFFFF;

// One font opened for one conversion: the glyph queries of a desktop text service, answered by
// the outline rasteriser. The rasteriser's glyph slot is reused between queries of one glyph,
// so asking for the size and then the bits of a glyph renders it once.
class CFontService {
public:
    CFontService();
    ~CFontService();
    CFontService(const CFontService&) = delete;
    CFontService& operator=(const CFontService&) = delete;
    CFontService(CFontService&&) noexcept;
    CFontService& operator=(CFontService&&) noexcept;

    // Starts the rasteriser; false when it cannot start.
    bool Initialize();
    // Opens the face and sets its size; false when the face cannot be found, opened or sized.
    bool CreateFont(const FontDescription& description);
    bool GetTextMetrics(TextMetrics& metrics) const;

    // The glyph index of one UTF-16 code unit, kMissingGlyph when the font lacks it.
    uint16_t GetGlyphIndex(char16_t code);

    // With an empty buffer: the bytes the bitmap needs (0 for a glyph without pixels). With a
    // buffer of that size: the levels, one byte each, rows top first, each row padded to a
    // multiple of 4 bytes. kMetrics fills only the metrics. kGlyphError on failure, when the
    // metrics are left as they were.
    uint32_t GetGlyphOutline(char16_t code, GlyphFormat format, GlyphMetrics& metrics,
                             std::span<uint8_t> buffer);
    // The rendering behind a gray-level GetGlyphOutline, handed over instead of copied: the
    // same metrics and the same result (the size that GetGlyphOutline's levels would take).
    uint32_t GetGlyphCoverage(char16_t code, GlyphMetrics& metrics, ByteRows& coverage);
    // The level (0-16 or 0-64) that GetGlyphOutline gives for one byte of coverage.
    static uint8_t LevelOfCoverage(GlyphFormat format, uint8_t coverage);
    // From now on every glyph rendered is also stroked: FreeType's stroker runs a round pen of
    // `radius` pixels along the glyph's scaled outline (round joins and caps), and the ring it
    // leaves, reaching `radius` either side of every contour, is rendered like the glyph and
    // kept beside it. 0 stops stroking. False when the stroker cannot be made.
    bool SetStroke(int32_t radius);
    // The ring of the rendering that the last GetGlyphCoverage, GetGlyphOutline or
    // DrawOpaqueText of `code` made: one byte per pixel, coverage 0-255 (0 or 255 beside a
    // two-level rendering), placed as its metrics say (origins as in GlyphMetrics); valid until
    // the next query. False when no ring of that code is held.
    bool GetStrokeRing(char16_t code, GlyphMetrics& metrics, ByteRows& ring) const;
    bool GetCharAbcWidths(char16_t code, AbcWidths& widths);
    bool GetCharWidth(char16_t code, int32_t& width);

    // Draws the code unit as opaque text at the top-left corner of a cell of side x side
    // pixels, one byte per pixel, rows top first, `stride` bytes apart: a box as wide as the
    // advance and as high as the font's cell becomes `paper`, its 1-bit ink `ink`, and the rest
    // of the cell is left as it was. False on failure.
    bool DrawOpaqueText(char16_t code, std::span<uint8_t> cell, int32_t side, int32_t stride,
                        uint8_t ink, uint8_t paper);

private:
    struct State;
    std::unique_ptr<State> m_state;
};
