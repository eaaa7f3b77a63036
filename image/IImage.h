#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <span>
#include <utility>
#include <vector>

#include "image/ImageRect.h"

// A picture held as one 32-bit word per pixel, 0xAARRGGBB, rows top to bottom. In a palette
// picture the low 24 bits hold the palette index. `bpp` remembers the packed layout the picture
// came from or will be written to (1, 4, 8, 16, 24 or 32 bits per pixel).
//
// Pixel accessors do not check coordinates: callers keep inside the picture. They are inline
// and non-virtual so that per-pixel loops stay tight.
class IImage {
public:
    // Largest pixel count a picture may have (a 16384 x 16384 sheet).
    static constexpr int64_t kMaxPixels = int64_t{16384} * 16384;

    IImage() = default;
    IImage(const IImage&) = default;
    IImage& operator=(const IImage&) = default;
    virtual ~IImage() = default;

    // New size and depth; has-alpha is cleared and the pixels are zero. A negative size or one
    // above kMaxPixels fails with category 1, message 179 "Not enough memory.".
    void Create(int32_t width, int32_t height, int32_t bpp);
    // Create without zeroing, for a caller that sets every pixel next (a decoder, say): a
    // large picture is not written twice.
    void CreateUnset(int32_t width, int32_t height, int32_t bpp);
    // Hands the words over to `target` as a picture of `bpp` bits, keeping size and has-alpha;
    // this picture is left empty. A palette picture's words become colours without a copy.
    void MoveWordsTo(IImage& target, int32_t bpp);
    void Fill(uint32_t rgb, uint32_t alpha);
    IImage& Assign(const IImage& source);

    // Unpacks w x h pixels of `bpp` bits (0: this picture's) from packed rows, most significant
    // bit first, bytes of wide pixels little-endian, each row padded to `rowAlign` bytes
    // (0: no padding). Fails with category 7, message 224 when `packed` is too short or the
    // depth is not 1, 2, 4, 8, 16, 24 or 32.
    void ReadBits(std::span<const uint8_t> packed, int32_t x, int32_t y, int32_t w, int32_t h,
                  int32_t bpp, int32_t rowAlign);
    void Unpack(std::span<const uint8_t> packed, int32_t rowAlign) {
        ReadBits(packed, 0, 0, m_width, m_height, m_bpp, rowAlign);
    }
    // The inverse of ReadBits; `packed` must hold PackedSize(w, h, bpp, rowAlign) bytes.
    void WriteBits(std::span<uint8_t> packed, int32_t x, int32_t y, int32_t w, int32_t h,
                   int32_t bpp, int32_t rowAlign) const;
    void Pack(std::span<uint8_t> packed, int32_t rowAlign) const {
        WriteBits(packed, 0, 0, m_width, m_height, m_bpp, rowAlign);
    }
    static int64_t PackedRowBytes(int64_t width, int32_t bpp, int32_t rowAlign);
    static int64_t PackedSize(int64_t width, int64_t height, int32_t bpp, int32_t rowAlign) {
        return PackedRowBytes(width, bpp, rowAlign) * (height < 0 ? 0 : height);
    }

    void CopyRect(const IImage& source, int32_t sx, int32_t sy, int32_t dx, int32_t dy, int32_t w,
                  int32_t h);
    void Paste(const IImage& source, int32_t x, int32_t y) {
        CopyRect(source, 0, 0, x, y, source.m_width, source.m_height);
    }
    void FillRect(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t rgb, uint32_t alpha);

    void SetPixel(int32_t x, int32_t y, uint32_t rgb, uint32_t alpha) {
        At(x, y) = (alpha << 24) | (rgb & 0x00FFFFFFu);
    }
    void SetValue(int32_t x, int32_t y, uint32_t word) { At(x, y) = word; }
    uint32_t GetWord(int32_t x, int32_t y) const { return At(x, y); }
    uint32_t GetAlpha(int32_t x, int32_t y) const { return At(x, y) >> 24; }
    uint32_t GetValue(int32_t x, int32_t y) const { return At(x, y) & 0x00FFFFFFu; }
    virtual uint32_t GetRgb(int32_t x, int32_t y) const = 0;

    // A new empty picture of the same class, and a full copy; the caller owns the result.
    virtual std::unique_ptr<IImage> CreateSame() const = 0;
    virtual void ExtractRect(IImage& target, int32_t x, int32_t y, int32_t w, int32_t h) const;

    bool Equals(const IImage& other) const;
    ImageRect GetOpaqueRect() const;
    ImageRect GetContentRect(uint32_t word) const;
    // The same inside `region` (which lies inside the picture), in the picture's coordinates.
    ImageRect GetContentRect(uint32_t word, const ImageRect& region) const;

    int32_t GetWidth() const { return m_width; }
    int32_t GetHeight() const { return m_height; }
    int32_t GetBpp() const { return m_bpp; }
    bool IsCreated() const { return m_created; }
    bool HasAlpha() const { return m_hasAlpha; }
    void SetHasAlpha(bool hasAlpha) { m_hasAlpha = hasAlpha; }
    virtual bool IsIndexed() const = 0;

    // The words row by row, for loops over whole pictures.
    std::span<uint32_t> Pixels() { return m_pixels; }
    std::span<const uint32_t> Pixels() const { return m_pixels; }

protected:
    uint32_t& At(int32_t x, int32_t y) {
        return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                        static_cast<std::size_t>(x)];
    }
    const uint32_t& At(int32_t x, int32_t y) const {
        return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                        static_cast<std::size_t>(x)];
    }

private:
    // Leaves new elements uninitialised where a plain vector would zero them.
    template <typename T>
    struct UnsetAllocator : std::allocator<T> {
        template <typename U>
        struct rebind {
            using other = UnsetAllocator<U>;
        };
        template <typename U>
        void construct(U* p) noexcept {
            ::new (static_cast<void*>(p)) U;
        }
        template <typename U, typename... Args>
        void construct(U* p, Args&&... args) {
            ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
        }
    };

    void Shape(int32_t width, int32_t height, int32_t bpp);

    template <typename Counts>
    ImageRect BoundingRect(Counts counts, const ImageRect& region) const;

    int32_t m_width = -1;
    int32_t m_height = -1;
    int32_t m_bpp = 0;
    bool m_created = false;
    bool m_hasAlpha = false;
    std::vector<uint32_t, UnsetAllocator<uint32_t>> m_pixels;
};
