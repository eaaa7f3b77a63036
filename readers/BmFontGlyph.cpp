#include "readers/BmFontGlyph.h"

#include <algorithm>
#include <span>

#include "image/IndexImage.h"

namespace {

// The 0xAARRGGBB of every pixel of a page: a palette picture's through its palette, a picture
// without alpha opaque.
class PageColours {
public:
    explicit PageColours(const IImage& page)
        : m_words(page.Pixels()), m_width(page.GetWidth()), m_opaque(!page.HasAlpha()) {
        if (const auto* indexed = dynamic_cast<const CIndexImage*>(&page)) {
            m_palette = indexed->GetPalette();
            m_indexed = true;
        }
    }

    uint32_t At(int64_t x, int64_t y) const {
        uint32_t word = m_words[static_cast<std::size_t>(y * m_width + x)];
        if (m_indexed) {
            const uint32_t index = word & 0x00FFFFFFu;
            word = index < m_palette.size() ? m_palette[index] : 0u;
        }
        return m_opaque ? word | 0xFF000000u : word;
    }

private:
    std::span<const uint32_t> m_words;
    int64_t m_width;
    bool m_opaque;
    bool m_indexed = false;
    std::span<const uint32_t> m_palette;
};

uint32_t CoverageOfWord(uint32_t word, BmFontCoverage coverage) {
    switch (coverage) {
        case BmFontCoverage::kAlpha:
        case BmFontCoverage::kLetterInColour:
            return word >> 24;
        case BmFontCoverage::kRed:
            return (word >> 16) & 0xFF;
        case BmFontCoverage::kGreen:
            return (word >> 8) & 0xFF;
        case BmFontCoverage::kBlue:
            return word & 0xFF;
        case BmFontCoverage::kGrey:
            break;
    }
    return (((word >> 16) & 0xFF) + ((word >> 8) & 0xFF) + (word & 0xFF)) / 3;
}

bool IsIntensityFormat(TextureFormat format) {
    return format == kTexI4 || format == kTexI8 || format == kTexIA4 || format == kTexIA8;
}

}  // namespace

BmFontCoverage CoverageOf(const BmFontCommon& common, const BmFontChar& ch) {
    if (common.packed) {
        switch (ch.chnl) {
            case kChnlAlpha:
                return BmFontCoverage::kAlpha;
            case kChnlRed:
                return BmFontCoverage::kRed;
            case kChnlGreen:
                return BmFontCoverage::kGreen;
            case kChnlBlue:
                return BmFontCoverage::kBlue;
            default:
                break;
        }
    }
    if (common.alphaChnl == kChannelGlyphAndOutline && common.redChnl == kChannelGlyph) {
        return BmFontCoverage::kLetterInColour;
    }
    if (common.alphaChnl == kChannelGlyph || common.alphaChnl == kChannelGlyphAndOutline) {
        return BmFontCoverage::kAlpha;
    }
    return BmFontCoverage::kGrey;
}

std::unique_ptr<CGlyph> CutBmFontGlyph(const IImage& page, const BmFontChar& ch,
                                       BmFontCoverage coverage, TextureFormat format,
                                       int32_t base) {
    const PageColours colours(page);
    const auto coverageAt = [&](int64_t x, int64_t y) {
        return CoverageOfWord(colours.At(ch.x + x, ch.y + y), coverage);
    };
    // The ink box, in the rectangle's coordinates.
    int64_t left = ch.width;
    int64_t top = ch.height;
    int64_t right = 0;
    int64_t bottom = 0;
    for (int64_t y = 0; y < ch.height; ++y) {
        for (int64_t x = 0; x < ch.width; ++x) {
            if (coverageAt(x, y) != 0) {
                left = std::min(left, x);
                right = std::max(right, x + 1);
                top = std::min(top, y);
                bottom = y + 1;
            }
        }
    }
    auto glyph = std::make_unique<CGlyph>();
    const auto advance = static_cast<int32_t>(ch.xadvance);
    const auto xoffset = static_cast<int32_t>(ch.xoffset);
    if (right <= left) {
        // No ink: a space, its advance kept.
        glyph->leftSpace = xoffset;
        glyph->rightSpace = advance - xoffset;
        glyph->ascent = base - static_cast<int32_t>(ch.yoffset);
        glyph->image.SetHasAlpha(true);
        return glyph;
    }
    const auto width = static_cast<int32_t>(right - left);
    const auto height = static_cast<int32_t>(bottom - top);
    glyph->image.CreateUnset(width, height, 32);
    glyph->image.SetHasAlpha(true);
    const bool intensity = IsIntensityFormat(format);
    std::span<uint32_t> out = glyph->image.Pixels();
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t word = colours.At(ch.x + left + x, ch.y + top + y);
            const uint32_t alpha = CoverageOfWord(word, coverage);
            const uint32_t ink = coverage == BmFontCoverage::kLetterInColour
                                     ? CoverageOfWord(word, BmFontCoverage::kGrey)
                                     : alpha;
            out[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x)] =
                (alpha << 24) | (intensity ? (255 - ink) * 0x010101u : word & 0x00FFFFFFu);
        }
    }
    glyph->leftSpace = xoffset + static_cast<int32_t>(left);
    glyph->rightSpace = advance - glyph->leftSpace - width;
    glyph->ascent = base - static_cast<int32_t>(ch.yoffset + top);
    return glyph;
}
