#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// The Huffman encoder's tables: the node table built from symbol frequencies, every leaf's
// code, and the tree table laid out so that no child offset passes 63.
class CHuffmanTree {
public:
    // Builds the tree for the symbols of `input` (`width` 4: both nibbles of every byte; 8:
    // every byte). An input of one symbol value (or none) gets a root with that leaf (or leaf
    // 0) on both sides, so every symbol is one 0 bit.
    void Build(std::span<const uint8_t> input, int width);

    // The tree table as placed: pairs of bytes, byte 0 holding the pair count - 1.
    std::span<const uint8_t> Table() const { return std::span(m_pairs).first(2 * m_pairCount); }
    uint64_t Code(uint8_t symbol) const { return m_codes[symbol]; }
    int CodeLength(uint8_t symbol) const { return m_codeLengths[symbol]; }
    // The length of the whole bit stream of the input the tree was built from.
    uint64_t StreamBits() const { return m_streamBits; }

private:
    static constexpr uint16_t kNoNode = 0xFFFF;
    static constexpr std::size_t kMostPairs = 256;
    static constexpr std::size_t kMostSymbols = 256;

    struct Node {
        uint32_t frequency = 0;
        std::array<uint16_t, 2> child{kNoNode, kNoNode};
        uint8_t branch = 0;
        uint16_t codeLength = 0;
        uint64_t code = 0;
        uint16_t internalCount = 0;
    };
    // One used pair of the tree table whose internal children still wait for pairs.
    struct Placement {
        std::array<bool, 2> needs{false, false};
        std::array<uint16_t, 2> node{0, 0};
    };

    void CountFrequencies(std::span<const uint8_t> input, int width);
    uint16_t Merge();
    uint16_t JoinSingleSymbol(uint16_t leaf);
    void AssignCodes(uint16_t root);
    void PlaceTable(uint16_t root);
    void PlaceNode(std::size_t entry, int side);
    void PlaceSubtree(std::size_t entry, int side);
    bool IsLeaf(uint16_t node) const { return node < m_leafCount; }

    uint16_t m_leafCount = 0;
    uint16_t m_nodeCount = 0;
    std::vector<Node> m_nodes;
    // The leaves of non-zero frequency, rarest first.
    std::vector<uint16_t> m_leavesByFrequency;
    std::array<uint64_t, kMostSymbols> m_codes{};
    std::array<uint16_t, kMostSymbols> m_codeLengths{};
    uint64_t m_streamBits = 0;
    std::array<uint8_t, 2 * kMostPairs> m_pairs{};
    std::vector<Placement> m_placements;
    std::size_t m_pairCount = 0;
};
