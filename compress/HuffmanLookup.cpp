#include "compress/HuffmanLookup.h"

#include <algorithm>
#include <bit>

namespace {

constexpr uint8_t kLeafBit[2] = {0x80, 0x40};
constexpr uint8_t kOffsetMask = 0x3F;

}  // namespace

CHuffmanLookup::CHuffmanLookup(std::span<const uint8_t> table, uint64_t symbols) : m_table(table) {
    // Filling the table costs one step per entry: a short stream gets a small table.
    constexpr int kSymbolsPerEntry = 4;
    m_bits = std::clamp(static_cast<int>(std::bit_width(symbols)) - kSymbolsPerEntry, 1, kMostBits);
    const uint8_t root = table[1];
    Fill(0, root, 0, 0);
    const std::size_t children = static_cast<std::size_t>(root & kOffsetMask) + 1;
    for (const uint32_t bit : {0u, 1u}) {
        if ((root & kLeafBit[bit]) != 0 && 2 * children + 1 < table.size() && !m_run.exists) {
            m_run = Run{true, table[2 * children + bit], bit};
        }
    }
}

// Gives every code below the node in `pair` with entry byte `entry`, reached by the `depth`
// bits of `prefix`, its entries.
void CHuffmanLookup::Fill(std::size_t pair, uint8_t entry, uint32_t prefix, int depth) {
    const std::size_t children = pair + (entry & kOffsetMask) + 1;
    if (2 * children + 1 >= m_table.size()) {
        Paint(prefix, depth,
              Entry{static_cast<uint8_t>(depth), false, entry, static_cast<uint8_t>(pair)});
        return;
    }
    for (const uint32_t bit : {0u, 1u}) {
        const uint8_t child = m_table[2 * children + bit];
        const uint32_t code = prefix << 1 | bit;
        const int length = depth + 1;
        if ((entry & kLeafBit[bit]) != 0) {
            Paint(code, length, Entry{static_cast<uint8_t>(length), true, child, 0});
        } else if (length == m_bits) {
            Paint(
                code, length,
                Entry{static_cast<uint8_t>(length), false, child, static_cast<uint8_t>(children)});
        } else {
            Fill(children, child, code, length);
        }
    }
}

void CHuffmanLookup::Paint(uint32_t code, int length, const Entry& entry) {
    const int free = m_bits - length;
    const auto first = m_entries.begin() + (std::size_t{code} << free);
    std::fill(first, first + (std::size_t{1} << free), entry);
}
