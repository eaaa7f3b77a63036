#include <gtest/gtest.h>

#include "CodecTestData.h"
#include "compress/Compress.h"

namespace {

using codec_test::ExpectCorrupt;
using Stream = std::vector<uint8_t>;

struct Hostile {
    const char* what;
    Stream stream;
};

// Each stream breaks one rule a decoder relies on.
const Hostile kHostile[] = {
    {"empty", {}},
    {"header cut short", {0x10, 1, 0}},
    {"lz reference before the start", {0x10, 4, 0, 0, 0x40, 'a', 0x00, 0x01}},
    {"lz reference past the size", {0x10, 4, 0, 0, 0x60, 'a', 'a', 0x10, 0x01}},
    {"lz flag without items", {0x10, 2, 0, 0, 0x00, 'a'}},
    {"lz size beyond what the data gives", {0x10, 0xFF, 0xFF, 0xFF, 0x00, 'a', 'b', 'c'}},
    {"huffman table past the data", {0x28, 1, 0, 0, 0x05, 0xC0, 'a', 'a'}},
    {"huffman offset out of the table", {0x28, 4, 0, 0, 0x01, 0x05, 'a', 'b', 0, 0, 0, 0}},
    {"huffman bit stream runs out", {0x28, 40, 0, 0, 0x01, 0xC0, 'a', 'a', 0, 0, 0, 0}},
    {"huffman bit stream word cut short", {0x28, 4, 0, 0, 0x01, 0xC0, 'a', 'a', 0, 0}},
    {"huffman symbol width 5", {0x25, 1, 0, 0, 0x01, 0xC0, 1, 1, 0, 0, 0, 0}},
    {"huffman 4-bit leaf above 15", {0x24, 1, 0, 0, 0x01, 0xC0, 0x31, 0x31, 0, 0, 0, 0}},
    {"huffman size beyond the bit stream", {0x28, 0xFF, 0xFF, 0x7F, 0x01, 0xC0, 1, 1, 0, 0, 0, 0}},
    {"run past the size", {0x30, 3, 0, 0, 0x81, 'x'}},
    {"literal block past the size", {0x30, 2, 0, 0, 0x02, 'a', 'b', 'c'}},
    {"literal block past the data", {0x30, 3, 0, 0, 0x02, 'a'}},
    {"run without its byte", {0x30, 3, 0, 0, 0x80}},
    {"run-length size beyond the data", {0x30, 0xFF, 0xFF, 0xFF, 0xFF, 1}},
    {"difference data short", {0x81, 5, 0, 0, 1, 2, 3}},
    {"difference 16-bit odd size", {0x82, 3, 0, 0, 1, 2, 3, 0}},
    {"difference unit width 24", {0x83, 2, 0, 0, 1, 2}},
    {"raw layer short", {0x00, 5, 0, 0, 'a', 'b'}},
    {"raw layer with bytes beyond padding", {0x00, 1, 0, 0, 'a', 0, 0, 0, 0}},
    {"lz with bytes beyond padding", {0x10, 1, 0, 0, 0x00, 'a', 0, 0, 0, 0}},
};

TEST(HostileStreamTest, EveryBrokenRuleIsACleanError) {
    for (const Hostile& hostile : kHostile) {
        SCOPED_TRACE(hostile.what);
        ExpectCorrupt([&] { Expand(hostile.stream, 1); });
    }
}

TEST(HostileStreamTest, DecodedLayerTooShortForAHeaderIsAnError) {
    // With no limit the decoded "ab" would have to start another layer.
    ExpectCorrupt([] { Expand(Compress(codec_test::Bytes("ab"), u"r"), 0); });
}

// A small input of every codec, so that each cut and each flipped bit is tried.
const std::pair<const char16_t*, int> kShortStreams[] = {
    {u"h8", 1}, {u"h4", 1}, {u"l", 1}, {u"r", 1}, {u"d8", 1}, {u"d16", 1}, {u"lh8", 2},
};

TEST(HostileStreamTest, EveryTruncationIsACleanError) {
    const Stream data = codec_test::SheetLike(400, 9);
    for (const auto& [commands, layers] : kShortStreams) {
        const Stream stream = Compress(data, commands);
        for (std::size_t length = 0; length < stream.size(); ++length) {
            SCOPED_TRACE(testing::Message() << Utf16ToUtf8(commands) << " cut at " << length);
            // A fresh buffer of exactly the cut length, so an over-read is seen by ASan.
            const Stream cut(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(length));
            ExpectCorrupt([&] { Expand(cut, layers); });
        }
    }
}

TEST(HostileStreamTest, EveryFlippedBitExpandsOrFailsCleanly) {
    const Stream data = codec_test::SheetLike(160, 11);
    for (const auto& [commands, layers] : kShortStreams) {
        const Stream stream = Compress(data, commands);
        for (std::size_t bit = 0; bit < 8 * stream.size(); ++bit) {
            Stream flipped = stream;
            flipped[bit / 8] ^= static_cast<uint8_t>(1 << bit % 8);
            try {
                const Stream out = Expand(flipped, layers);
                EXPECT_LE(out.size(), 0xFFFFFFu);
            } catch (const CGeneralException& error) {
                EXPECT_EQ(error.GetCategory(), kErrBofnt) << Utf16ToUtf8(error.What());
            }
        }
    }
}

}  // namespace
