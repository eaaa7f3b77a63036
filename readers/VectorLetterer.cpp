#include "readers/VectorLetterer.h"

#include <algorithm>
#include <array>
#include <limits>

#include "core/Glyph.h"

void CVectorLetterer::Create(const FontDescription& description) {
    StartFontService();
    if (m_softAntialias) {
        FontDescription doubled = description;
        doubled.height = static_cast<int32_t>(std::clamp<int64_t>(
            int64_t{description.height} * 2, std::numeric_limits<int32_t>::min(),
            std::numeric_limits<int32_t>::max()));
        SetupFont(doubled);
    } else {
        SetupFont(description);
    }
    CalcurateParameter();
    // The outline is stroked at the size the glyphs are rendered at.
    StartStroke(m_softAntialias ? 2 : 1);
    const int32_t depth = GetBitDepth();
    m_format = depth == 8 ? GlyphFormat::kGray65 : GlyphFormat::kGray17;
    m_words = LevelWordsOf(m_format, depth);
    for (std::size_t coverage = 0; coverage < m_coverageWords.size(); ++coverage) {
        m_coverageLevels[coverage] =
            CFontService::LevelOfCoverage(m_format, static_cast<uint8_t>(coverage));
        m_coverageWords[coverage] = m_words[m_coverageLevels[coverage]];
    }
}

bool CVectorLetterer::LetterChar(CGlyph& glyph, char16_t code) {
    if (!HasGlyph(code)) {
        return false;
    }
    GlyphMetrics metrics;
    ByteRows coverage;
    // One query gives the size and the rendering; a failed one is treated like a failed
    // rendering, so the width queries decide.
    const uint32_t result = m_font.GetGlyphCoverage(code, metrics, coverage);
    const uint32_t size = result == kGlyphError ? 0 : result;
    if (result == kGlyphError) {
        AbcWidths abc;
        if (!m_font.GetCharAbcWidths(code, abc) && !m_font.GetCharWidth(code, abc.b)) {
            return false;
        }
        metrics.cellIncX = static_cast<int16_t>(abc.a + abc.b + abc.c);
        metrics.originY = 0;
    }
    if (size == 0) {
        // A glyph without pixels (a space) has only its metrics.
        metrics.blackBoxX = 0;
        metrics.blackBoxY = 0;
        coverage = ByteRows{};
    }
    GlyphBox box;
    box.width = (metrics.blackBoxX + 3) & ~3;
    box.height = std::max(box.width != 0 ? static_cast<int32_t>(size / uint32_t(box.width)) : 0,
                          metrics.blackBoxY);
    box.left = metrics.originX;
    box.advance = metrics.cellIncX;
    box.top = metrics.originY;
    box.inkLevel = static_cast<uint8_t>((1 << GetBitDepth()) - 1);
    box.paperLevel = 0;
    if (HasEffects()) {
        LetterWithEffects(glyph, code, coverage, box);
        return true;
    }
    if (!m_softAntialias) {
        SetGlyph(glyph, coverage, m_coverageWords, box);
        return true;
    }
    // The 2 x 2 reduction works on the levels themselves.
    m_levels.assign(size, 0);
    if (size != 0) {
        m_font.GetGlyphOutline(code, m_format, metrics, m_levels);
    }
    ReduceSoftAntialias(m_levels, box);
    SetGlyph(glyph, ByteRows{m_levels.data(), box.width, box.width, box.height}, m_words, box);
    return true;
}

void CVectorLetterer::LetterWithEffects(CGlyph& glyph, char16_t code, const ByteRows& coverage,
                                        GlyphBox& box) {
    const int32_t blockLeft = box.left;
    LayEffects(code, coverage, m_coverageLevels, m_coverageLevels, box.top, m_softAntialias ? 2 : 1,
               box);
    if (m_softAntialias) {
        // Both planes halved alike, the columns paired as the letter's own are without effects:
        // the canvas begins an even number of columns left of the letter.
        const int32_t pairsLeft = (blockLeft - box.left) / 2;
        box.left = blockLeft;
        GlyphBox letterBox = box;
        ReduceSoftAntialias(m_canvas.Letter(), letterBox);
        ReduceSoftAntialias(m_canvas.Hull(), box);
        box.left -= pairsLeft;
    }
    FinishEffects(glyph, m_words, box);
}

void CVectorLetterer::ReduceSoftAntialias(std::span<uint8_t> levels, GlyphBox& box) {
    const int32_t sourceWidth = box.width;
    const int32_t sourceHeight = box.height;
    const int32_t top = box.top;
    int32_t height = sourceHeight;
    const bool oddTop = top % 2 != 0;
    if (oddTop && (height - top) % 2 != 0) {
        ++height;
    }
    box.left /= 2;
    box.advance = (box.advance + 1) / 2;
    box.width = (sourceWidth + 1) / 2;
    box.height = (height + 1) / 2;
    // The top row's height over the baseline halved, rounded up: the block rows pair on the
    // baseline, so a block that starts an even number of rows below it keeps that alignment.
    box.top = top >= 0 ? (top + 1) / 2 : top / 2;
    if (box.width == 0 || box.height == 0) {
        return;
    }

    // With an odd top an empty row is assumed above the block, so that block rows meet the
    // baseline; rows and columns beyond the block count as empty.
    const int64_t sourceRows =
        std::min<int64_t>(sourceHeight, int64_t(levels.size()) / sourceWidth);
    const int64_t firstRow = oddTop ? -1 : 0;
    const auto level = [&](int64_t x, int64_t y) -> int32_t {
        if (y < 0 || y >= sourceRows || x >= sourceWidth) {
            return 0;
        }
        return levels[static_cast<std::size_t>(y * sourceWidth + x)];
    };
    // In place: every output position lies at or before the first source position it reads,
    // and later blocks only read further on.
    std::size_t out = 0;
    for (int64_t row = 0; row < box.height; ++row) {
        const int64_t y = firstRow + 2 * row;
        for (int64_t column = 0; column < box.width && out < levels.size(); ++column) {
            const int64_t x = 2 * column;
            const int32_t sum =
                level(x, y) + level(x + 1, y) + level(x, y + 1) + level(x + 1, y + 1);
            levels[out++] = static_cast<uint8_t>((sum + 2) >> 2);
        }
    }
}

LevelWords CVectorLetterer::LevelWordsOf(GlyphFormat format, int32_t depth) {
    const uint32_t top = (1u << depth) - 1;
    const int shift = format == GlyphFormat::kGray65 ? 6 : 4;
    LevelWords words{};
    for (uint32_t b = 0; b < words.size(); ++b) {
        const uint32_t level = (b * top) >> shift;
        words[b] = (level * 255 / top) << 24 | GrayOf(level, depth);
    }
    return words;
}
