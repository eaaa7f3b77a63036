// Glyph groups files, with the numbering and checks that follow loading.
#include "fuzz/FuzzSupport.h"
#include "xml/GlyphGroups.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::Prepare();
    const auto path = fuzz_support::WriteScratchFile({data, size}, ".xggp");
    fuzz_support::Expect([&] {
        CGlyphGroups groups;
        groups.Load(path);
        groups.PreOrder();
        groups.PostOrder();
        groups.Leaves();
    });
    return 0;
}
