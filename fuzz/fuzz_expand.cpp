// Compressed streams: every codec's decoder, through Expand with and without a layer limit.
#include "compress/Compress.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::Prepare();
    const std::span<const uint8_t> input(data, size);
    fuzz_support::Expect([&] { Expand(input, 0); });
    fuzz_support::Expect([&] { Expand(input, 1); });
    return 0;
}
