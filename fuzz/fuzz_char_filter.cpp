// Character filter files.
#include "fuzz/FuzzSupport.h"
#include "xml/CharFilter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::Prepare();
    const auto path = fuzz_support::WriteScratchFile({data, size}, ".xllt");
    fuzz_support::Expect([&] {
        CCharFilter filter;
        filter.Load(path);
        filter.IsExcluded(u'A');
        filter.GetCodes();
    });
    return 0;
}
