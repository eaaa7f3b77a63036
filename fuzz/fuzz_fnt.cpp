// AngelCode BMFont descriptors in any form, and the glyphs their characters cut from a page of
// the declared size (a gradient drawn in memory, so that every rectangle holds ink).
#include "bmfont/BmFontFile.h"
#include "fuzz/FuzzSupport.h"
#include "image/RgbImage.h"
#include "readers/BmFontGlyph.h"

namespace {

// Pages past this are not drawn: the descriptor's own checks are what such an input tests.
constexpr int64_t kLargestPage = 1024 * 1024;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::Prepare();
    const auto path = fuzz_support::WriteScratchFile({data, size}, ".fnt");
    fuzz_support::Expect([&] {
        const BmFontDescriptor descriptor = LoadBmFontDescriptor(path);
        const BmFontCommon& common = *descriptor.common;
        if (common.scaleW * common.scaleH > kLargestPage) {
            return;
        }
        CRgbImage page;
        page.Create(static_cast<int32_t>(common.scaleW), static_cast<int32_t>(common.scaleH), 32);
        page.SetHasAlpha(true);
        for (int32_t y = 0; y < page.GetHeight(); ++y) {
            for (int32_t x = 0; x < page.GetWidth(); ++x) {
                page.SetPixel(x, y, static_cast<uint32_t>(x * 0x010203 + y), (x ^ y) & 0xFF);
            }
        }
        for (const BmFontChar& ch : descriptor.chars) {
            for (const TextureFormat format : {kTexIA8, kTexRGBA8}) {
                CutBmFontGlyph(page, ch, CoverageOf(common, ch), format,
                               static_cast<int32_t>(common.base));
            }
        }
    });
    return 0;
}
