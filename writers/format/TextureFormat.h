#pragma once

#include <cstdint>
#include <span>

#include "image/IImage.h"

// The seven texture formats of the console's graphics hardware, by the number that the font
// model and the TGLP block carry.
enum TextureFormat : int32_t {
    kTexI4 = 0,
    kTexI8 = 1,
    kTexIA4 = 2,
    kTexIA8 = 3,
    kTexRGB565 = 4,
    kTexRGB5A3 = 5,
    kTexRGBA8 = 6,
};

inline constexpr int32_t kTextureFormatCount = 7;

namespace texture {

// True for the numbers 0-6.
bool IsKnownFormat(int32_t format);
// 4, 8, 16 or 32; 0 for an unknown format.
int32_t BitsPerPixel(int32_t format);
// The pixels of one tile; 0 x 0 for an unknown format.
int32_t BlockWidth(int32_t format);
int32_t BlockHeight(int32_t format);
// (bits per pixel x width x height + 7) / 8, in 64 bits; 0 for an unknown format or a negative
// size.
int64_t SheetBytes(int32_t format, int64_t width, int64_t height);

// Encodes the whole image (several sheets stacked vertically encode as one tall image) in the
// format, tile by tile. `out` must hold SheetBytes(format, width, height) bytes; pixels beyond
// whole tiles are not stored. A wrong buffer size or an unknown format is an internal error
// (category 7).
void EncodeSheets(const IImage& image, int32_t format, std::span<uint8_t> out);

// Overwrites every pixel of the image's whole tiles from the stored values; the image must
// already have its final size. Data shorter than the image needs is a broken resource
// (category 6, message 151); an unknown format leaves the image as it is.
void DecodeSheets(std::span<const uint8_t> data, int32_t format, IImage& image);

}  // namespace texture
