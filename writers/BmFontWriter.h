#pragma once

#include <string>

#include "bmfont/BmFontDescriptor.h"
#include "core/FontWriter.h"

// Writes a settled font as an AngelCode BMFont font: the descriptor at the output path, in the
// text, XML or binary form, and beside it one PNG page per sheet of the binary font the font
// would make, named "<descriptor name>_<page id>.png" (writers/BmFontLayout.h).
class CBmFontWriter : public CFontWriter {
public:
    struct Settings {
        std::u16string outputPath;
        BmFontForm form = BmFontForm::kText;
    };

    explicit CBmFontWriter(Settings settings) : m_settings(std::move(settings)) {}

    // The descriptor's name becomes the pages' names inside it: a double quote or a control
    // character, which the text form cannot hold, fails with 459.
    void ValidateSettings() override;
    const std::u16string& GetOutputPath() const override { return m_settings.outputPath; }
    FontPreview PreviewFontData(const CFontData& font, const CGlyphOrder& order) override;
    // This writer uses no letter order.
    void LoadGlyphOrder(CGlyphOrder&) override {}

protected:
    // The pages first, then the descriptor: a failure before the end leaves no descriptor
    // naming pages that are not there, and each file replaces its old one only when complete.
    void WriteTarget(CFontData& font, const CGlyphOrder& order, FontPreview* written) override;

private:
    Settings m_settings;
};
