#include "image/IImage.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <type_traits>

#include "base/GlobalException.h"

void IImage::Shape(int32_t width, int32_t height, int32_t bpp) {
    if (width < 0 || height < 0 || int64_t{width} * height > kMaxPixels) {
        TL_THROW(kErrImage, 179);
    }
    m_width = width;
    m_height = height;
    m_bpp = bpp;
    m_created = true;
    m_hasAlpha = false;
}

void IImage::Create(int32_t width, int32_t height, int32_t bpp) {
    Shape(width, height, bpp);
    m_pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0u);
}

void IImage::CreateUnset(int32_t width, int32_t height, int32_t bpp) {
    Shape(width, height, bpp);
    // Emptied first, so that growing does not copy the old words.
    m_pixels = {};
    m_pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
}

void IImage::MoveWordsTo(IImage& target, int32_t bpp) {
    target.m_width = m_width;
    target.m_height = m_height;
    target.m_bpp = bpp;
    target.m_created = m_created;
    target.m_hasAlpha = m_hasAlpha;
    target.m_pixels = std::move(m_pixels);
    m_pixels = {};
    m_width = -1;
    m_height = -1;
    m_created = false;
}

void IImage::Fill(uint32_t rgb, uint32_t alpha) {
    std::fill(m_pixels.begin(), m_pixels.end(), (alpha << 24) | (rgb & 0x00FFFFFFu));
}

IImage& IImage::Assign(const IImage& source) {
    source.ExtractRect(*this, 0, 0, source.m_width, source.m_height);
    return *this;
}

namespace {

// Pixels narrower than a byte must not straddle two bytes, and wider ones take whole bytes of
// a 32-bit word; any other depth (from a damaged file header, say) is refused.
bool IsPackableDepth(int32_t bpp) {
    return bpp == 1 || bpp == 2 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

// Words whose bytes, lowest first, are the bytes of a packed pixel: a straight copy on a
// little-endian machine.
constexpr bool kWordsAreLittleEndian = std::endian::native == std::endian::little;

// Calls `job` with the pixel's byte count as a constant, so that the loops over whole-byte
// pixels are unrolled for each width; false for pixels narrower than a byte.
template <typename Job>
bool ForWholeBytes(int32_t bpp, Job job) {
    switch (bpp) {
        case 8:
            job(std::integral_constant<std::size_t, 1>());
            return true;
        case 16:
            job(std::integral_constant<std::size_t, 2>());
            return true;
        case 24:
            job(std::integral_constant<std::size_t, 3>());
            return true;
        case 32:
            job(std::integral_constant<std::size_t, 4>());
            return true;
        default:
            return false;
    }
}

// One packed row into pixel words; `line` holds at least the row's bytes.
void UnpackRow(std::span<const uint8_t> line, std::span<uint32_t> out, int32_t bpp) {
    if (bpp == 32 && kWordsAreLittleEndian) {
        std::memcpy(out.data(), line.data(), out.size() * 4);
        return;
    }
    const bool whole = ForWholeBytes(bpp, [&](auto bytes) {
        for (std::size_t i = 0; i < out.size(); ++i) {
            uint32_t word = 0;
            for (std::size_t b = 0; b < bytes; ++b) {
                word |= uint32_t{line[i * bytes + b]} << (8 * b);
            }
            out[i] = word;
        }
    });
    if (whole) {
        return;
    }
    const uint32_t mask = (1u << bpp) - 1;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const std::size_t bit = i * static_cast<std::size_t>(bpp);
        const int shift = 8 - bpp - static_cast<int>(bit % 8);
        out[i] = (line[bit / 8] >> shift) & mask;
    }
}

// One row of pixel words packed into `line`, whose padding becomes zero.
void PackRow(std::span<const uint32_t> in, std::span<uint8_t> line, int32_t bpp) {
    const std::size_t used = (in.size() * static_cast<std::size_t>(bpp) + 7) / 8;
    std::fill(line.begin() + static_cast<std::ptrdiff_t>(used), line.end(), uint8_t{0});
    if (bpp == 32 && kWordsAreLittleEndian) {
        std::memcpy(line.data(), in.data(), in.size() * 4);
        return;
    }
    const bool whole = ForWholeBytes(bpp, [&](auto bytes) {
        for (std::size_t i = 0; i < in.size(); ++i) {
            for (std::size_t b = 0; b < bytes; ++b) {
                line[i * bytes + b] = static_cast<uint8_t>(in[i] >> (8 * b));
            }
        }
    });
    if (whole) {
        return;
    }
    std::fill(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(used), uint8_t{0});
    const uint32_t mask = (1u << bpp) - 1;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const std::size_t bit = i * static_cast<std::size_t>(bpp);
        const int shift = 8 - bpp - static_cast<int>(bit % 8);
        line[bit / 8] |= static_cast<uint8_t>((in[i] & mask) << shift);
    }
}

// Hands each of the `h` packed rows of `w` pixels to `visit`(row bytes, row number), after
// checking that `packed` holds them all (internal error 224).
template <typename Byte, typename Visit>
void ForEachPackedRow(std::span<Byte> packed, int32_t w, int32_t h, int32_t bpp, int32_t rowAlign,
                      Visit visit) {
    if (w <= 0 || h <= 0) {
        return;
    }
    const int64_t rowBytes = IImage::PackedRowBytes(w, bpp, rowAlign);
    if (!IsPackableDepth(bpp) || int64_t(packed.size()) < rowBytes * h) {
        TL_THROW(kErrInternal, 224);
    }
    for (int32_t row = 0; row < h; ++row) {
        visit(packed.subspan(static_cast<std::size_t>(rowBytes * row),
                             static_cast<std::size_t>(rowBytes)),
              row);
    }
}

}  // namespace

int64_t IImage::PackedRowBytes(int64_t width, int32_t bpp, int32_t rowAlign) {
    if (width <= 0 || bpp <= 0) {
        return 0;
    }
    const int64_t bits = width * bpp;
    int64_t bytes = (bits + 7) / 8;
    if (rowAlign > 0) {
        bytes = (bytes + rowAlign - 1) / rowAlign * rowAlign;
    }
    return bytes;
}

void IImage::ReadBits(std::span<const uint8_t> packed, int32_t x, int32_t y, int32_t w, int32_t h,
                      int32_t bpp, int32_t rowAlign) {
    bpp = bpp == 0 ? m_bpp : bpp;
    ForEachPackedRow(packed, w, h, bpp, rowAlign, [&](std::span<const uint8_t> line, int32_t row) {
        UnpackRow(line, std::span(&At(x, y + row), static_cast<std::size_t>(w)), bpp);
    });
}

void IImage::WriteBits(std::span<uint8_t> packed, int32_t x, int32_t y, int32_t w, int32_t h,
                       int32_t bpp, int32_t rowAlign) const {
    bpp = bpp == 0 ? m_bpp : bpp;
    ForEachPackedRow(packed, w, h, bpp, rowAlign, [&](std::span<uint8_t> line, int32_t row) {
        PackRow(std::span(&At(x, y + row), static_cast<std::size_t>(w)), line, bpp);
    });
}

void IImage::CopyRect(const IImage& source, int32_t sx, int32_t sy, int32_t dx, int32_t dy,
                      int32_t w, int32_t h) {
    // An empty rectangle touches no pixel: an empty picture has no words to point at.
    for (int32_t row = 0; w > 0 && row < h; ++row) {
        const uint32_t* from = &source.At(sx, sy + row);
        std::copy(from, from + w, &At(dx, dy + row));
    }
    if (source.m_hasAlpha) {
        m_hasAlpha = true;
    }
}

void IImage::FillRect(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t rgb, uint32_t alpha) {
    const uint32_t word = (alpha << 24) | (rgb & 0x00FFFFFFu);
    for (int32_t row = 0; w > 0 && row < h; ++row) {
        uint32_t* line = &At(x, y + row);
        std::fill(line, line + w, word);
    }
}

void IImage::ExtractRect(IImage& target, int32_t x, int32_t y, int32_t w, int32_t h) const {
    target.CreateUnset(w, h, m_bpp);
    if (m_hasAlpha) {
        target.m_hasAlpha = true;
    }
    for (int32_t row = 0; w > 0 && row < h; ++row) {
        const uint32_t* from = &At(x, y + row);
        std::copy(from, from + w, &target.At(0, row));
    }
}

bool IImage::Equals(const IImage& other) const {
    if (m_width != other.m_width || m_height != other.m_height || m_bpp != other.m_bpp ||
        m_created != other.m_created || m_hasAlpha != other.m_hasAlpha) {
        return false;
    }
    const uint32_t mask = m_hasAlpha ? 0xFFFFFFFFu : 0x00FFFFFFu;
    for (std::size_t i = 0; i < m_pixels.size(); ++i) {
        if ((m_pixels[i] & mask) != (other.m_pixels[i] & mask)) {
            return false;
        }
    }
    return true;
}

template <typename Counts>
ImageRect IImage::BoundingRect(Counts counts, const ImageRect& region) const {
    int32_t left = region.right;
    int32_t top = region.bottom;
    int32_t right = region.left;
    int32_t bottom = region.top;
    for (int32_t y = region.top; y < region.bottom; ++y) {
        const uint32_t* row = &At(0, y);
        int32_t first = region.left;
        while (first < region.right && !counts(row[first])) {
            ++first;
        }
        if (first == region.right) {
            continue;
        }
        int32_t last = region.right - 1;
        while (last > first && !counts(row[last])) {
            --last;
        }
        left = std::min(left, first);
        right = std::max(right, last + 1);
        top = std::min(top, y);
        bottom = y + 1;
    }
    if (left > right || top > bottom) {
        return ImageRect{};
    }
    return ImageRect{left, top, right, bottom};
}

ImageRect IImage::GetOpaqueRect() const {
    return BoundingRect([](uint32_t word) { return (word >> 24) != 0; },
                        ImageRect{0, 0, m_width, m_height});
}

ImageRect IImage::GetContentRect(uint32_t word) const {
    return GetContentRect(word, ImageRect{0, 0, m_width, m_height});
}

ImageRect IImage::GetContentRect(uint32_t word, const ImageRect& region) const {
    return BoundingRect([word](uint32_t w) { return w != word; }, region);
}
