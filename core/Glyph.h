#pragma once

#include <cstdint>
#include <span>

#include "image/RgbImage.h"

// One glyph record: its cropped image, the spaces around it and where its baseline lies.
class CGlyph {
public:
    int32_t ascent = 0;      // rows from the image's top row down to the baseline row
    int32_t leftSpace = 0;   // blank columns in front of the image
    int32_t rightSpace = 0;  // blank columns after the image
    CRgbImage image;         // may be 0 x 0
    uint16_t glyphIndex = 0;
    uint16_t charCode = 0;

    CGlyph() { image.Create(0, 0, 32); }

    int32_t Advance() const { return leftSpace + image.GetWidth() + rightSpace; }

    // Crops the source to the pixels whose whole word differs from `background`.
    void SetFromImage(const IImage& source, int32_t left, int32_t right, int32_t baseline,
                      uint32_t background);
    // Crops the source to its pixels with alpha; trimmed columns move into the spaces, so the
    // advance stays the source width plus the given spaces.
    void SetFromOpaqueImage(const IImage& source, int32_t left, int32_t right, int32_t baseline);
    // Crops the glyph area `area` of an image-font picture (its baseline `baseline` rows below
    // the area's top); the spaces come from the width line (the words of one row, the pixels
    // whose colour differs from the background's) against the drawing. Returns false, changing
    // nothing, when the row holds a second width line.
    bool SetFromCell(const IImage& picture, const ImageRect& area,
                     std::span<const uint32_t> widthLine, int32_t baseline, uint32_t background);

    bool Equals(const CGlyph& other) const;

    // The image on transparent white with its baseline on `baselineRow`; rows above the glyph
    // are added, nothing is cut.
    void DrawAligned(IImage& target, int32_t baselineRow) const;

private:
    void CropTo(const IImage& source, const ImageRect& rect, int32_t baseline);
};
