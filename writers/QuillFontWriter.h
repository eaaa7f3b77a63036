#pragma once

#include <cstdint>
#include <string>

#include "core/FontWriter.h"
#include "format/FontEncoding.h"

class CFontData;
class CResFont;

// Writes a settled font as a binary font resource: codes in the chosen encoding, glyphs drawn
// into texture sheets and encoded in the font's texture format, with the font information,
// width and character map blocks; with a glyph groups file, an archived font of compressed
// sheets. The steps hand their results on; the writer keeps nothing but its settings.
class CQuillFontWriter : public CFontWriter {
public:
    static constexpr int32_t kNotGiven = 0xFFFF;

    struct Settings {
        std::u16string outputPath;
        // Makes an archived font; empty for a normal one.
        std::u16string groupsPath;
        // UTF-16, 0xFFFF when not given; 0 is refused.
        uint16_t alternateChar = 0xFFFF;
        // kNotGiven takes the font's own value.
        int32_t lineFeed = kNotGiven;
        int32_t defaultWidth = kNotGiven;
        int32_t defaultLeft = kNotGiven;
        int32_t defaultRight = kNotGiven;
        CharEncoding encoding = kEncodingUtf16;
        // The wanted pixel count of one sheet, 0 to choose freely; an explicit size instead when
        // width and height are not both 0.
        int32_t sheetPixels = 0;
        int32_t sheetWidth = 0;
        int32_t sheetHeight = 0;
    };

    explicit CQuillFontWriter(Settings settings) : m_settings(std::move(settings)) {}

    void ValidateSettings() override;
    const std::u16string& GetOutputPath() const override { return m_settings.outputPath; }
    FontPreview PreviewFontData(const CFontData& font, const CGlyphOrder& order) override;
    // This writer uses no letter order.
    void LoadGlyphOrder(CGlyphOrder&) override {}

protected:
    void WriteTarget(CFontData& font, const CGlyphOrder& order, FontPreview* written) override;

private:
    // The resource WriteFontData saves, laid out in memory.
    CResFont BuildResource(const CFontData& font) const;

    Settings m_settings;
};
