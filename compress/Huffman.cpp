#include "compress/Huffman.h"

#include "compress/HuffmanTree.h"
#include "compress/StreamHeader.h"
#include "core/ByteReader.h"
#include "core/Endian.h"
#include "core/GlobalException.h"

namespace {

constexpr uint8_t kLeftLeaf = 0x80;
constexpr uint8_t kRightLeaf = 0x40;
constexpr uint8_t kOffsetMask = 0x3F;
constexpr std::size_t kWordBytes = 4;
constexpr int kWordBits = 32;

// Collects codes most significant bit first into 32-bit words. The accumulator has room for
// the pending bits (below 32) and 32 more, so no code loses a bit however long it is.
class CBitWriter {
public:
    explicit CBitWriter(std::vector<uint8_t>& out) : m_out(out) {}

    void Put(uint64_t code, int length) {
        if (length > kWordBits) {
            PutShort(code >> kWordBits, length - kWordBits);
            length = kWordBits;
        }
        PutShort(code, length);
    }
    // Emits the last word, its bits left-aligned.
    void Finish() {
        if (m_pending > 0) {
            endian::AppendU32LE(m_out, static_cast<uint32_t>(m_bits << (kWordBits - m_pending)));
            m_bits = 0;
            m_pending = 0;
        }
    }

private:
    void PutShort(uint64_t code, int length) {
        m_bits = m_bits << length | (code & ((uint64_t{1} << length) - 1));
        m_pending += length;
        if (m_pending >= kWordBits) {
            m_pending -= kWordBits;
            endian::AppendU32LE(m_out, static_cast<uint32_t>(m_bits >> m_pending));
            m_bits &= (uint64_t{1} << m_pending) - 1;
        }
    }

    std::vector<uint8_t>& m_out;
    uint64_t m_bits = 0;
    int m_pending = 0;
};

// The tree walk of the decoder over a checked table.
class CTreeWalk {
public:
    explicit CTreeWalk(std::span<const uint8_t> table) : m_table(table), m_entry(table[1]) {}

    // Follows one bit; true when it reached a leaf, whose symbol is then in `symbol` and the
    // walk is back at the root.
    bool Step(uint32_t bit, uint8_t& symbol) {
        const std::size_t child = m_pair + (m_entry & kOffsetMask) + 1;
        if (2 * child + 1 >= m_table.size()) {
            TL_THROW(kErrBofnt, 151);
        }
        const uint8_t byte = m_table[2 * child + bit];
        if ((m_entry & (bit == 0 ? kLeftLeaf : kRightLeaf)) != 0) {
            symbol = byte;
            m_pair = 0;
            m_entry = m_table[1];
            return true;
        }
        m_pair = child;
        m_entry = byte;
        return false;
    }

private:
    std::span<const uint8_t> m_table;
    std::size_t m_pair = 0;
    uint8_t m_entry;
};

}  // namespace

void EncodeHuffman(std::span<const uint8_t> input, int width, std::vector<uint8_t>& out,
                   CHuffmanTree& tree) {
    tree.Build(input, width);
    stream_header::Begin(out, static_cast<uint8_t>(stream_header::kHuffman | width),
                         static_cast<uint32_t>(input.size()));
    const std::size_t tableAt = out.size();
    const auto table = tree.Table();
    out.insert(out.end(), table.begin(), table.end());
    // An odd pair count leaves the bit stream off its word boundary by one pair, which the
    // table then counts as its own.
    while (out.size() % kWordBytes != 0) {
        if ((out.size() - tableAt) % 2 != 0) {
            ++out[tableAt];
        }
        out.push_back(0);
    }
    CBitWriter bits(out);
    if (width == 8) {
        for (const uint8_t byte : input) {
            bits.Put(tree.Code(byte), tree.CodeLength(byte));
        }
    } else {
        for (const uint8_t byte : input) {
            const auto low = static_cast<uint8_t>(byte & 0x0F);
            const auto high = static_cast<uint8_t>(byte >> 4);
            bits.Put(tree.Code(low), tree.CodeLength(low));
            bits.Put(tree.Code(high), tree.CodeLength(high));
        }
    }
    bits.Finish();
}

std::size_t DecodeHuffman(std::span<const uint8_t> data, uint32_t size, int width,
                          std::vector<uint8_t>& out) {
    if (width != 4 && width != 8) {
        TL_THROW(kErrBofnt, 151);
    }
    CByteReader reader(data, [] { TL_THROW(kErrBofnt, 151); });
    const std::size_t tableBytes = (std::size_t{reader.At(0, 1)[0]} + 1) * 2;
    const auto table = reader.Take(tableBytes);
    // Every symbol takes at least one bit.
    const uint64_t symbols = uint64_t{size} * (8 / static_cast<uint64_t>(width));
    if (symbols > uint64_t{8} * reader.Remaining()) {
        TL_THROW(kErrBofnt, 151);
    }
    out.assign(size, 0);
    CTreeWalk walk(table);
    uint64_t decoded = 0;
    while (decoded < symbols) {
        const uint32_t word = reader.U32LE();
        for (int bit = kWordBits - 1; bit >= 0 && decoded < symbols; --bit) {
            uint8_t symbol = 0;
            if (!walk.Step((word >> bit) & 1, symbol)) {
                continue;
            }
            if (width == 8) {
                out[decoded] = symbol;
            } else if (symbol > 0x0F) {
                TL_THROW(kErrBofnt, 151);
            } else {
                // The first symbol of a pair is the low nibble.
                out[decoded / 2] |= static_cast<uint8_t>(symbol << (decoded % 2 * 4));
            }
            ++decoded;
        }
    }
    return reader.Position();
}
