#include "compress/HuffmanTree.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "base/GlobalException.h"

namespace {

constexpr int kLeft = 0;
constexpr int kRight = 1;
constexpr uint8_t kLeafBit[2] = {0x80, 0x40};
constexpr std::size_t kMostOffset = 63;
// No placement may leave a pending child further than this from its pair.
constexpr std::ptrdiff_t kReach = 64;

}  // namespace

void CHuffmanTree::Build(std::span<const uint8_t> input, int width) {
    m_leafCount = static_cast<uint16_t>(1 << width);
    m_nodes.assign(2 * std::size_t{m_leafCount}, Node{});
    m_nodeCount = m_leafCount;
    CountFrequencies(input, width);
    const uint16_t root = Merge();
    AssignCodes(root);
    PlaceTable(root);
}

void CHuffmanTree::CountFrequencies(std::span<const uint8_t> input, int width) {
    if (width == 4) {
        for (const uint8_t byte : input) {
            ++m_nodes[byte >> 4].frequency;
            ++m_nodes[byte & 0x0F].frequency;
        }
        return;
    }
    // Sheets are mostly runs of their background byte: eight equal bytes are counted at once.
    constexpr uint64_t kEveryByte = 0x0101010101010101;
    std::size_t at = 0;
    for (; at + 8 <= input.size(); at += 8) {
        uint64_t word = 0;
        std::memcpy(&word, input.data() + at, sizeof word);
        if (word == (word & 0xFF) * kEveryByte) {
            m_nodes[word & 0xFF].frequency += 8;
            continue;
        }
        for (std::size_t i = at; i < at + 8; ++i) {
            ++m_nodes[input[i]].frequency;
        }
    }
    for (; at < input.size(); ++at) {
        ++m_nodes[input[at]].frequency;
    }
}

// Joins the two rarest parentless nodes until one is left; returns the root. Among equally
// rare nodes the lowest number goes first. Each joined node is at least as frequent as the one
// joined before it, so the joined nodes queue up in order of (frequency, number) by
// themselves, and every leaf outnumbers no joined node: the rarest node is always at the front
// of the sorted leaves or of the joined nodes, a leaf winning a tie.
uint16_t CHuffmanTree::Merge() {
    m_leavesByFrequency.clear();
    for (uint16_t leaf = 0; leaf < m_leafCount; ++leaf) {
        if (m_nodes[leaf].frequency != 0) {
            m_leavesByFrequency.push_back(leaf);
        }
    }
    if (m_leavesByFrequency.size() < 2) {
        return JoinSingleSymbol(m_leavesByFrequency.empty() ? 0 : m_leavesByFrequency.front());
    }
    std::stable_sort(
        m_leavesByFrequency.begin(), m_leavesByFrequency.end(),
        [&](uint16_t a, uint16_t b) { return m_nodes[a].frequency < m_nodes[b].frequency; });
    std::size_t nextLeaf = 0;
    uint16_t nextJoined = m_nodeCount;
    const auto takeRarest = [&] {
        const bool leafFirst =
            nextLeaf < m_leavesByFrequency.size() &&
            (nextJoined == m_nodeCount ||
             m_nodes[m_leavesByFrequency[nextLeaf]].frequency <= m_nodes[nextJoined].frequency);
        return leafFirst ? m_leavesByFrequency[nextLeaf++] : nextJoined++;
    };
    while (m_leavesByFrequency.size() - nextLeaf + (m_nodeCount - nextJoined) > 1) {
        const uint16_t first = takeRarest();
        const uint16_t second = takeRarest();
        Node& joined = m_nodes[m_nodeCount];
        joined.frequency = m_nodes[first].frequency + m_nodes[second].frequency;
        joined.child = {first, second};
        m_nodes[first].branch = 0;
        m_nodes[second].branch = 1;
        ++m_nodeCount;
    }
    return static_cast<uint16_t>(m_nodeCount - 1);
}

// One symbol value (or an empty input): a root holding that leaf on both sides.
uint16_t CHuffmanTree::JoinSingleSymbol(uint16_t leaf) {
    Node& root = m_nodes[m_nodeCount];
    root.child = {leaf, leaf};
    root.frequency = m_nodes[leaf].frequency;
    return m_nodeCount++;
}

// Every node is made after its children, so going down the node numbers visits every parent
// before its children and going up visits every child before its parent.
void CHuffmanTree::AssignCodes(uint16_t root) {
    for (uint16_t i = root + 1; i-- > m_leafCount;) {
        const Node& parent = m_nodes[i];
        for (const uint16_t c : parent.child) {
            Node& child = m_nodes[c];
            child.code = parent.code << 1 | child.branch;
            child.codeLength = static_cast<uint16_t>(parent.codeLength + 1);
        }
    }
    for (uint16_t i = m_leafCount; i <= root; ++i) {
        Node& node = m_nodes[i];
        node.internalCount = static_cast<uint16_t>(m_nodes[node.child[kLeft]].internalCount +
                                                   m_nodes[node.child[kRight]].internalCount + 1);
    }
    m_streamBits = 0;
    for (uint16_t leaf = 0; leaf < m_leafCount; ++leaf) {
        const Node& node = m_nodes[leaf];
        m_codes[leaf] = node.code;
        m_codeLengths[leaf] = node.codeLength;
        m_streamBits += uint64_t{node.frequency} * node.codeLength;
    }
}

// Gives the node that waits on `side` of `entry` the next pair, writes its leaf children
// there at once and leaves its internal children waiting in a new entry.
void CHuffmanTree::PlaceNode(std::size_t entry, int side) {
    Placement& waiting = m_placements[entry];
    waiting.needs[side] = false;
    const Node& node = m_nodes[waiting.node[side]];
    const std::size_t pair = m_pairCount;
    Placement placed;
    uint8_t leafBits = 0;
    for (int childSide : {kLeft, kRight}) {
        const uint16_t child = node.child[childSide];
        if (IsLeaf(child)) {
            m_pairs[2 * pair + childSide] = static_cast<uint8_t>(child);
            leafBits |= kLeafBit[childSide];
        } else {
            placed.needs[childSide] = true;
            placed.node[childSide] = child;
        }
    }
    const std::size_t offset = pair - entry - 1;
    if (offset > kMostOffset) {
        TL_THROW(kErrInternal, 197);
    }
    m_pairs[2 * entry + side] = static_cast<uint8_t>(offset | leafBits);
    m_placements.push_back(placed);
    ++m_pairCount;
}

// Lays out the whole subtree breadth first in consecutive pairs.
void CHuffmanTree::PlaceSubtree(std::size_t entry, int side) {
    const std::size_t first = m_pairCount;
    PlaceNode(entry, side);
    for (std::size_t j = first; j < m_pairCount; ++j) {
        for (int s : {kLeft, kRight}) {
            if (m_placements[j].needs[s]) {
                PlaceNode(j, s);
            }
        }
    }
}

void CHuffmanTree::PlaceTable(uint16_t root) {
    m_pairs.fill(0);
    m_placements.clear();
    Placement start;
    start.needs[kRight] = true;
    start.node[kRight] = root;
    m_placements.push_back(start);
    m_pairCount = 1;
    for (;;) {
        // A subtree of h internal nodes fits when, with the k-th waiting child (in entry order,
        // left before right) still needing a pair after it, every waiting child stays within
        // reach: h <= 64 - k - (N - j) for the child of entry j.
        std::ptrdiff_t pending = 0;
        std::ptrdiff_t largestFit = std::numeric_limits<std::ptrdiff_t>::max();
        const auto pairs = static_cast<std::ptrdiff_t>(m_pairCount);
        for (std::size_t j = 0; j < m_pairCount; ++j) {
            for (int s : {kLeft, kRight}) {
                if (m_placements[j].needs[s]) {
                    largestFit = std::min(
                        largestFit, kReach - pending - (pairs - static_cast<std::ptrdiff_t>(j)));
                    ++pending;
                }
            }
        }
        if (pending == 0) {
            break;
        }
        std::size_t chosenEntry = 0;
        int chosenSide = -1;
        for (std::size_t j = 0; j < m_pairCount; ++j) {
            for (int s : {kLeft, kRight}) {
                if (!m_placements[j].needs[s]) {
                    continue;
                }
                const std::ptrdiff_t h = m_nodes[m_placements[j].node[s]].internalCount;
                if (h + pending <= kReach && h <= largestFit) {
                    chosenEntry = j;
                    chosenSide = s;
                }
            }
        }
        if (chosenSide >= 0) {
            PlaceSubtree(chosenEntry, chosenSide);
            continue;
        }
        // Nothing fits whole: place the single larger waiting node of the first entry that
        // has one, and try again.
        for (std::size_t j = 0; j < m_pairCount; ++j) {
            const Placement& entry = m_placements[j];
            const int left = entry.needs[kLeft] ? m_nodes[entry.node[kLeft]].internalCount : 0;
            const int right = entry.needs[kRight] ? m_nodes[entry.node[kRight]].internalCount : 0;
            if (left != 0 || right > left) {
                PlaceNode(j, right > left ? kRight : kLeft);
                break;
            }
        }
    }
    m_pairs[0] = static_cast<uint8_t>(m_pairCount - 1);
}
