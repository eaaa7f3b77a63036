#include "core/Glyph.h"

void CGlyph::CropTo(const IImage& source, const ImageRect& rect, int32_t baseline) {
    source.ExtractRect(image, rect.left, rect.top, rect.Width(), rect.Height());
    ascent = baseline - rect.top;
}

void CGlyph::SetFromImage(const IImage& source, int32_t left, int32_t right, int32_t baseline,
                          uint32_t background) {
    const ImageRect rect = source.GetContentRect(background);
    leftSpace = left;
    rightSpace = right;
    CropTo(source, rect, baseline);
}

void CGlyph::SetFromOpaqueImage(const IImage& source, int32_t left, int32_t right,
                                int32_t baseline) {
    const ImageRect rect = source.GetOpaqueRect();
    leftSpace = left + rect.left;
    rightSpace = right + (source.GetWidth() - rect.right);
    CropTo(source, rect, baseline);
}

bool CGlyph::SetFromCell(const IImage& cell, const IImage& widthLine, int32_t baseline,
                         uint32_t background) {
    const uint32_t paper = background & 0x00FFFFFFu;
    const int32_t length = widthLine.GetWidth();
    int32_t start = 0;
    while (start < length && widthLine.GetRgb(start, 0) == paper) {
        ++start;
    }
    int32_t end = start;
    while (end < length && widthLine.GetRgb(end, 0) != paper) {
        ++end;
    }
    for (int32_t x = end; x < length; ++x) {
        if (widthLine.GetRgb(x, 0) != paper) {
            return false;
        }
    }
    const ImageRect rect = cell.GetContentRect(background);
    const bool hasLine = start < length;
    if (!hasLine) {
        leftSpace = 0;
        rightSpace = -rect.Width();
    } else if (rect.Width() > 0) {
        leftSpace = rect.left - start;
        rightSpace = end - rect.right;
    } else {
        leftSpace = end - start;
        rightSpace = 0;
    }
    CropTo(cell, rect, baseline);
    return true;
}

bool CGlyph::Equals(const CGlyph& other) const {
    return ascent == other.ascent && leftSpace == other.leftSpace &&
           rightSpace == other.rightSpace && image.Equals(other.image);
}

void CGlyph::DrawAligned(IImage& target, int32_t baselineRow) const {
    int32_t top = baselineRow - ascent;
    if (top < 0) {
        top = 0;
    }
    target.Create(image.GetWidth(), image.GetHeight() + top, image.GetBpp());
    target.SetHasAlpha(true);
    target.Fill(0xFFFFFF, 0);
    target.Paste(image, 0, top);
}
