#include "readers/EffectCanvas.h"

#include <algorithm>

#include "readers/Letterer.h"

namespace {

// The part of a canvas a layer covers: its rows, read through a level map, placed `x` columns
// right and `y` rows below the canvas's top-left corner.
struct Placement {
    const ByteRows& rows;
    const LevelMap& levels;
    int32_t x;
    int32_t y;
};

// Writes (or, with `keepLarger`, raises to) the layer's levels on a canvas `width` wide.
void Put(std::span<uint8_t> canvas, int32_t width, const Placement& layer, bool keepLarger) {
    for (int32_t y = 0; y < layer.rows.height; ++y) {
        const uint8_t* from = layer.rows.first + y * layer.rows.pitch;
        uint8_t* to =
            canvas.data() + std::size_t(layer.y + y) * std::size_t(width) + std::size_t(layer.x);
        for (int32_t x = 0; x < layer.rows.width; ++x) {
            const uint8_t level = layer.levels[from[x]];
            to[x] = keepLarger ? std::max(to[x], level) : level;
        }
    }
}

// Copies a dense plane `width` x `height` onto a larger canvas at (x, y); or raises.
void PutPlane(std::span<uint8_t> canvas, int32_t canvasWidth, std::span<const uint8_t> plane,
              int32_t width, int32_t height, int32_t x, int32_t y, bool keepLarger) {
    static const LevelMap kSame = [] {
        LevelMap same{};
        for (std::size_t i = 0; i < same.size(); ++i) {
            same[i] = static_cast<uint8_t>(i);
        }
        return same;
    }();
    const ByteRows rows{plane.data(), width, width, height};
    Put(canvas, canvasWidth, Placement{rows, kSame, x, y}, keepLarger);
}

}  // namespace

void CEffectCanvas::Lay(const ByteRows& letter, const LevelMap& letterLevels, const ByteRows& ring,
                        int32_t ringX, int32_t ringY, const LevelMap& ringLevels,
                        int32_t columnStep, GlyphBox& box) {
    const bool hasRing = ring.width > 0 && ring.height > 0;
    int32_t left = hasRing ? std::min(0, ringX) : 0;
    if (left % columnStep != 0) {
        left -= columnStep + left % columnStep;
    }
    const int32_t top = hasRing ? std::min(0, ringY) : 0;
    const int32_t right = std::max(box.width, hasRing ? ringX + ring.width : 0);
    const int32_t bottom = std::max(box.height, hasRing ? ringY + ring.height : 0);
    const int32_t width = right - left;
    const int32_t height = bottom - top;
    const std::size_t size = std::size_t(width) * std::size_t(height);
    m_letter.assign(size, 0);
    m_hull.assign(size, 0);

    const ByteRows block{letter.first, letter.pitch, std::min(letter.width, box.width),
                         std::min(letter.height, box.height)};
    const Placement placed{block, letterLevels, -left, -top};
    Put(m_letter, width, placed, false);
    Put(m_hull, width, placed, false);
    if (hasRing) {
        Put(m_hull, width, Placement{ring, ringLevels, ringX - left, ringY - top}, true);
    }
    box.left += left;
    box.top -= top;
    box.width = width;
    box.height = height;
}

void CEffectCanvas::AddShadow(int32_t dx, int32_t dy, GlyphBox& box) {
    if (box.width <= 0 || box.height <= 0) {
        return;
    }
    const int32_t left = std::min(0, dx);
    const int32_t top = std::min(0, dy);
    const int32_t width = std::max(box.width, box.width + dx) - left;
    const int32_t height = std::max(box.height, box.height + dy) - top;
    const std::size_t size = std::size_t(width) * std::size_t(height);

    m_spare.assign(size, 0);
    PutPlane(m_spare, width, m_letter, box.width, box.height, -left, -top, false);
    m_letter.swap(m_spare);
    m_spare.assign(size, 0);
    PutPlane(m_spare, width, m_hull, box.width, box.height, -left, -top, false);
    PutPlane(m_spare, width, m_hull, box.width, box.height, dx - left, dy - top, true);
    m_hull.swap(m_spare);

    box.left += left;
    box.top -= top;
    box.width = width;
    box.height = height;
}

ByteRows CEffectCanvas::LetterRows(const GlyphBox& box) const {
    return ByteRows{m_letter.data(), box.width, box.width, box.height};
}

ByteRows CEffectCanvas::HullRows(const GlyphBox& box) const {
    return ByteRows{m_hull.data(), box.width, box.width, box.height};
}
