#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/FontReader.h"
#include "readers/GlyphEffects.h"
#include "readers/Letterer.h"

// Reads a font installed on this system: every code 0x0000-0xFFFD that the face maps and the
// filter lets through becomes one rendered glyph.
class CWinFontReader : public CFontReader {
public:
    struct Settings {
        // As the user chose it: an installed family, a family with a style, a full or PostScript
        // name, or a font file; matched exactly.
        std::u16string faceName;
        int32_t size = 0;          // the character (em) height in pixels
        int32_t averageWidth = 0;  // 0 lets the font choose
        int32_t bitDepth = 0;      // 1-8
        bool alpha = false;        // the glyph image format carries alpha
        CLetterer::WidthType widthType = CLetterer::kWidthChar;
        int32_t fixedWidth = -1;     // for kWidthFixed
        bool softAntialias = false;  // render at twice the size and reduce
        GlyphEffects effects = {};   // only with alpha
        // Further faces in the same forms as the face, in order: a character the face lacks
        // comes from the first of them that has it, rendered with the same options on the same
        // baseline.
        std::vector<std::u16string> fallbackFaces{};
    };

    // The most fallback faces a conversion takes; each is one opened font.
    static constexpr std::size_t kMaxFallbackFaces = 64;

    // Stores the settings; ValidateInput checks them.
    explicit CWinFontReader(Settings settings) : m_settings(std::move(settings)) {}

    void ValidateInput() override;
    void ReadFontData(CFontData& font, const CCharFilter& filter) override;

private:
    // The face and the fallback faces in order, each name once.
    std::vector<std::u16string> Faces() const;
    // A rasteriser for the face, set up with the reader's options and opened.
    std::unique_ptr<CLetterer> CreateLetterer(const std::u16string& face) const;

    Settings m_settings;
};
