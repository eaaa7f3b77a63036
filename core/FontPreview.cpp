#include "core/FontPreview.h"

#include <algorithm>

const PreviewGlyph* FontPreview::Find(char16_t code) const {
    const auto found = std::lower_bound(
        glyphs.begin(), glyphs.end(), code,
        [](const PreviewGlyph& glyph, char16_t wanted) { return glyph.code < wanted; });
    return found != glyphs.end() && found->code == code ? &*found : nullptr;
}
