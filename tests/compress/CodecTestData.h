#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace codec_test {

inline std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

inline std::vector<uint8_t> Random(std::size_t size, uint32_t seed) {
    std::mt19937 generator(seed);
    std::vector<uint8_t> bytes(size);
    for (auto& byte : bytes) {
        byte = static_cast<uint8_t>(generator());
    }
    return bytes;
}

// Rows like those of a glyph sheet: background with short strokes of a few ink levels, cells
// repeating with variations.
inline std::vector<uint8_t> SheetLike(std::size_t size, uint32_t seed) {
    std::mt19937 generator(seed);
    std::vector<uint8_t> bytes(size, 0);
    for (std::size_t i = 0; i < size; ++i) {
        const std::size_t column = i % 97;
        if (column > 20 && column < 40 && generator() % 3 != 0) {
            bytes[i] = static_cast<uint8_t>(0x11 * (generator() % 16));
        } else if (column == 60 || column == 61) {
            bytes[i] = 0xFF;
        }
    }
    return bytes;
}

// A slow ramp of 16-bit little-endian values, which the difference filter turns into runs.
inline std::vector<uint8_t> Ramp16(std::size_t units) {
    std::vector<uint8_t> bytes;
    for (std::size_t i = 0; i < units; ++i) {
        const auto value = static_cast<uint16_t>(i * 3 + (i / 100) * 7);
        bytes.push_back(static_cast<uint8_t>(value));
        bytes.push_back(static_cast<uint8_t>(value >> 8));
    }
    return bytes;
}

// Symbol frequencies of the Fibonacci numbers make the deepest tree for their total.
inline std::vector<uint8_t> Fibonacci(int symbols) {
    std::vector<uint8_t> bytes;
    uint32_t previous = 1;
    uint32_t current = 1;
    for (int s = 0; s < symbols; ++s) {
        bytes.insert(bytes.end(), current, static_cast<uint8_t>(s));
        const uint32_t next = previous + current;
        previous = current;
        current = next;
    }
    return bytes;
}

}  // namespace codec_test
