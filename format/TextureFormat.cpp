#include "format/TextureFormat.h"

#include <algorithm>
#include <array>
#include <type_traits>

#include "base/GlobalException.h"

namespace {

struct FormatShape {
    int32_t bits;
    int32_t blockWidth;
    int32_t blockHeight;
};

constexpr int32_t kWidestTile = 8;
constexpr FormatShape kShapes[kTextureFormatCount] = {
    {4, 8, 8}, {8, 8, 4}, {8, 8, 4}, {16, 4, 4}, {16, 4, 4}, {16, 4, 4}, {32, 4, 4},
};

// The intensity formats store ink, not brightness: white paper is 0 and black ink the largest
// value. Both depend only on R + G + B (0 to 765), so a table stands in for the division.
constexpr int kMostSum = 3 * 255;
template <int kLevels>
constexpr std::array<uint8_t, kMostSum + 1> InkTable() {
    std::array<uint8_t, kMostSum + 1> table{};
    for (int sum = 0; sum <= kMostSum; ++sum) {
        const int luma = sum / 3;
        table[static_cast<std::size_t>(sum)] =
            static_cast<uint8_t>(kLevels == 16 ? 15 - (luma >> 4) : 255 - luma);
    }
    return table;
}
constexpr std::array<uint8_t, kMostSum + 1> kInk4 = InkTable<16>();
constexpr std::array<uint8_t, kMostSum + 1> kInk8 = InkTable<256>();

inline uint32_t Sum(uint32_t p) {
    return ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
}
inline uint32_t Alpha(uint32_t p) {
    return p >> 24;
}
inline uint32_t Word(uint32_t alpha, uint32_t r, uint32_t g, uint32_t b) {
    return (alpha << 24) | (r << 16) | (g << 8) | b;
}
// Black ink of the given opacity on white paper.
constexpr uint32_t InkWord(uint32_t alpha, uint32_t ink) {
    const uint32_t level = 255 - ink;
    return (alpha << 24) | (level << 16) | (level << 8) | level;
}
// The words of a 4-bit intensity (with a 4-bit alpha when `withAlpha`), by stored value.
template <bool kWithAlpha>
constexpr std::array<uint32_t, 256> FourBitWords() {
    std::array<uint32_t, 256> words{};
    for (uint32_t v = 0; v < 256; ++v) {
        words[v] = kWithAlpha ? InkWord((v >> 4) * 255 / 15, (v & 15) * 255 / 15)
                              : InkWord((v & 15) * 255 / 15, (v & 15) * 255 / 15);
    }
    return words;
}
constexpr std::array<uint32_t, 256> kI4Words = FourBitWords<false>();
constexpr std::array<uint32_t, 256> kIA4Words = FourBitWords<true>();

// Each format: its tile, and how one pixel (number k of its tile, in row order) is stored in
// and loaded from the tile's bytes. Values wider than a byte are stored high byte first.
struct I4 {
    static constexpr int kBlockWidth = 8, kBlockHeight = 8;
    static void Store(uint8_t* tile, std::size_t k, uint32_t p) {
        uint8_t& byte = tile[k / 2];
        const uint32_t v = kInk4[Sum(p)];
        byte = static_cast<uint8_t>(k % 2 == 0 ? (byte & 0x0F) | v << 4 : (byte & 0xF0) | v);
    }
    static uint32_t Load(const uint8_t* tile, std::size_t k) {
        const uint8_t byte = tile[k / 2];
        return kI4Words[k % 2 == 0 ? byte >> 4 : byte & 0x0F];
    }
};
struct I8 {
    static constexpr int kBlockWidth = 8, kBlockHeight = 4;
    static void Store(uint8_t* tile, std::size_t k, uint32_t p) { tile[k] = kInk8[Sum(p)]; }
    static uint32_t Load(const uint8_t* tile, std::size_t k) { return InkWord(tile[k], tile[k]); }
};
struct IA4 {
    static constexpr int kBlockWidth = 8, kBlockHeight = 4;
    static void Store(uint8_t* tile, std::size_t k, uint32_t p) {
        tile[k] = static_cast<uint8_t>((Alpha(p) & 0xF0) | kInk4[Sum(p)]);
    }
    static uint32_t Load(const uint8_t* tile, std::size_t k) { return kIA4Words[tile[k]]; }
};
// The 16-bit formats differ only in their value.
template <typename Value>
struct SixteenBit {
    static constexpr int kBlockWidth = 4, kBlockHeight = 4;
    static void Store(uint8_t* tile, std::size_t k, uint32_t p) {
        const uint32_t v = Value::Encode(p);
        tile[2 * k] = static_cast<uint8_t>(v >> 8);
        tile[2 * k + 1] = static_cast<uint8_t>(v);
    }
    static uint32_t Load(const uint8_t* tile, std::size_t k) {
        return Value::Decode(uint32_t{tile[2 * k]} << 8 | tile[2 * k + 1]);
    }
};
struct IA8Value {
    static uint32_t Encode(uint32_t p) { return Alpha(p) << 8 | kInk8[Sum(p)]; }
    static uint32_t Decode(uint32_t v) { return InkWord(v >> 8, v & 0xFF); }
};
struct Rgb565Value {
    static uint32_t Encode(uint32_t p) {
        return ((((p >> 16) & 0xFF) >> 3) << 11) | ((((p >> 8) & 0xFF) >> 2) << 5) |
               ((p & 0xFF) >> 3);
    }
    static uint32_t Decode(uint32_t v) {
        return Word(255, (v >> 11) * 255 / 31, ((v >> 5) & 63) * 255 / 63, (v & 31) * 255 / 31);
    }
};
struct Rgb5A3Value {
    static uint32_t Encode(uint32_t p) {
        const uint32_t r = (p >> 16) & 0xFF;
        const uint32_t g = (p >> 8) & 0xFF;
        const uint32_t b = p & 0xFF;
        if (Alpha(p) == 255) {
            return 0x8000 | ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
        }
        return ((Alpha(p) >> 5) << 12) | ((r >> 4) << 8) | ((g >> 4) << 4) | (b >> 4);
    }
    static uint32_t Decode(uint32_t v) {
        if (v & 0x8000) {
            return Word(255, ((v >> 10) & 31) * 255 / 31, ((v >> 5) & 31) * 255 / 31,
                        (v & 31) * 255 / 31);
        }
        return Word(((v >> 12) & 7) * 255 / 7, ((v >> 8) & 15) * 255 / 15,
                    ((v >> 4) & 15) * 255 / 15, (v & 15) * 255 / 15);
    }
};
// Per 4 x 4 tile, 16 (A, R) pairs and then 16 (G, B) pairs, both in pixel order.
struct Rgba8 {
    static constexpr int kBlockWidth = 4, kBlockHeight = 4;
    static void Store(uint8_t* tile, std::size_t k, uint32_t p) {
        tile[2 * k] = static_cast<uint8_t>(p >> 24);
        tile[2 * k + 1] = static_cast<uint8_t>(p >> 16);
        tile[32 + 2 * k] = static_cast<uint8_t>(p >> 8);
        tile[33 + 2 * k] = static_cast<uint8_t>(p);
    }
    static uint32_t Load(const uint8_t* tile, std::size_t k) {
        return Word(tile[2 * k], tile[2 * k + 1], tile[32 + 2 * k], tile[33 + 2 * k]);
    }
};

// Calls `job` with the format's description; false for an unknown format.
template <typename Job>
bool WithFormat(int32_t format, Job job) {
    switch (format) {
        case kTexI4:
            job(I4{});
            return true;
        case kTexI8:
            job(I8{});
            return true;
        case kTexIA4:
            job(IA4{});
            return true;
        case kTexIA8:
            job(SixteenBit<IA8Value>{});
            return true;
        case kTexRGB565:
            job(SixteenBit<Rgb565Value>{});
            return true;
        case kTexRGB5A3:
            job(SixteenBit<Rgb5A3Value>{});
            return true;
        case kTexRGBA8:
            job(Rgba8{});
            return true;
        default:
            return false;
    }
}

// The whole tiles of a layout.
struct Tiling {
    std::size_t columns = 0;
    std::size_t rows = 0;
    std::size_t blockBytes = 0;

    std::size_t Bytes() const { return columns * rows * blockBytes; }
};

Tiling TilingOf(const texture::SheetLayout& layout) {
    const FormatShape shape = kShapes[layout.format];
    return {static_cast<std::size_t>(std::max<int64_t>(layout.width, 0) / shape.blockWidth),
            static_cast<std::size_t>(std::max<int64_t>(layout.height, 0) / shape.blockHeight),
            static_cast<std::size_t>(shape.bits * shape.blockWidth * shape.blockHeight / 8)};
}

// Calls visit(i, r, tile, k, n) for the pixels (dx + i, dy + r) to (dx + i + n - 1, dy + r) of
// the w x h rectangle that lie side by side in one row of one whole tile: `tile` is the
// offset of the tile's bytes, `k` the first pixel's number within the tile.
template <typename Format, typename Visit>
void ForEachRun(const Tiling& t, int64_t dx, int64_t dy, int64_t w, int64_t h, Visit visit) {
    constexpr auto kBlockWidth = static_cast<int64_t>(Format::kBlockWidth);
    constexpr auto kBlockHeight = static_cast<int64_t>(Format::kBlockHeight);
    const int64_t left = std::max<int64_t>(dx, 0);
    const int64_t top = std::max<int64_t>(dy, 0);
    const int64_t right = std::min(dx + w, static_cast<int64_t>(t.columns) * kBlockWidth);
    const int64_t bottom = std::min(dy + h, static_cast<int64_t>(t.rows) * kBlockHeight);
    for (int64_t y = top; y < bottom; ++y) {
        const auto tileRow = static_cast<std::size_t>(y / kBlockHeight) * t.columns * t.blockBytes;
        const auto rowInTile = static_cast<std::size_t>(y % kBlockHeight * kBlockWidth);
        for (int64_t x = left; x < right;) {
            const int64_t column = x / kBlockWidth;
            const int64_t end = std::min(right, (column + 1) * kBlockWidth);
            visit(x - dx, y - dy, tileRow + static_cast<std::size_t>(column) * t.blockBytes,
                  rowInTile + static_cast<std::size_t>(x % kBlockWidth),
                  static_cast<std::size_t>(end - x));
            x = end;
        }
    }
}

// A word no pixel has: nothing is left out.
constexpr uint64_t kNoWord = uint64_t{1} << 32;

// Stores n words as pixels k to k + n - 1 of a tile, leaving out the pixels whose word is
// `stored`; in I4 two pixels that share a byte are stored together.
// Inlined into the walk over the runs: a glyph row is only a few runs, and a call per run
// would cost more than storing its pixels.
template <typename Format>
[[gnu::always_inline]] inline void StoreRun(uint8_t* tile, std::size_t k, std::size_t n,
                                            const uint32_t* words, uint64_t stored) {
    std::size_t j = 0;
    if constexpr (std::is_same_v<Format, I4>) {
        if (k % 2 != 0) {
            if (words[0] != stored) {
                Format::Store(tile, k, words[0]);
            }
            j = 1;
        }
        for (; j + 1 < n; j += 2) {
            if (words[j] != stored || words[j + 1] != stored) {
                tile[(k + j) / 2] =
                    static_cast<uint8_t>(kInk4[Sum(words[j])] << 4 | kInk4[Sum(words[j + 1])]);
            }
        }
    }
    for (; j < n; ++j) {
        if (words[j] != stored) {
            Format::Store(tile, k + j, words[j]);
        }
    }
}

// Stores the w x h pixels at (dx, dy) whose words wordsAt(i, r) gives, run by run: a pointer
// to the words of the pixels from (dx + i, dy + r) on.
template <typename Format, typename WordsAt>
void Encode(const Tiling& t, int64_t dx, int64_t dy, int64_t w, int64_t h, std::span<uint8_t> out,
            WordsAt wordsAt, uint64_t stored = kNoWord) {
    uint8_t* const bytes = out.data();
    ForEachRun<Format>(t, dx, dy, w, h,
                       [&](int64_t i, int64_t r, std::size_t tile, std::size_t k, std::size_t n) {
                           StoreRun<Format>(bytes + tile, k, n, wordsAt(i, r), stored);
                       });
}

void CheckBuffer(const texture::SheetLayout& layout, std::span<const uint8_t> buffer) {
    if (!texture::IsKnownFormat(layout.format) ||
        static_cast<int64_t>(buffer.size()) !=
            texture::SheetBytes(layout.format, layout.width, layout.height)) {
        TL_THROW(kErrInternal, 197);
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
    const SheetLayout layout{format, image.GetWidth(), image.GetHeight()};
    CheckBuffer(layout, out);
    const Tiling t = TilingOf(layout);
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(t.Bytes()), out.end(), uint8_t{0});
    if (image.GetWidth() > 0 && image.GetHeight() > 0) {
        EncodeRect(image, 0, 0, image.GetWidth(), image.GetHeight(), layout, 0, 0, out);
    }
}

std::vector<uint8_t> FilledSheets(uint32_t word, const SheetLayout& layout) {
    if (!IsKnownFormat(layout.format)) {
        TL_THROW(kErrInternal, 197);
    }
    const auto size =
        static_cast<std::size_t>(SheetBytes(layout.format, layout.width, layout.height));
    const Tiling t = TilingOf(layout);
    std::vector<uint8_t> out;
    out.reserve(size);
    if (t.Bytes() > 0) {
        // One tile encoded, repeated along a row of tiles, and that row repeated.
        const FormatShape shape = kShapes[layout.format];
        const SheetLayout one{layout.format, shape.blockWidth, shape.blockHeight};
        std::vector<uint8_t> tile(t.blockBytes);
        FillRect(word, one, 0, 0, shape.blockWidth, shape.blockHeight, tile);
        std::vector<uint8_t> row;
        row.reserve(t.columns * t.blockBytes);
        for (std::size_t column = 0; column < t.columns; ++column) {
            row.insert(row.end(), tile.begin(), tile.end());
        }
        for (std::size_t n = 0; n < t.rows; ++n) {
            out.insert(out.end(), row.begin(), row.end());
        }
    }
    out.resize(size, 0);
    return out;
}

void EncodeRect(const IImage& image, int32_t sx, int32_t sy, int32_t w, int32_t h,
                const SheetLayout& layout, int64_t dx, int64_t dy, std::span<uint8_t> out,
                std::optional<uint32_t> alreadyStored) {
    CheckBuffer(layout, out);
    if (w <= 0 || h <= 0) {
        return;
    }
    if (sx < 0 || sy < 0 || int64_t{sx} + w > image.GetWidth() ||
        int64_t{sy} + h > image.GetHeight()) {
        TL_THROW(kErrInternal, 197);
    }
    const auto stride = static_cast<std::size_t>(image.GetWidth());
    const uint32_t* const first = image.Pixels().data() + static_cast<std::size_t>(sy) * stride +
                                  static_cast<std::size_t>(sx);
    WithFormat(layout.format, [&](auto format) {
        Encode<decltype(format)>(
            TilingOf(layout), dx, dy, w, h, out,
            [&](int64_t i, int64_t r) {
                return first + static_cast<std::size_t>(r) * stride + static_cast<std::size_t>(i);
            },
            alreadyStored ? uint64_t{*alreadyStored} : kNoWord);
    });
}

void FillRect(uint32_t word, const SheetLayout& layout, int64_t dx, int64_t dy, int32_t w,
              int32_t h, std::span<uint8_t> out) {
    CheckBuffer(layout, out);
    if (w <= 0 || h <= 0) {
        return;
    }
    // Runs never pass a tile's width, so one tile row of the word stands for every run.
    std::array<uint32_t, kWidestTile> words;
    words.fill(word);
    WithFormat(layout.format, [&](auto format) {
        Encode<decltype(format)>(TilingOf(layout), dx, dy, w, h, out,
                                 [&](int64_t, int64_t) { return words.data(); });
    });
}

void DecodeSheets(std::span<const uint8_t> data, int32_t format, IImage& image) {
    if (!IsKnownFormat(format)) {
        return;
    }
    DecodeRect(data, SheetLayout{format, image.GetWidth(), image.GetHeight()}, 0, 0,
               image.GetWidth(), image.GetHeight(), image);
}

void DecodeRect(std::span<const uint8_t> data, const SheetLayout& layout, int64_t sx, int64_t sy,
                int32_t w, int32_t h, IImage& image) {
    if (!IsKnownFormat(layout.format)) {
        return;
    }
    const Tiling t = TilingOf(layout);
    if (data.size() < t.Bytes()) {
        TL_THROW(kErrBofnt, 151);
    }
    if (w <= 0 || h <= 0) {
        return;
    }
    if (w > image.GetWidth() || h > image.GetHeight()) {
        TL_THROW(kErrInternal, 197);
    }
    const std::span<uint32_t> px = image.Pixels();
    const auto stride = static_cast<std::size_t>(image.GetWidth());
    const uint8_t* const bytes = data.data();
    WithFormat(layout.format, [&](auto format) {
        using Format = decltype(format);
        ForEachRun<Format>(
            t, sx, sy, w, h,
            [&](int64_t i, int64_t r, std::size_t tile, std::size_t k, std::size_t n) {
                uint32_t* words =
                    px.data() + static_cast<std::size_t>(r) * stride + static_cast<std::size_t>(i);
                for (std::size_t j = 0; j < n; ++j) {
                    words[j] = Format::Load(bytes + tile, k + j);
                }
            });
    });
}

}  // namespace texture
