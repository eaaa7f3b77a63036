// Image fonts: a picture and its letter order, through the reader's checks and the whole read.
// The input is a 16-bit little-endian length, that many bytes of letter order, then the
// picture; the first byte after the length picks the texture format and the linear assist.
#include "core/FontData.h"
#include "fuzz/FuzzSupport.h"
#include "readers/ImageFontReader.h"
#include "xml/CharFilter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::Prepare();
    if (size < 3) {
        return 0;
    }
    const std::span<const uint8_t> input(data, size);
    const uint8_t options = input[2];
    const std::size_t orderSize = std::min<std::size_t>(input[0] | (input[1] << 8), size - 3);
    const auto orderPath = fuzz_support::WriteScratchFile(input.subspan(3, orderSize), ".xlor", 0);
    const auto imagePath = fuzz_support::WriteScratchFile(input.subspan(3 + orderSize), ".img", 1);
    fuzz_support::Expect([&] {
        CImageFontReader reader(
            {imagePath, orderPath, static_cast<TextureFormat>(options % 7), (options & 0x80) != 0});
        reader.ValidateInput();
        CFontData font;
        CCharFilter filter;
        reader.ReadFontData(font, filter);
        font.ReflectGlyph();
    });
    return 0;
}
