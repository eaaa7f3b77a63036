#pragma once

#include <span>
#include <vector>

#include "image/IImage.h"

// A palette picture: the low 24 bits of each word index the palette of 0x00RRGGBB colours.
class CIndexImage : public IImage {
public:
    // An index beyond the palette shows as black.
    uint32_t GetRgb(int32_t x, int32_t y) const override {
        const uint32_t index = GetValue(x, y);
        return index < m_palette.size() ? m_palette[index] : 0;
    }
    std::unique_ptr<IImage> CreateSame() const override { return std::make_unique<CIndexImage>(); }
    bool IsIndexed() const override { return true; }
    // Into another palette picture the palette is copied too.
    void ExtractRect(IImage& target, int32_t x, int32_t y, int32_t w, int32_t h) const override;

    void SetPalette(std::span<const uint32_t> colours) {
        m_palette.assign(colours.begin(), colours.end());
    }
    std::span<const uint32_t> GetPalette() const { return m_palette; }
    // 2^bits grey levels (bits 0: the picture's bpp), index 0 white down to the last black.
    void MakeGrayPalette(int32_t bits);

private:
    std::vector<uint32_t> m_palette;
};
