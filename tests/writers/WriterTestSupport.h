#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "core/FontData.h"
#include "core/GlobalException.h"
#include "image/RgbImage.h"
#include "platform/Text.h"
#include "support/TestSupport.h"
#include "writers/format/ResFont.h"
#include "writers/format/TextureFormat.h"

namespace writer_tests {

// The message part of an exception text (after the "<category>: (<where>)" line).
inline std::u16string MessageOf(const CGeneralException& e) {
    const std::u16string& text = e.What();
    const auto newline = text.find(u'\n');
    return newline == std::u16string::npos ? text : text.substr(newline + 1);
}

// Runs `action`, which must throw the given category and message text.
inline void ExpectError(const std::function<void()>& action, int32_t category,
                        const std::u16string& message) {
    try {
        action();
        ADD_FAILURE() << "no error; expected " << Utf16ToUtf8(message);
    } catch (const CGeneralException& e) {
        EXPECT_EQ(e.GetCategory(), category) << Utf16ToUtf8(e.What());
        EXPECT_EQ(MessageOf(e), message) << Utf16ToUtf8(e.What());
    }
}

// How far a decoded channel may be from the source in a format.
inline int Tolerance(int32_t format) {
    switch (format) {
        case kTexI4:
        case kTexIA4:
            return 17;
        case kTexRGB565:
        case kTexRGB5A3:
            return 8;
        case kTexRGBA8:
            return 0;
        default:
            return 1;
    }
}

inline void ExpectNear(uint32_t decoded, uint32_t source, int32_t format,
                       const std::string& where) {
    const int tolerance = Tolerance(format);
    for (const int shift : {0, 8, 16, 24}) {
        if (shift == 24 && (format == kTexRGB565 || format == kTexRGB5A3)) {
            continue;  // opaque sources
        }
        const int d = static_cast<int>((decoded >> shift) & 0xFF);
        const int s = static_cast<int>((source >> shift) & 0xFF);
        ASSERT_LE(std::abs(d - s), tolerance) << where << " channel " << shift << std::hex
                                              << " decoded " << decoded << " source " << source;
    }
}

// Loads a written file and checks every glyph of the font through our own loader and decoder.
inline void ExpectFileHoldsFont(const std::filesystem::path& path, const CFontData& font) {
    CResFont res;
    res.Load(testing_support::ReadFileBytes(path));
    ASSERT_TRUE(res.GetTextureGlyphs().has_value());
    const TextureGlyphs& t = *res.GetTextureGlyphs();
    const int32_t format = t.sheetFormat;
    EXPECT_EQ(format, font.glyphImageFormat.value);
    CRgbImage sheets;
    sheets.Create(t.sheetWidth, t.sheetHeight * t.sheetCount, 32);
    texture::DecodeSheets(res.GetSheetData(), format, sheets);
    const int32_t perSheet = t.cellsPerRow * t.rowsPerSheet;
    for (const auto& glyph : font.Glyphs()) {
        const uint16_t index = res.CodeToIndex(glyph->charCode);
        ASSERT_NE(index, kNoGlyph) << glyph->charCode;
        const WidthEntry width = res.WidthOfIndex(index);
        EXPECT_EQ(width.left, glyph->leftSpace);
        EXPECT_EQ(width.glyphWidth, glyph->image.GetWidth());
        EXPECT_EQ(width.advance, glyph->Advance());
        const int32_t j = index % perSheet;
        const int32_t x = (j % t.cellsPerRow) * (t.cellWidth + 1) + 1;
        const int32_t y = (j / t.cellsPerRow) * (t.cellHeight + 1) + 1 +
                          (index / perSheet) * t.sheetHeight + t.baseline - glyph->ascent;
        for (int32_t gy = 0; gy < glyph->image.GetHeight(); ++gy) {
            for (int32_t gx = 0; gx < glyph->image.GetWidth(); ++gx) {
                ExpectNear(sheets.GetWord(x + gx, y + gy), glyph->image.GetWord(gx, gy), format,
                           "code " + std::to_string(glyph->charCode));
            }
        }
    }
}

}  // namespace writer_tests
