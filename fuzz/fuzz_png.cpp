// PNG pictures: detection among the picture formats and the whole load through libpng, from the
// file and from its bytes.
#include "fuzz/FuzzSupport.h"
#include "image/PictureFile.h"
#include "image/PngFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::Prepare();
    const auto path = fuzz_support::WriteScratchFile({data, size}, ".png");
    fuzz_support::Expect([&] { LoadPicture(path); });
    fuzz_support::Expect([&] { CPngFile(path).Decode({data, size}); });
    return 0;
}
