#pragma once

#include <QLabel>
#include <optional>

#include "core/FontPreview.h"

// What a preview knows of one glyph, as the inspector lists it.
struct GlyphFacts {
    char16_t code = 0;
    uint16_t index = 0;
    int32_t picture = 0;
    int32_t column = 0;  // the cell's place on its picture, counted from 0
    int32_t row = 0;
    int32_t left = 0;
    int32_t glyphWidth = 0;
    int32_t advance = 0;
    // From the top row of ink down to the baseline row, as a glyph's ascent is counted; none
    // for a cell without ink.
    std::optional<int32_t> ascent;
};

// The facts of `glyph`, found in `preview`.
GlyphFacts FactsOf(const FontPreview& preview, const PreviewGlyph& glyph);

// The glyph pointed at or clicked in the preview: code point, glyph index, sheet and cell,
// left space, glyph width, advance and ascent.
class CGlyphInspector : public QLabel {
    Q_OBJECT

public:
    explicit CGlyphInspector(QWidget* parent);

    // Nothing shown for no glyph.
    void Show(const FontPreview* preview, const PreviewGlyph* glyph);
};
