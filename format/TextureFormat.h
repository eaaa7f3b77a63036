#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "image/IImage.h"

// The seven texture formats of the console's graphics hardware, by the number that the font
// model and the TGLP block carry.
enum TextureFormat : int32_t {
    kTexI4 = 0,      // 4-bit intensity
    kTexI8 = 1,      // 8-bit intensity
    kTexIA4 = 2,     // 4-bit intensity and 4-bit alpha
    kTexIA8 = 3,     // 8-bit intensity and 8-bit alpha
    kTexRGB565 = 4,  // 16-bit colour without alpha
    kTexRGB5A3 = 5,  // 16-bit: opaque 5-5-5 colour, or 4-4-4 colour with 3-bit alpha
    kTexRGBA8 = 6,   // 32-bit colour and alpha
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

// Where the pixels of a tiled picture lie: `width` x `height` pixels in `format` (several
// sheets stacked vertically are one picture of their total height). Only whole tiles are
// stored; a pixel outside them has no place.
struct SheetLayout {
    int32_t format = kTexI4;
    int64_t width = 0;
    int64_t height = 0;
};

// Encodes the whole image (several sheets stacked vertically encode as one tall image) in the
// format, tile by tile. `out` must hold SheetBytes(format, width, height) bytes; pixels beyond
// whole tiles are not stored. A wrong buffer size or an unknown format is an internal error
// (category 7).
void EncodeSheets(const IImage& image, int32_t format, std::span<uint8_t> out);

// The SheetBytes of the layout with every pixel stored as the one word `word` (bytes past whole
// tiles zero), written once each: no zeroed buffer is filled again.
std::vector<uint8_t> FilledSheets(uint32_t word, const SheetLayout& layout);
// Encodes the w x h pixels at (sx, sy) of `image` at (dx, dy) of the sheets; the rectangle
// must lie within the image, and its pixels outside whole tiles are left out, as are the
// pixels of the word `alreadyStored`, which the caller has stored there (the background of
// freshly filled sheets, say).
void EncodeRect(const IImage& image, int32_t sx, int32_t sy, int32_t w, int32_t h,
                const SheetLayout& layout, int64_t dx, int64_t dy, std::span<uint8_t> out,
                std::optional<uint32_t> alreadyStored = std::nullopt);
// Stores the w x h pixels at (dx, dy) of the sheets as the one word `word`.
void FillRect(uint32_t word, const SheetLayout& layout, int64_t dx, int64_t dy, int32_t w,
              int32_t h, std::span<uint8_t> out);

// Overwrites every pixel of the image's whole tiles from the stored values; the image must
// already have its final size. Data shorter than the image needs is a broken resource
// (category 6, message 151); an unknown format leaves the image as it is.
void DecodeSheets(std::span<const uint8_t> data, int32_t format, IImage& image);
// Decodes the w x h pixels at (sx, sy) of the sheets, which `data` holds whole, into `image`
// at (0, 0), so that one glyph's cell is read without the rest; the image must hold w x h
// pixels. Pixels outside whole tiles are left as they are; data shorter than the layout needs
// is a broken resource (category 6, message 151); an unknown format changes nothing.
void DecodeRect(std::span<const uint8_t> data, const SheetLayout& layout, int64_t sx, int64_t sy,
                int32_t w, int32_t h, IImage& image);

}  // namespace texture
