#pragma once

#include <string>

#include "core/FontIO.h"
#include "core/FontPreview.h"

class CFontData;
class CGlyphOrder;

class CFontWriter : public CFontIO {
public:
    // The output path first, then the writer's own settings.
    void ValidateInput() override {
        ValidateOutputPath(GetOutputPath());
        ValidateSettings();
    }
    // Checks every setting but the output path, before anything is read.
    virtual void ValidateSettings() = 0;
    virtual const std::u16string& GetOutputPath() const = 0;

    void WriteFontData(CFontData& font, const CGlyphOrder& order) {
        WriteTarget(font, order, nullptr);
    }
    // Writes the font and gives what a preview draws of the target as written, taken from the
    // target laid out in memory rather than read back from the file.
    FontPreview WriteAndPreview(CFontData& font, const CGlyphOrder& order) {
        FontPreview written;
        WriteTarget(font, order, &written);
        return written;
    }
    // Lays the font out as WriteFontData would and gives what a preview draws of it; no file is
    // written or opened.
    virtual FontPreview PreviewFontData(const CFontData& font, const CGlyphOrder& order) = 0;
    // Fills `order` with the letter order this writer uses (left empty when it has none), so the
    // caller can narrow the filter before reading.
    virtual void LoadGlyphOrder(CGlyphOrder& order) = 0;

protected:
    // Lays the font out once and writes it; `written`, when given, receives the preview of what
    // was laid out, so a front end that shows the result lays nothing out twice and raises no
    // warning twice.
    virtual void WriteTarget(CFontData& font, const CGlyphOrder& order, FontPreview* written) = 0;
};
