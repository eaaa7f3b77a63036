// Outlines and shadows over a whole face: each glyph against the same glyph read plain. Their
// pictures are golden (tests/golden/effects-*), their errors console runs.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/FontData.h"
#include "readers/WinFontReader.h"
#include "support/ReadFont.h"

namespace {

constexpr uint32_t kGray = 0x00FFFFFFu;
constexpr uint32_t kNoInk = 0x00FFFFFFu;  // the white of level 0

std::unique_ptr<CFontData> ReadDejaVu(int32_t depth, bool softAntialias,
                                      const GlyphEffects& effects) {
    return testing_support::ReadWholeFont(CWinFontReader({.faceName = u"DejaVu Sans",
                                                          .size = 16,
                                                          .bitDepth = depth,
                                                          .alpha = true,
                                                          .softAntialias = softAntialias,
                                                          .effects = effects}));
}

uint32_t Alpha(uint32_t word) {
    return word >> 24;
}

struct Case {
    const char* name;
    int32_t depth;
    bool softAntialias;
    GlyphEffects effects;
};

TEST(GlyphEffectsTest, WholeFaceKeepsTheLetterAndGrowsByTheEffects) {
    const Case cases[] = {
        {"IA4, outline 3 and shadow -2,1", 4, false, {.outline = 3, .shadow = {{-2, 1}}}},
        {"IA6 soft, outline 2 and shadow 1,2", 6, true, {.outline = 2, .shadow = {{1, 2}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto plain = ReadDejaVu(c.depth, c.softAntialias, {});
        const auto effects = ReadDejaVu(c.depth, c.softAntialias, c.effects);
        ASSERT_EQ(plain->GetGlyphCount(), effects->GetGlyphCount());

        const int32_t r = c.effects.outline.value_or(0);
        const GlyphEffects::Offset shadow = c.effects.shadow.value_or(GlyphEffects::Offset{});
        // Each side grows by the outline (one pixel either way where the stroker rounds) and by
        // the shadow on the side it falls.
        const int32_t slack = r > 0 ? 1 : 0;
        const auto grows = [&](int32_t growth, int32_t byShadow) {
            return growth >= r + byShadow - slack && growth <= r + byShadow + slack;
        };
        int failures = 0;
        for (std::size_t i = 0; i < plain->GetGlyphCount() && failures < 5; ++i) {
            const CGlyph& before = *plain->Glyphs()[i];
            const CGlyph* after = effects->FindGlyph(before.charCode);
            ASSERT_NE(after, nullptr);
            const bool ok = [&] {
                EXPECT_EQ(after->Advance(), before.Advance());
                const int32_t width = before.image.GetWidth();
                const int32_t height = before.image.GetHeight();
                if (width == 0) {
                    EXPECT_EQ(after->image.GetWidth(), 0);
                    return after->image.GetWidth() == 0 && after->Advance() == before.Advance();
                }
                const int32_t left = before.leftSpace - after->leftSpace;
                const int32_t top = after->ascent - before.ascent;
                const int32_t right = after->image.GetWidth() - width - left;
                const int32_t bottom = after->image.GetHeight() - height - top;
                if (!grows(left, std::max(0, -shadow.x)) || !grows(right, std::max(0, shadow.x)) ||
                    !grows(top, std::max(0, -shadow.y)) || !grows(bottom, std::max(0, shadow.y))) {
                    ADD_FAILURE() << "grew by " << left << ", " << top << ", " << right << ", "
                                  << bottom;
                    return false;
                }
                const auto alphaAt = [&](int32_t x, int32_t y) {
                    return x < 0 || y < 0 || x >= after->image.GetWidth() ||
                                   y >= after->image.GetHeight()
                               ? 0u
                               : Alpha(after->image.GetWord(x, y));
                };
                // The letter keeps its levels; what lies outside it is no ink.
                for (int32_t y = 0; y < after->image.GetHeight(); ++y) {
                    for (int32_t x = 0; x < after->image.GetWidth(); ++x) {
                        const int32_t px = x - left;
                        const int32_t py = y - top;
                        const bool inside = px >= 0 && py >= 0 && px < width && py < height;
                        const uint32_t expected = inside ? before.image.GetWord(px, py) : kNoInk;
                        if ((after->image.GetWord(x, y) & kGray) != (expected & kGray)) {
                            ADD_FAILURE() << "gray at " << x << ", " << y;
                            return false;
                        }
                    }
                }
                // Every pixel of the letter keeps at least its alpha, where it lies and where
                // its shadow falls; around full ink lies the ring, r pixels each way less the
                // one where the stroker rounds (a counter smaller than the pen may keep its
                // middle pixel open).
                for (int32_t y = 0; y < height; ++y) {
                    for (int32_t x = 0; x < width; ++x) {
                        const uint32_t alpha = Alpha(before.image.GetWord(x, y));
                        const int32_t ax = x + left;
                        const int32_t ay = y + top;
                        bool held = alphaAt(ax, ay) >= alpha;
                        if (c.effects.shadow) {
                            held = held && alphaAt(ax + shadow.x, ay + shadow.y) >= alpha;
                        }
                        for (int32_t k = 1; alpha == 255 && k < r; ++k) {
                            held = held && alphaAt(ax - k, ay) > 0 && alphaAt(ax + k, ay) > 0 &&
                                   alphaAt(ax, ay - k) > 0 && alphaAt(ax, ay + k) > 0;
                        }
                        if (!held) {
                            ADD_FAILURE() << "alpha at " << x << ", " << y;
                            return false;
                        }
                    }
                }
                return true;
            }();
            if (!ok) {
                ++failures;
                ADD_FAILURE() << "U+" << std::hex << before.charCode;
            }
        }
    }
}

}  // namespace
