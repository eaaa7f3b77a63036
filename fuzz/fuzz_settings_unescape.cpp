// Settings values: unescaping any stored text is safe, and escaping then unescaping gives the
// text back exactly.
#include <cstdlib>

#include "fuzz/FuzzSupport.h"
#include "gui/IniEscape.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::Prepare();
    const std::u16string stored(data, data + size);
    UnescapeIniString(stored);
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    if (UnescapeIniString(EscapeIniString(text)) != text) {
        std::abort();
    }
    return 0;
}
