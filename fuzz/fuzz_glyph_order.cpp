// Letter order files.
#include "fuzz/FuzzSupport.h"
#include "xml/GlyphOrder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::Prepare();
    const auto path = fuzz_support::WriteScratchFile({data, size}, ".xlor");
    fuzz_support::Expect([&] {
        CGlyphOrder order;
        order.Load(path);
        for (int32_t y = -1; y <= order.GetHeight(); ++y) {
            order.GetCharCode(0, y);
            order.GetCharCode(order.GetWidth() - 1, y);
        }
    });
    return 0;
}
