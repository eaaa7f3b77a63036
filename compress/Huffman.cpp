#include "compress/Huffman.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "base/ByteReader.h"
#include "base/Endian.h"
#include "base/GlobalException.h"
#include "compress/HuffmanLookup.h"
#include "compress/HuffmanTree.h"
#include "compress/StreamHeader.h"

namespace {

constexpr uint8_t kLeftLeaf = 0x80;
constexpr uint8_t kRightLeaf = 0x40;
constexpr uint8_t kOffsetMask = 0x3F;
constexpr std::size_t kWordBytes = 4;
constexpr int kWordBits = 32;

// Collects codes most significant bit first into 32-bit little-endian words, written into
// room made for the whole stream beforehand. The accumulator has room for the pending bits
// (below 32) and 32 more, so no code loses a bit however long it is.
class CBitWriter {
public:
    explicit CBitWriter(std::span<uint8_t> words) : m_words(words) {}

    void Put(uint64_t code, int length) {
        if (length > kWordBits) {
            PutShort(code >> kWordBits, length - kWordBits);
            code &= 0xFFFFFFFF;
            length = kWordBits;
        }
        PutShort(code, length);
    }
    // Emits the last word, its bits left-aligned.
    void Finish() {
        if (m_pending > 0) {
            Emit(static_cast<uint32_t>(m_bits << (kWordBits - m_pending)));
            m_bits = 0;
            m_pending = 0;
        }
    }

private:
    void PutShort(uint64_t code, int length) {
        m_bits = m_bits << length | code;
        m_pending += length;
        if (m_pending >= kWordBits) {
            m_pending -= kWordBits;
            Emit(static_cast<uint32_t>(m_bits >> m_pending));
            m_bits &= (uint64_t{1} << m_pending) - 1;
        }
    }
    void Emit(uint32_t word) {
        endian::StoreU32LE(m_words, m_at, word);
        m_at += kWordBytes;
    }

    std::span<uint8_t> m_words;
    std::size_t m_at = 0;
    uint64_t m_bits = 0;
    int m_pending = 0;
};

// Eight bytes of one value whose code is this short go out as one code of eight times the
// length, which the bit writer takes in one step.
constexpr int kMostRepeatedLength = kWordBits / 8;

void EncodeBytes(std::span<const uint8_t> input, const CHuffmanTree& tree, CBitWriter& bits) {
    std::array<uint64_t, 256> eightTimes{};
    for (int symbol = 0; symbol < 256; ++symbol) {
        const int length = tree.CodeLength(static_cast<uint8_t>(symbol));
        if (length > kMostRepeatedLength) {
            continue;
        }
        for (int i = 0; i < 8; ++i) {
            eightTimes[symbol] =
                eightTimes[symbol] << length | tree.Code(static_cast<uint8_t>(symbol));
        }
    }
    constexpr uint64_t kEveryByte = 0x0101010101010101;
    std::size_t at = 0;
    for (; at + 8 <= input.size(); at += 8) {
        uint64_t word = 0;
        std::memcpy(&word, input.data() + at, sizeof word);
        const auto first = static_cast<uint8_t>(word);
        const int length = tree.CodeLength(first);
        if (length <= kMostRepeatedLength && word == first * kEveryByte) {
            bits.Put(eightTimes[first], 8 * length);
            continue;
        }
        for (std::size_t i = at; i < at + 8; ++i) {
            bits.Put(tree.Code(input[i]), tree.CodeLength(input[i]));
        }
    }
    for (; at < input.size(); ++at) {
        bits.Put(tree.Code(input[at]), tree.CodeLength(input[at]));
    }
}

void EncodeNibbles(std::span<const uint8_t> input, const CHuffmanTree& tree, CBitWriter& bits) {
    for (const uint8_t byte : input) {
        const auto low = static_cast<uint8_t>(byte & 0x0F);
        const auto high = static_cast<uint8_t>(byte >> 4);
        bits.Put(tree.Code(low), tree.CodeLength(low));
        bits.Put(tree.Code(high), tree.CodeLength(high));
    }
}

// The tree walk of the decoder over a checked table, for codes longer than the lookup.
class CTreeWalk {
public:
    CTreeWalk(std::span<const uint8_t> table, std::size_t pair, uint8_t entry)
        : m_table(table), m_pair(pair), m_entry(entry) {}

    // Follows one bit; true when it reached a leaf, whose symbol is then in `symbol`.
    bool Step(uint32_t bit, uint8_t& symbol) {
        const std::size_t child = m_pair + (m_entry & kOffsetMask) + 1;
        if (2 * child + 1 >= m_table.size()) {
            TL_THROW(kErrBofnt, 151);
        }
        const uint8_t byte = m_table[2 * child + bit];
        if ((m_entry & (bit == 0 ? kLeftLeaf : kRightLeaf)) != 0) {
            symbol = byte;
            return true;
        }
        m_pair = child;
        m_entry = byte;
        return false;
    }

private:
    std::span<const uint8_t> m_table;
    std::size_t m_pair;
    uint8_t m_entry;
};

// The bit stream, most significant bit first, in a 64-bit window whose unused low bits are 0.
// Past the end of the data it reads zero words; whether the decoder went there is checked
// once at the end.
class CBitReader {
public:
    explicit CBitReader(std::span<const uint8_t> data) : m_data(data) {}

    // Makes at least 33 bits available.
    void Refill() {
        if (m_available <= kWordBits) {
            const std::size_t at = m_loaded * kWordBytes;
            const uint64_t word =
                at + kWordBytes <= m_data.size() ? endian::LoadU32LE(m_data, at) : 0;
            m_window |= word << (kWordBits - m_available);
            m_available += kWordBits;
            ++m_loaded;
        }
    }
    uint64_t Window() const { return m_window; }
    int Available() const { return m_available; }
    void Consume(int bits) {
        m_window <<= bits;
        m_available -= bits;
    }
    uint32_t TakeBit() {
        Refill();
        const auto bit = static_cast<uint32_t>(m_window >> 63);
        Consume(1);
        return bit;
    }
    // The bytes of the words the decoder took bits from; throws when it needed more words
    // than the data holds.
    std::size_t BytesUsed() const {
        const uint64_t used = uint64_t{m_loaded} * kWordBits - static_cast<uint64_t>(m_available);
        const uint64_t words = (used + kWordBits - 1) / kWordBits;
        if (words > m_data.size() / kWordBytes) {
            TL_THROW(kErrBofnt, 151);
        }
        return words * kWordBytes;
    }

private:
    std::span<const uint8_t> m_data;
    std::size_t m_loaded = 0;
    uint64_t m_window = 0;
    int m_available = 0;
};

// The rest of a code longer than the lookup, one bit at a time from the node it reached.
uint8_t WalkOn(const CHuffmanLookup::Entry& entry, std::span<const uint8_t> table,
               CBitReader& bits) {
    CTreeWalk walk(table, entry.pair, entry.value);
    uint8_t symbol = 0;
    while (!walk.Step(bits.TakeBit(), symbol)) {
    }
    return symbol;
}

// The next symbol, with at least 33 bits available.
inline uint8_t NextSymbol(const CHuffmanLookup& lookup, std::span<const uint8_t> table,
                          CBitReader& bits) {
    const CHuffmanLookup::Entry& entry = lookup.At(bits.Window() >> (64 - lookup.Bits()));
    bits.Consume(entry.length);
    return entry.leaf ? entry.value : WalkOn(entry, table, bits);
}

void DecodeBytes(const CHuffmanLookup& lookup, std::span<const uint8_t> table, CBitReader& bits,
                 std::span<uint8_t> out) {
    // At most 63 bits at once, as a 64-bit shift would not clear the window.
    constexpr std::size_t kLongestRun = 63;
    const CHuffmanLookup::Run run = lookup.OneBitRun();
    const uint64_t pattern = run.symbol * uint64_t{0x0101010101010101};
    // The window with the run's bit turned to 0, so that leading zeros count the run.
    const uint64_t flip = run.bit != 0 ? ~uint64_t{0} : 0;
    std::size_t at = 0;
    while (at < out.size()) {
        bits.Refill();
        if (run.exists && (bits.Window() >> 63) == run.bit) {
            const std::size_t left = out.size() - at;
            const int length = std::min({std::countl_zero(bits.Window() ^ flip), bits.Available(),
                                         static_cast<int>(std::min(left, kLongestRun))});
            if (left >= kLongestRun + 1) {
                // Far from the end, the whole longest run is written; what lies past this run
                // is overwritten by what follows.
                for (std::size_t i = 0; i < kLongestRun + 1; i += sizeof pattern) {
                    std::memcpy(out.data() + at + i, &pattern, sizeof pattern);
                }
            } else {
                std::memset(out.data() + at, run.symbol, static_cast<std::size_t>(length));
            }
            at += static_cast<std::size_t>(length);
            bits.Consume(length);
            continue;
        }
        out[at++] = NextSymbol(lookup, table, bits);
    }
}

void DecodeNibbles(const CHuffmanLookup& lookup, std::span<const uint8_t> table, CBitReader& bits,
                   std::span<uint8_t> out) {
    for (uint8_t& byte : out) {
        // The first symbol of a pair is the low nibble.
        bits.Refill();
        const uint8_t low = NextSymbol(lookup, table, bits);
        bits.Refill();
        const uint8_t high = NextSymbol(lookup, table, bits);
        if (low > 0x0F || high > 0x0F) {
            TL_THROW(kErrBofnt, 151);
        }
        byte = static_cast<uint8_t>(high << 4 | low);
    }
}

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
    const std::size_t streamAt = out.size();
    const uint64_t words = (tree.StreamBits() + kWordBits - 1) / kWordBits;
    out.resize(streamAt + words * kWordBytes);
    CBitWriter bits(std::span<uint8_t>(out).subspan(streamAt));
    if (width == 8) {
        EncodeBytes(input, tree, bits);
    } else {
        EncodeNibbles(input, tree, bits);
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
    out.resize(size);
    const CHuffmanLookup lookup(table, symbols);
    CBitReader bits(data.subspan(tableBytes));
    if (width == 8) {
        DecodeBytes(lookup, table, bits, out);
    } else {
        DecodeNibbles(lookup, table, bits, out);
    }
    return tableBytes + bits.BytesUsed();
}
