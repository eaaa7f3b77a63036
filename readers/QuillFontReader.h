#pragma once

#include <cstdint>
#include <string>

#include "core/FontReader.h"

class CResFont;

// Reads a binary font resource (.bofnt, or the archived .bofna) back into the font model: its
// sheets decoded into true-colour glyphs, its codes turned back into UTF-16, its font-wide
// values, so that it can be written again as a binary font or as an image font.
class CQuillFontReader : public CFontReader {
public:
    struct Settings {
        std::u16string path;
    };

    explicit CQuillFontReader(Settings settings) : m_path(std::move(settings.path)) {}

    void ValidateInput() override;
    // Nothing reaches the font data before the whole file has loaded and its sheets decoded.
    void ReadFontData(CFontData& font, const CCharFilter& filter) override;

private:
    // The loaded file, and how many bytes it has.
    CResFont Load(int64_t& fileBytes) const;

    std::u16string m_path;
};
