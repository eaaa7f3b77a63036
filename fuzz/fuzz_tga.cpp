// TGA pictures: header checks and the whole load, run-length streams included.
#include "fuzz/FuzzSupport.h"
#include "image/TgaFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::Prepare();
    const auto path = fuzz_support::WriteScratchFile({data, size}, ".tga");
    fuzz_support::Expect([&] { CTgaFile(path).Load(); });
    return 0;
}
