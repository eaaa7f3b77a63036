#include "readers/Letterer.h"

#include <algorithm>

#include "base/GlobalException.h"
#include "base/TextFormat.h"
#include "core/Glyph.h"

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
    m_textAscent = metrics.ascent;
    m_internalLeading = metrics.internalLeading;
    m_cellSide = std::max(metrics.maxCharWidth, metrics.height);
}

void CLetterer::StartStroke(int32_t scale) {
    if (m_effects.outline && !m_font.SetStroke(*m_effects.outline * scale)) {
        TL_THROW(kErrInternal, 473);
    }
}

void CLetterer::LayEffects(char16_t code, const ByteRows& letter, const LevelMap& letterLevels,
                           const LevelMap& ringLevels, int32_t baselineRow, int32_t columnStep,
                           GlyphBox& box) {
    GlyphMetrics placed;
    ByteRows ring;
    if (!m_effects.outline || !m_font.GetStrokeRing(code, placed, ring)) {
        ring = ByteRows{};
    }
    m_canvas.Lay(letter, letterLevels, ring, placed.originX - box.left,
                 baselineRow - placed.originY, ringLevels, columnStep, box);
}

void CLetterer::FinishEffects(CGlyph& glyph, const LevelWords& words, GlyphBox& box) {
    if (m_effects.shadow) {
        m_canvas.AddShadow(m_effects.shadow->x, m_effects.shadow->y, box);
    }
    SetGlyph(glyph, m_canvas.LetterRows(box), m_canvas.HullRows(box), words, box);
}

void CLetterer::ShareBaseline(const CLetterer& first) {
    m_ascent += m_internalLeading - first.m_internalLeading;
    m_internalLeading = first.m_internalLeading;
}

uint32_t CLetterer::GrayOf(uint32_t index, int32_t depth) {
    const uint32_t count = 1u << depth;
    return index < count ? 255 * (count - 1 - index) / (count - 1) * 0x010101u : 0;
}

namespace {

// The smallest rectangle holding every level whose word has alpha; all zero without any.
ImageRect InkBox(const ByteRows& rows, const LevelWords& words) {
    ImageRect ink{rows.width, rows.height, 0, 0};
    for (int32_t y = 0; y < rows.height; ++y) {
        const uint8_t* row = rows.first + y * rows.pitch;
        int32_t first = 0;
        while (first < rows.width && words[row[first]] >> 24 == 0) {
            ++first;
        }
        if (first == rows.width) {
            continue;
        }
        int32_t last = rows.width - 1;
        while (words[row[last]] >> 24 == 0) {
            --last;
        }
        ink.left = std::min(ink.left, first);
        ink.right = std::max(ink.right, last + 1);
        ink.top = std::min(ink.top, y);
        ink.bottom = y + 1;
    }
    return ink.left > ink.right || ink.top > ink.bottom ? ImageRect{} : ink;
}

}  // namespace

void CLetterer::SetGlyph(CGlyph& glyph, const ByteRows& rows, const LevelWords& words,
                         const GlyphBox& box) {
    SetGlyph(glyph, rows, rows, words, box);
}

void CLetterer::SetGlyph(CGlyph& glyph, const ByteRows& letter, const ByteRows& hull,
                         const LevelWords& words, const GlyphBox& box) {
    const ImageRect ink = InkBox(hull, words);
    const int32_t inkWidth = ink.Width();

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

    // The inked rectangle in true colour. Paper keeps the white of level 0, so the whole
    // rectangle is the glyph's image.
    glyph.image.CreateUnset(inkWidth, ink.Height(), 32);
    glyph.image.SetHasAlpha(true);
    const std::span<uint32_t> to = glyph.image.Pixels();
    const bool onePlane = letter.first == hull.first;
    for (int32_t y = 0; y < ink.Height(); ++y) {
        const uint8_t* from = hull.first + (ink.top + y) * hull.pitch + ink.left;
        uint32_t* row = to.data() + std::size_t(y) * std::size_t(inkWidth);
        if (onePlane) {
            for (int32_t x = 0; x < inkWidth; ++x) {
                row[x] = words[from[x]];
            }
            continue;
        }
        const uint8_t* gray = letter.first + (ink.top + y) * letter.pitch + ink.left;
        for (int32_t x = 0; x < inkWidth; ++x) {
            row[x] = (words[from[x]] & 0xFF000000u) | (words[gray[x]] & 0x00FFFFFFu);
        }
    }
    glyph.leftSpace = left;
    glyph.rightSpace = right;
    glyph.ascent = box.top - ink.top;
}
