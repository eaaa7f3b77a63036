#include "compress/HuffmanTree.h"

#include <algorithm>
#include <limits>

#include "core/GlobalException.h"

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
    if (width == 8) {
        for (const uint8_t byte : input) {
            ++m_nodes[byte].frequency;
        }
        return;
    }
    for (const uint8_t byte : input) {
        ++m_nodes[byte >> 4].frequency;
        ++m_nodes[byte & 0x0F].frequency;
    }
}

// Joins the two rarest parentless nodes until one is left; returns the root.
uint16_t CHuffmanTree::Merge() {
    for (;;) {
        uint16_t first = kNoNode;
        uint16_t second = kNoNode;
        for (uint16_t i = 0; i < m_nodeCount; ++i) {
            const Node& node = m_nodes[i];
            if (node.frequency == 0 || node.parent != 0) {
                continue;
            }
            if (first == kNoNode || node.frequency < m_nodes[first].frequency) {
                second = first;
                first = i;
            } else if (second == kNoNode || node.frequency < m_nodes[second].frequency) {
                second = i;
            }
        }
        if (second == kNoNode) {
            if (m_nodeCount > m_leafCount) {
                return static_cast<uint16_t>(m_nodeCount - 1);
            }
            // One symbol value (or an empty input): a root holding that leaf on both sides.
            const uint16_t leaf = first == kNoNode ? 0 : first;
            Node& root = m_nodes[m_nodeCount];
            root.child = {leaf, leaf};
            root.frequency = m_nodes[leaf].frequency;
            return m_nodeCount++;
        }
        Node& joined = m_nodes[m_nodeCount];
        joined.frequency = m_nodes[first].frequency + m_nodes[second].frequency;
        joined.child = {first, second};
        m_nodes[first].branch = 0;
        m_nodes[second].branch = 1;
        m_nodes[first].parent = m_nodeCount;
        m_nodes[second].parent = m_nodeCount;
        ++m_nodeCount;
    }
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
