#include "compress/Compress.h"

#include <gtest/gtest.h>

#include "CodecTestData.h"
#include "compress/HuffmanTree.h"
#include "support/TestSupport.h"

namespace {

using codec_test::Bytes;
using Stream = std::vector<uint8_t>;

// Byte layouts of each codec on small inputs; every stream also expands back to its input.
TEST(CompressTest, StreamsHoldTheseBytes) {
    Stream repeated = {0x28, 100, 0, 0, 0x01, 0xC0, 0x5A, 0x5A};
    repeated.resize(8 + 16, 0);  // one zero bit a byte: 100 bits in four words
    const struct {
        const char16_t* commands;
        Stream input;
        Stream stream;
    } cases[] = {
        {u"h8", Stream(100, 0x5A), repeated},
        {u"h8", Bytes("aab"), {0x28, 3, 0, 0, 0x01, 0xC0, 'b', 'a', 0, 0, 0, 0xC0}},
        // Pairs: the root, ('a', node), ('c', 'b') and one of padding, counted in the size byte.
        {u"h8", Bytes("aaabbc"), {0x28, 6, 0, 0, 3, 0x80, 'a', 0xC0, 'c', 'b', 0, 0, 0, 0, 0, 31}},
        // The second byte would match at distance 1, which is never used: two literals first.
        {u"l", Stream(20, 'a'), {0x10, 20, 0, 0, 0x20, 'a', 'a', 0xF0, 0x01}},
        // The oldest of equally long matches.
        {u"l",
         Bytes("abcXabcYabcZabc"),
         {0x10, 15, 0, 0, 0x0A, 'a', 'b', 'c', 'X', 0x00, 0x03, 'Y', 0x00, 0x07, 'Z', 0x80, 0x00,
          0x0B}},
        // Runs are split at 130.
        {u"r", Stream(130, 7), {0x30, 130, 0, 0, 0xFF, 7}},
        {u"r", Stream(131, 7), {0x30, 131, 0, 0, 0xFF, 7, 0x00, 7}},
        {u"r", Bytes("abcccd"), {0x30, 6, 0, 0, 0x01, 'a', 'b', 0x80, 'c', 0x00, 'd'}},
        // The difference filter keeps the first unit.
        {u"d8", {10, 12, 11, 11}, {0x81, 4, 0, 0, 10, 2, 0xFF, 0}},
        {u"d16", {0x34, 0x12, 0x35, 0x12, 0, 0}, {0x82, 6, 0, 0, 0x34, 0x12, 1, 0, 0xCB, 0xED}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Compress(c.input, c.commands), c.stream) << Utf16ToUtf8(c.commands);
        EXPECT_EQ(Expand(c.stream, 1), c.input) << Utf16ToUtf8(c.commands);
    }
    EXPECT_EQ(Compress(Bytes("ab"), u"", true), (Stream{0x00, 2, 0, 0, 'a', 'b'}));
    // Three bytes of padding after a stream are the most it may end with; types without a codec
    // end the expansion as a raw layer does.
    EXPECT_EQ(Expand(Stream{0x00, 3, 0, 0, 'a', 'b', 'c', 0, 0, 0}, 1), Bytes("abc"));
    EXPECT_EQ(Expand(Stream{0x45, 2, 0, 0, 'x', 'y'}, 0), Bytes("xy"));
}

TEST(CompressTest, FourBitHuffmanCodesLowNibbleFirst) {
    const Stream input = {0x21, 0x21, 0x11};
    const Stream stream = Compress(input, u"h4");
    EXPECT_EQ(stream[0], 0x24);
    EXPECT_EQ(Expand(stream, 1), input);
}

TEST(CompressTest, RunLengthLiteralBlocksHoldAtMost128Bytes) {
    const Stream stream = Compress(codec_test::Random(200, 3), u"r");
    ASSERT_EQ(stream.size(), 4u + 1 + 128 + 1 + 72);
    EXPECT_EQ(stream[4], 127);
    EXPECT_EQ(stream[4 + 1 + 128], 71);
}

TEST(CompressTest, SixteenBitFilterOnAnOddSizeEndsTheProcess) {
    EXPECT_EXIT(Compress(Stream(3, 1), u"d16"), testing::ExitedWithCode(1),
                "16-bit differencial filter must be 2-byte allignment.\n");
}

// The command list ends at an unknown letter; fifteen digits after "l" are read, the sixteenth
// is no command. A known letter with a foreign parameter is refused.
TEST(CompressTest, CommandLists) {
    const Stream data = codec_test::SheetLike(3000, 2);
    EXPECT_EQ(Compress(data, u""), data);
    EXPECT_EQ(Compress(data, u"r h8"), Compress(data, u"r"));
    EXPECT_EQ(Compress(data, u"l12h8"), Compress(Compress(data, u"l"), u"h8"));
    EXPECT_EQ(Compress(data, u"l1234567890123456h8"), Compress(data, u"l"));
    for (const char16_t* commands : {u"h5", u"h", u"d4", u"d1", u"lh9"}) {
        testing_support::ExpectError([&] { Compress(Stream(10, 1), commands); }, kErrInternal,
                                     "Type 0 internal error. ");
    }
}

// Layer limits: none (0 or below) stops at the raw header, 1 keeps the inner layer.
TEST(CompressTest, LayerLimits) {
    const Stream data = codec_test::SheetLike(5000, 1);
    const Stream wrapped = Compress(data, u"lh8", true);
    EXPECT_EQ(Expand(wrapped, 0), data);
    EXPECT_EQ(Expand(wrapped, -3), data);
    const Stream twice = Compress(data, u"lr");
    EXPECT_EQ(Expand(twice, 1), Compress(data, u"l"));
    EXPECT_EQ(Expand(twice, 2), data);
}

TEST(CompressTest, LargestSizeAStreamHeaderHoldsIsCompressed) {
    const Stream largest(0xFFFFFF, 7);
    EXPECT_EQ(Expand(Compress(largest, u"r"), 1), largest);
}

TEST(CompressTest, LongCodesKeepEveryBit) {
    // 28 symbols of Fibonacci frequencies give codes of up to 27 bits, beyond what a 32-bit
    // accumulator with 7 pending bits can hold.
    const Stream data = codec_test::Fibonacci(28);
    CHuffmanTree tree;
    tree.Build(data, 8);
    EXPECT_EQ(tree.CodeLength(0), 27);
    EXPECT_EQ(Expand(Compress(data, u"h8"), 1), data);
}

TEST(CompressTest, TreeTableOffsetsStayWithinReach) {
    // Skewed alphabets of every size: placement must never need an offset above 63.
    for (int symbols = 2; symbols <= 256; symbols += 7) {
        Stream data;
        for (int s = 0; s < symbols; ++s) {
            data.insert(data.end(), 1 + (s * s) % 61 + (s % 5 == 0 ? 900 : 0),
                        static_cast<uint8_t>(s * 37));
        }
        EXPECT_EQ(Expand(Compress(data, u"h8"), 1), data) << symbols;
    }
}

}  // namespace
