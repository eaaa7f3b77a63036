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

bool CGlyph::SetFromCell(const IImage& picture, const ImageRect& area,
                         std::span<const uint32_t> widthLine, int32_t baseline,
                         uint32_t background) {
    const uint32_t paper = background & 0x00FFFFFFu;
    const auto isPaper = [paper](uint32_t word) { return (word & 0x00FFFFFFu) == paper; };
    const auto length = static_cast<int32_t>(widthLine.size());
    int32_t start = 0;
    while (start < length && isPaper(widthLine[static_cast<std::size_t>(start)])) {
        ++start;
    }
    int32_t end = start;
    while (end < length && !isPaper(widthLine[static_cast<std::size_t>(end)])) {
        ++end;
    }
    for (int32_t x = end; x < length; ++x) {
        if (!isPaper(widthLine[static_cast<std::size_t>(x)])) {
            return false;
        }
    }
    const ImageRect found = picture.GetContentRect(background, area);
    // The drawing's place inside the area; an area without one crops to nothing at its corner.
    const bool drawn = found.Width() > 0;
    const ImageRect rect = drawn ? ImageRect{found.left - area.left, found.top - area.top,
                                             found.right - area.left, found.bottom - area.top}
                                 : ImageRect{};
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
    picture.ExtractRect(image, found.left, found.top, found.Width(), found.Height());
    ascent = baseline - rect.top;
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
