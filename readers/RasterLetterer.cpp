#include "readers/RasterLetterer.h"

#include <algorithm>
#include <array>

#include "base/GlobalException.h"
#include "core/Glyph.h"

void CRasterLetterer::Create(const FontDescription& description) {
    StartFontService();
    SetupFont(description);
    CalcurateParameter();
    StartStroke(1);
    const int32_t side = std::max(GetCellSide(), 0);
    m_stride = (side + 3) & ~3;
    if (int64_t{side} * m_stride > IImage::kMaxPixels) {
        TL_THROW(kErrInternal, 114);
    }
    m_bits.assign(std::size_t(side) * std::size_t(m_stride), kFrameIndex);
    m_levels.assign(m_bits.size(), 0);
}

bool CRasterLetterer::LetterChar(CGlyph& glyph, char16_t code) {
    if (!HasGlyph(code)) {
        return false;
    }
    const int32_t side = std::max(GetCellSide(), 0);
    std::fill(m_bits.begin(), m_bits.end(), kFrameIndex);
    if (!m_font.DrawOpaqueText(code, m_bits, side, m_stride, kInkIndex, kPaperIndex)) {
        TL_THROW(kErrInternal, 128);
    }
    const ScannedBox scanned = ScanCell(m_bits, side, m_stride, m_levels);
    if (scanned.width == 0) {
        return false;
    }

    GlyphBox box;
    box.width = scanned.width;
    box.height = scanned.height;
    box.left = 0;
    box.advance = scanned.width;
    box.top = GetAscent();
    box.inkLevel = 1;
    box.paperLevel = 0;
    // Ink is level 1 of the 2-level ramp, black with alpha 255; paper level 0, white.
    static const LevelWords kWords = [] {
        LevelWords words{};
        for (uint32_t level = 0; level < words.size(); ++level) {
            words[level] = (level * 255) << 24 | GrayOf(level, 1);
        }
        return words;
    }();
    const ByteRows levels{m_levels.data(), m_stride, box.width, box.height};
    if (HasEffects()) {
        // The levels are the letter's already; the ring's two levels come as 0 and 255.
        static const LevelMap kSame = [] {
            LevelMap same{};
            same[1] = 1;
            return same;
        }();
        static const LevelMap kRing = [] {
            LevelMap ring{};
            ring[255] = 1;
            return ring;
        }();
        LayEffects(code, levels, kSame, kRing, GetTextAscent(), 1, box);
        FinishEffects(glyph, kWords, box);
        return true;
    }
    SetGlyph(glyph, levels, kWords, box);
    return true;
}

CRasterLetterer::ScannedBox CRasterLetterer::ScanCell(std::span<const uint8_t> cell, int32_t side,
                                                      int32_t stride, std::span<uint8_t> levels) {
    ScannedBox box{side, 0};
    const int64_t needed = int64_t{side} * stride;
    if (side <= 0 || stride < side || int64_t(cell.size()) < needed ||
        int64_t(levels.size()) < needed) {
        return ScannedBox{};
    }
    // One look-up per pixel: ink 1, paper 0, anything else ends the row.
    constexpr uint8_t kEndsRow = 0xFF;
    std::array<uint8_t, 256> levelOf;
    levelOf.fill(kEndsRow);
    levelOf[kInkIndex] = 1;
    levelOf[kPaperIndex] = 0;
    for (int32_t y = 0; y < side; ++y) {
        const std::size_t offset = std::size_t(y) * std::size_t(stride);
        const uint8_t* from = cell.data() + offset;
        uint8_t* to = levels.data() + offset;
        int32_t x = 0;
        for (; x < side; ++x) {
            const uint8_t level = levelOf[from[x]];
            if (level == kEndsRow) {
                break;
            }
            to[x] = level;
        }
        if (x == 0) {
            break;
        }
        // A row that runs to the cell's edge keeps the width found so far.
        if (x < side) {
            box.width = x;
        }
        ++box.height;
    }
    if (box.height == 0) {
        box.width = 0;
    }
    return box;
}
