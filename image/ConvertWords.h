#pragma once

#include <cstdint>
#include <span>

// Converts every word of a picture's words where it lies, eight at a time while it can: a loop
// of a known count, which the compiler turns into vector instructions.
template <typename Convert>
void ConvertWords(std::span<uint32_t> words, Convert convert) {
    std::size_t i = 0;
    for (; i + 8 <= words.size(); i += 8) {
        for (std::size_t k = 0; k < 8; ++k) {
            words[i + k] = convert(words[i + k]);
        }
    }
    for (; i < words.size(); ++i) {
        words[i] = convert(words[i]);
    }
}
