#pragma once

#include <array>
#include <cstdint>
#include <span>

// The decoder's table of a Huffman tree: indexed by the next few bits of the stream, it gives
// the symbol of every code that short at once. Where a code is longer, or the tree refers
// outside its table, the entry holds the node that the stream has reached, from which the
// decoder walks on one bit at a time (and meets the fault only if the stream goes there).
class CHuffmanLookup {
public:
    struct Entry {
        uint8_t length;  // bits the entry consumes
        bool leaf;
        uint8_t value;  // the symbol of a leaf, else the node's entry byte
        uint8_t pair;   // the pair the node stands in, when not a leaf
    };
    // A symbol whose code is one bit, repeated, is a run the decoder can take many bits at a
    // time.
    struct Run {
        bool exists = false;
        uint8_t symbol = 0;
        uint32_t bit = 0;
    };

    // `table` is the whole tree table (byte 0 its size, byte 1 the root entry); `symbols` the
    // number of symbols the stream holds, which bounds how large a table pays off.
    CHuffmanLookup(std::span<const uint8_t> table, uint64_t symbols);

    int Bits() const { return m_bits; }
    const Entry& At(uint64_t leadingBits) const { return m_entries[leadingBits]; }
    const Run& OneBitRun() const { return m_run; }

private:
    static constexpr int kMostBits = 9;

    void Fill(std::size_t pair, uint8_t entry, uint32_t prefix, int depth);
    void Paint(uint32_t code, int length, const Entry& entry);

    std::span<const uint8_t> m_table;
    int m_bits = 1;
    std::array<Entry, std::size_t{1} << kMostBits> m_entries{};
    Run m_run;
};
