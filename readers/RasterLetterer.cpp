#include "readers/RasterLetterer.h"

#include <algorithm>

#include "core/GlobalException.h"
#include "core/Glyph.h"

void CRasterLetterer::Create(const FontDescription& description) {
    StartFontService();
    SetupFont(description);
    CalcurateParameter();
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
    m_cell.Create(box.width, box.height, 8);
    m_cell.MakeGrayPalette(1);
    for (int32_t y = 0; y < box.height; ++y) {
        const uint8_t* row = m_levels.data() + std::size_t(y) * std::size_t(m_stride);
        for (int32_t x = 0; x < box.width; ++x) {
            m_cell.SetPixel(x, y, row[x], uint32_t{row[x]} * 255);
        }
    }
    SetGlyph(glyph, m_cell, box);
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
    for (int32_t y = 0; y < side; ++y) {
        const std::size_t offset = std::size_t(y) * std::size_t(stride);
        int32_t x = 0;
        for (; x < side; ++x) {
            const uint8_t colour = cell[offset + std::size_t(x)];
            if (colour == kInkIndex) {
                levels[offset + std::size_t(x)] = 1;
            } else if (colour == kPaperIndex) {
                levels[offset + std::size_t(x)] = 0;
            } else {
                break;
            }
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
