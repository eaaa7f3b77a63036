#pragma once

#include "image/IImage.h"

// A true-colour picture: the low 24 bits of each word are the colour.
class CRgbImage : public IImage {
public:
    uint32_t GetRgb(int32_t x, int32_t y) const override { return GetValue(x, y); }
    std::unique_ptr<IImage> CreateSame() const override { return std::make_unique<CRgbImage>(); }
    bool IsIndexed() const override { return false; }
};
