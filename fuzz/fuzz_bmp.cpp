// BMP pictures: header checks and the whole load, from the file and from its bytes.
#include "fuzz/FuzzSupport.h"
#include "image/BitMapFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::Prepare();
    const auto path = fuzz_support::WriteScratchFile({data, size}, ".bmp");
    fuzz_support::Expect([&] {
        CBitMapFile file(path);
        if (file.IsBmp() && !file.HasFormatError()) {
            file.Load();
        }
    });
    fuzz_support::Expect([&] { CBitMapFile(path).Load(); });
    fuzz_support::Expect([&] { CBitMapFile(path).Decode({data, size}); });
    return 0;
}
