#pragma once

#include <array>
#include <cstdint>
#include <span>

// The LZ encoder's index of the last 4096 input positions. Only candidates whose first three
// bytes equal the current three can ever match, so positions are chained by those three bytes
// (hashed, and checked again when walking); each chain runs from its oldest position to its
// newest, which keeps the walk order, and with it the chosen match, that of a chain per byte.
class CLzWindow {
public:
    static constexpr std::size_t kSpan = 4096;
    static constexpr std::size_t kMinMatch = 3;
    static constexpr std::size_t kMaxMatch = 18;

    struct Match {
        std::size_t length = 0;  // 0 when there is none
        std::size_t distance = 0;
    };

    // Empties the window for a new input.
    void Reset(std::span<const uint8_t> input);
    // Enters the next position; positions are entered one by one from 0, each exactly once.
    void Enter(std::size_t position);
    // The longest match for `position`: the oldest of equally long candidates, never at
    // distance 1, at most 18 bytes and at most what remains of the input.
    Match FindLongest(std::size_t position) const;

private:
    static constexpr std::size_t kChains = 1 << 16;
    static constexpr int32_t kNone = -1;

    std::size_t ChainOf(std::size_t position) const;
    static std::size_t SlotOf(std::size_t position) { return position % kSpan; }

    std::span<const uint8_t> m_input;
    std::array<int32_t, kChains> m_oldest{};
    std::array<int32_t, kChains> m_newest{};
    std::array<int32_t, kSpan> m_next{};
    std::array<uint32_t, kSpan> m_position{};
};
