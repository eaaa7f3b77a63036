// Binary fonts, normal and archived: the file check, then the whole read into the font model.
#include "core/FontData.h"
#include "format/FontFileCheck.h"
#include "fuzz/FuzzSupport.h"
#include "readers/QuillFontReader.h"
#include "xml/CharFilter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::Prepare();
    const auto path = fuzz_support::WriteScratchFile({data, size}, ".bofnt");
    fuzz_support::Expect([&] { ValidateFontFile(path); });
    fuzz_support::Expect([&] {
        CQuillFontReader reader({path});
        reader.ValidateInput();
        CFontData font;
        CCharFilter filter;
        reader.ReadFontData(font, filter);
        if (font.GetGlyphCount() > 0) {
            font.ReflectGlyph();
        }
    });
    return 0;
}
