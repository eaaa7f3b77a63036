#include "readers/Letterer.h"

#include <algorithm>

#include "core/GlobalException.h"
#include "core/Glyph.h"
#include "core/TextFormat.h"

namespace {

// Message 158 names the width type as decimal text.
[[noreturn]] void ThrowBadWidthType(int32_t widthType) {
    const MessageArg type[] = {widthType};
    TL_THROW(kErrInternal, 158, FormatText(u"%d", type));
}

}  // namespace

void CLetterer::SetOption(int32_t bitDepth, int32_t widthType, int32_t fixedWidth) {
    if (bitDepth < 1 || bitDepth > 8) {
        TL_THROW(kErrInternal, 169, bitDepth);
    }
    if (widthType < kWidthGlyph || widthType > kWidthFixed) {
        ThrowBadWidthType(widthType);
    }
    m_bitDepth = bitDepth == 1 ? 1 : (bitDepth <= 4 ? 4 : 8);
    m_widthType = widthType;
    m_fixedWidth = fixedWidth;
}

void CLetterer::StartFontService() {
    if (!m_font.Initialize()) {
        TL_THROW(kErrInternal, 116);
    }
}

void CLetterer::SetupFont(const FontDescription& description) {
    if (!m_font.CreateFont(description)) {
        TL_THROW(kErrInternal, 117);
    }
}

void CLetterer::CalcurateParameter() {
    TextMetrics metrics;
    if (!m_font.GetTextMetrics(metrics)) {
        TL_THROW(kErrInternal, 120);
    }
    m_ascent = metrics.ascent - metrics.internalLeading;
    m_cellSide = std::max(metrics.maxCharWidth, metrics.height);
}

void CLetterer::SetGlyph(CGlyph& glyph, const CIndexImage& cell, const GlyphBox& box) {
    const ImageRect ink = cell.GetOpaqueRect();
    const int32_t inkWidth = ink.Width();
    const int32_t ascent = box.top - ink.top;

    int32_t left = 0;
    int32_t right = 0;
    switch (m_widthType) {
        case kWidthGlyph:
            break;
        case kWidthKeepSp:
            if (inkWidth <= 0) {
                left = box.advance;
            }
            break;
        case kWidthChar:
            if (inkWidth > 0) {
                left = box.left + ink.left;
                right = box.advance - left - inkWidth;
            } else {
                left = box.advance;
            }
            break;
        case kWidthFixed:
            // Nothing clamps here: ink wider than the fixed width gives negative spaces.
            if (inkWidth > 0) {
                left = (m_fixedWidth - inkWidth) / 2;
                right = m_fixedWidth - left - inkWidth;
            } else {
                left = m_fixedWidth;
            }
            break;
        default:
            ThrowBadWidthType(m_widthType);
    }

    // The inked rectangle in true colour: each level's gray with the level's own alpha. Paper
    // keeps the white of level 0, so no pixel equals the background word 0 and the glyph takes
    // the picture whole.
    m_inked.Create(inkWidth, ink.Height(), 32);
    m_inked.SetHasAlpha(true);
    const std::span<const uint32_t> palette = cell.GetPalette();
    const std::span<const uint32_t> from = cell.Pixels();
    const std::span<uint32_t> to = m_inked.Pixels();
    const auto cellWidth = std::size_t(cell.GetWidth());
    for (int32_t y = 0; y < ink.Height(); ++y) {
        const std::size_t source = std::size_t(ink.top + y) * cellWidth + std::size_t(ink.left);
        const std::size_t target = std::size_t(y) * std::size_t(inkWidth);
        for (std::size_t x = 0; x < std::size_t(inkWidth); ++x) {
            const uint32_t word = from[source + x];
            const uint32_t index = word & 0x00FFFFFFu;
            // An index beyond the palette shows as black, as the palette picture draws it.
            const uint32_t rgb = index < palette.size() ? palette[index] : 0;
            to[target + x] = (word & 0xFF000000u) | rgb;
        }
    }
    glyph.SetFromImage(m_inked, left, right, ascent, 0);
}
