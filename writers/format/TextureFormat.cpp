#include "writers/format/TextureFormat.h"

#include <algorithm>

#include "core/GlobalException.h"

namespace {

struct FormatShape {
    int32_t bits;
    int32_t blockWidth;
    int32_t blockHeight;
};

constexpr FormatShape kShapes[kTextureFormatCount] = {
    {4, 8, 8}, {8, 8, 4}, {8, 8, 4}, {16, 4, 4}, {16, 4, 4}, {16, 4, 4}, {32, 4, 4},
};

inline uint32_t Luma(uint32_t p) {
    return (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF)) / 3;
}
// Ink, not brightness: white paper is 0 and black ink the largest value.
inline uint32_t Ink8(uint32_t p) {
    return 255 - Luma(p);
}
inline uint32_t Ink4(uint32_t p) {
    return 15 - (Luma(p) >> 4);
}
inline uint32_t Alpha(uint32_t p) {
    return p >> 24;
}

struct EncodeI4 {
    uint32_t operator()(uint32_t p) const { return Ink4(p); }
};
struct EncodeI8 {
    uint32_t operator()(uint32_t p) const { return Ink8(p); }
};
struct EncodeIA4 {
    uint32_t operator()(uint32_t p) const { return ((Alpha(p) >> 4) << 4) | Ink4(p); }
};
struct EncodeIA8 {
    uint32_t operator()(uint32_t p) const { return (Alpha(p) << 8) | Ink8(p); }
};
struct EncodeRGB565 {
    uint32_t operator()(uint32_t p) const {
        return ((((p >> 16) & 0xFF) >> 3) << 11) | ((((p >> 8) & 0xFF) >> 2) << 5) |
               ((p & 0xFF) >> 3);
    }
};
struct EncodeRGB5A3 {
    uint32_t operator()(uint32_t p) const {
        const uint32_t r = (p >> 16) & 0xFF;
        const uint32_t g = (p >> 8) & 0xFF;
        const uint32_t b = p & 0xFF;
        if (Alpha(p) == 255) {
            return 0x8000 | ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
        }
        return ((Alpha(p) >> 5) << 12) | ((r >> 4) << 8) | ((g >> 4) << 4) | (b >> 4);
    }
};

inline uint32_t Word(uint32_t alpha, uint32_t r, uint32_t g, uint32_t b) {
    return (alpha << 24) | (r << 16) | (g << 8) | b;
}
inline uint32_t InkWord(uint32_t alpha, uint32_t ink) {
    const uint32_t level = 255 - ink;
    return Word(alpha, level, level, level);
}

struct DecodeI4 {
    uint32_t operator()(uint32_t v) const { return InkWord(v * 255 / 15, v * 255 / 15); }
};
struct DecodeI8 {
    uint32_t operator()(uint32_t v) const { return InkWord(v, v); }
};
struct DecodeIA4 {
    uint32_t operator()(uint32_t v) const {
        return InkWord((v >> 4) * 255 / 15, (v & 15) * 255 / 15);
    }
};
struct DecodeIA8 {
    uint32_t operator()(uint32_t v) const { return InkWord(v >> 8, v & 0xFF); }
};
struct DecodeRGB565 {
    uint32_t operator()(uint32_t v) const {
        return Word(255, (v >> 11) * 255 / 31, ((v >> 5) & 63) * 255 / 63, (v & 31) * 255 / 31);
    }
};
struct DecodeRGB5A3 {
    uint32_t operator()(uint32_t v) const {
        if (v & 0x8000) {
            return Word(255, ((v >> 10) & 31) * 255 / 31, ((v >> 5) & 31) * 255 / 31,
                        (v & 31) * 255 / 31);
        }
        return Word(((v >> 12) & 7) * 255 / 7, ((v >> 8) & 15) * 255 / 15,
                    ((v >> 4) & 15) * 255 / 15, (v & 15) * 255 / 15);
    }
};

// The geometry of the whole tiles of one image in one format.
struct Tiling {
    FormatShape shape;
    std::size_t width;
    std::size_t columns;
    std::size_t rows;

    std::size_t BlockBytes() const {
        return static_cast<std::size_t>(shape.bits * shape.blockWidth * shape.blockHeight / 8);
    }
    std::size_t Bytes() const { return columns * rows * BlockBytes(); }
    // Index of the first pixel of tile (column, row), line y within the tile.
    std::size_t PixelAt(std::size_t column, std::size_t row, std::size_t y) const {
        return (row * static_cast<std::size_t>(shape.blockHeight) + y) * width +
               column * static_cast<std::size_t>(shape.blockWidth);
    }
};

Tiling TilingOf(const IImage& image, int32_t format) {
    const FormatShape shape = kShapes[format];
    const auto width = static_cast<std::size_t>(std::max(image.GetWidth(), 0));
    const auto height = static_cast<std::size_t>(std::max(image.GetHeight(), 0));
    return {shape, width, width / static_cast<std::size_t>(shape.blockWidth),
            height / static_cast<std::size_t>(shape.blockHeight)};
}

// Formats 0-5: every tile's pixels in row order, packed most significant bits first.
template <int32_t kBits, int32_t kBW, int32_t kBH, typename Texel>
void EncodeTiles(std::span<const uint32_t> px, const Tiling& t, std::span<uint8_t> out,
                 Texel texel) {
    std::size_t o = 0;
    for (std::size_t row = 0; row < t.rows; ++row) {
        for (std::size_t column = 0; column < t.columns; ++column) {
            for (std::size_t y = 0; y < kBH; ++y) {
                const std::size_t line = t.PixelAt(column, row, y);
                for (std::size_t x = 0; x < kBW; x += (kBits == 4 ? 2 : 1)) {
                    const uint32_t v = texel(px[line + x]);
                    if constexpr (kBits == 4) {
                        out[o++] = static_cast<uint8_t>((v << 4) | texel(px[line + x + 1]));
                    } else if constexpr (kBits == 8) {
                        out[o++] = static_cast<uint8_t>(v);
                    } else {
                        out[o++] = static_cast<uint8_t>(v >> 8);
                        out[o++] = static_cast<uint8_t>(v);
                    }
                }
            }
        }
    }
}

template <int32_t kBits, int32_t kBW, int32_t kBH, typename Texel>
void DecodeTiles(std::span<const uint8_t> in, const Tiling& t, std::span<uint32_t> px,
                 Texel texel) {
    std::size_t i = 0;
    for (std::size_t row = 0; row < t.rows; ++row) {
        for (std::size_t column = 0; column < t.columns; ++column) {
            for (std::size_t y = 0; y < kBH; ++y) {
                const std::size_t line = t.PixelAt(column, row, y);
                for (std::size_t x = 0; x < kBW; x += (kBits == 4 ? 2 : 1)) {
                    if constexpr (kBits == 4) {
                        px[line + x] = texel(uint32_t{in[i]} >> 4);
                        px[line + x + 1] = texel(uint32_t{in[i]} & 15);
                        ++i;
                    } else if constexpr (kBits == 8) {
                        px[line + x] = texel(uint32_t{in[i++]});
                    } else {
                        px[line + x] = texel((uint32_t{in[i]} << 8) | in[i + 1]);
                        i += 2;
                    }
                }
            }
        }
    }
}

// RGBA8: per 4 x 4 tile, 16 (A, R) pairs and then 16 (G, B) pairs, both in pixel order.
void EncodeRgba8(std::span<const uint32_t> px, const Tiling& t, std::span<uint8_t> out) {
    std::size_t o = 0;
    for (std::size_t row = 0; row < t.rows; ++row) {
        for (std::size_t column = 0; column < t.columns; ++column) {
            for (std::size_t k = 0; k < 16; ++k) {
                const uint32_t p = px[t.PixelAt(column, row, k / 4) + k % 4];
                out[o + 2 * k] = static_cast<uint8_t>(p >> 24);
                out[o + 2 * k + 1] = static_cast<uint8_t>(p >> 16);
                out[o + 32 + 2 * k] = static_cast<uint8_t>(p >> 8);
                out[o + 33 + 2 * k] = static_cast<uint8_t>(p);
            }
            o += 64;
        }
    }
}

void DecodeRgba8(std::span<const uint8_t> in, const Tiling& t, std::span<uint32_t> px) {
    std::size_t i = 0;
    for (std::size_t row = 0; row < t.rows; ++row) {
        for (std::size_t column = 0; column < t.columns; ++column) {
            for (std::size_t k = 0; k < 16; ++k) {
                px[t.PixelAt(column, row, k / 4) + k % 4] =
                    Word(in[i + 2 * k], in[i + 2 * k + 1], in[i + 32 + 2 * k], in[i + 33 + 2 * k]);
            }
            i += 64;
        }
    }
}

}  // namespace

namespace texture {

bool IsKnownFormat(int32_t format) {
    return format >= 0 && format < kTextureFormatCount;
}

int32_t BitsPerPixel(int32_t format) {
    return IsKnownFormat(format) ? kShapes[format].bits : 0;
}

int32_t BlockWidth(int32_t format) {
    return IsKnownFormat(format) ? kShapes[format].blockWidth : 0;
}

int32_t BlockHeight(int32_t format) {
    return IsKnownFormat(format) ? kShapes[format].blockHeight : 0;
}

int64_t SheetBytes(int32_t format, int64_t width, int64_t height) {
    if (width < 0 || height < 0) {
        return 0;
    }
    return (BitsPerPixel(format) * width * height + 7) / 8;
}

void EncodeSheets(const IImage& image, int32_t format, std::span<uint8_t> out) {
    if (!IsKnownFormat(format) || static_cast<int64_t>(out.size()) !=
                                      SheetBytes(format, image.GetWidth(), image.GetHeight())) {
        TL_THROW(kErrInternal, 197);
    }
    const Tiling t = TilingOf(image, format);
    const std::span<const uint32_t> px = image.Pixels();
    switch (format) {
        case kTexI4:
            EncodeTiles<4, 8, 8>(px, t, out, EncodeI4{});
            break;
        case kTexI8:
            EncodeTiles<8, 8, 4>(px, t, out, EncodeI8{});
            break;
        case kTexIA4:
            EncodeTiles<8, 8, 4>(px, t, out, EncodeIA4{});
            break;
        case kTexIA8:
            EncodeTiles<16, 4, 4>(px, t, out, EncodeIA8{});
            break;
        case kTexRGB565:
            EncodeTiles<16, 4, 4>(px, t, out, EncodeRGB565{});
            break;
        case kTexRGB5A3:
            EncodeTiles<16, 4, 4>(px, t, out, EncodeRGB5A3{});
            break;
        default:
            EncodeRgba8(px, t, out);
            break;
    }
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(t.Bytes()), out.end(), uint8_t{0});
}

void DecodeSheets(std::span<const uint8_t> data, int32_t format, IImage& image) {
    if (!IsKnownFormat(format)) {
        return;
    }
    const Tiling t = TilingOf(image, format);
    if (data.size() < t.Bytes()) {
        TL_THROW(kErrBofnt, 151);
    }
    const std::span<uint32_t> px = image.Pixels();
    switch (format) {
        case kTexI4:
            DecodeTiles<4, 8, 8>(data, t, px, DecodeI4{});
            break;
        case kTexI8:
            DecodeTiles<8, 8, 4>(data, t, px, DecodeI8{});
            break;
        case kTexIA4:
            DecodeTiles<8, 8, 4>(data, t, px, DecodeIA4{});
            break;
        case kTexIA8:
            DecodeTiles<16, 4, 4>(data, t, px, DecodeIA8{});
            break;
        case kTexRGB565:
            DecodeTiles<16, 4, 4>(data, t, px, DecodeRGB565{});
            break;
        case kTexRGB5A3:
            DecodeTiles<16, 4, 4>(data, t, px, DecodeRGB5A3{});
            break;
        default:
            DecodeRgba8(data, t, px);
            break;
    }
}

}  // namespace texture
