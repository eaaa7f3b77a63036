#include "image/IndexImage.h"

void CIndexImage::ExtractRect(IImage& target, int32_t x, int32_t y, int32_t w, int32_t h) const {
    IImage::ExtractRect(target, x, y, w, h);
    if (auto* indexTarget = dynamic_cast<CIndexImage*>(&target)) {
        indexTarget->m_palette = m_palette;
    }
}

void CIndexImage::MakeGrayPalette(int32_t bits) {
    if (bits == 0) {
        bits = GetBpp();
    }
    if (bits <= 0 || bits > 16) {
        m_palette.clear();
        return;
    }
    const uint32_t count = 1u << bits;
    m_palette.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t g = count > 1 ? 255 * (count - 1 - i) / (count - 1) : 255;
        m_palette[i] = g * 0x010101u;
    }
}
