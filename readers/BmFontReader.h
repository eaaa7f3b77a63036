#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bmfont/BmFontDescriptor.h"
#include "core/FontReader.h"
#include "format/TextureFormat.h"

// Reads an AngelCode BMFont font: a descriptor (.fnt, text, XML or binary) and the pictures of
// its pages, named relative to it and read like image fonts' pictures (the format by content).
// Each character up to U+FFFF becomes a glyph cropped to its ink; the font's ascent is the
// descriptor's base, its descent lineHeight - base, its line feed lineHeight. Kerning pairs are
// read and left out, with one warning.
class CBmFontReader : public CFontReader {
public:
    struct Settings {
        std::u16string descriptorPath;
        // The format the glyphs take on: it decides how coverage becomes pixels.
        TextureFormat format = kTexI4;
    };

    explicit CBmFontReader(Settings settings) : m_settings(std::move(settings)) {}

    // The descriptor read and checked; the pages its characters use must exist and hold, all
    // together, no more pixels than one picture may (451).
    void ValidateInput() override;
    // One page decoded at a time; a page of another size than `common` declares fails with 450,
    // characters together larger than the pages they lie on with 452.
    void ReadFontData(CFontData& font, const CCharFilter& filter) override;

    // A page's file as the descriptor at `descriptorPath` names it, joined to its folder.
    static std::u16string PagePath(const std::u16string& descriptorPath,
                                   const std::u16string& file);

private:
    // The ids of the pages the characters up to U+FFFF lie on, checked as ValidateInput says.
    std::vector<bool> CheckPages(const BmFontDescriptor& descriptor) const;

    Settings m_settings;
    // Kept from ValidateInput for ReadFontData, so the descriptor is parsed once a run.
    std::optional<BmFontDescriptor> m_descriptor;
};
