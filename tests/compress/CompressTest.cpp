#include "compress/Compress.h"

#include <gtest/gtest.h>

#include "CodecTestData.h"
#include "compress/HuffmanTree.h"
#include "support/TestSupport.h"

namespace {

using codec_test::Bytes;
using Stream = std::vector<uint8_t>;

TEST(CompressTest, HuffmanOfOneRepeatedByteIsOneZeroBitPerByte) {
    const Stream input(100, 0x5A);
    Stream expected = {0x28, 100, 0, 0, 0x01, 0xC0, 0x5A, 0x5A};
    expected.resize(8 + 16, 0);  // 100 bits in four words
    EXPECT_EQ(Compress(input, u"h8"), expected);
}

TEST(CompressTest, HuffmanOfTwoSymbolsGivesOneLeafPair) {
    EXPECT_EQ(Compress(Bytes("aab"), u"h8"),
              (Stream{0x28, 3, 0, 0, 0x01, 0xC0, 'b', 'a', 0, 0, 0, 0xC0}));
}

TEST(CompressTest, OddPairCountGetsAPaddingPairCountedInTheSizeByte) {
    // Three pairs: the root pair, ('a', node), ('c', 'b'); the fourth is padding.
    EXPECT_EQ(Compress(Bytes("aaabbc"), u"h8"),
              (Stream{0x28, 6, 0, 0, 0x03, 0x80, 'a', 0xC0, 'c', 'b', 0, 0, 0, 0, 0, 0x1F}));
}

TEST(CompressTest, FourBitHuffmanCodesLowNibbleFirst) {
    const Stream input = {0x21, 0x21, 0x11};
    const Stream stream = Compress(input, u"h4");
    EXPECT_EQ(stream[0], 0x24);
    EXPECT_EQ(Expand(stream, 1), input);
}

TEST(CompressTest, LzNeverRefersOneByteBack) {
    // The second byte would match at distance 1, which is never used, so a run starts with
    // two literals.
    EXPECT_EQ(Compress(Stream(20, 'a'), u"l"),
              (Stream{0x10, 20, 0, 0, 0x20, 'a', 'a', 0xF0, 0x01}));
}

TEST(CompressTest, LzTakesTheOldestOfEquallyLongMatches) {
    EXPECT_EQ(Compress(Bytes("abcXabcYabcZabc"), u"l"),
              (Stream{0x10, 15, 0, 0, 0x0A, 'a', 'b', 'c', 'X', 0x00, 0x03, 'Y', 0x00, 0x07, 'Z',
                      0x80, 0x00, 0x0B}));
}

TEST(CompressTest, RunLengthSplitsRunsAt130) {
    EXPECT_EQ(Compress(Stream(130, 7), u"r"), (Stream{0x30, 130, 0, 0, 0xFF, 7}));
    EXPECT_EQ(Compress(Stream(131, 7), u"r"), (Stream{0x30, 131, 0, 0, 0xFF, 7, 0x00, 7}));
    EXPECT_EQ(Compress(Bytes("abcccd"), u"r"),
              (Stream{0x30, 6, 0, 0, 0x01, 'a', 'b', 0x80, 'c', 0x00, 'd'}));
}

TEST(CompressTest, RunLengthLiteralBlocksHoldAtMost128Bytes) {
    const Stream input = codec_test::Random(200, 3);
    const Stream stream = Compress(input, u"r");
    ASSERT_EQ(stream.size(), 4u + 1 + 128 + 1 + 72);
    EXPECT_EQ(stream[4], 127);
    EXPECT_EQ(stream[4 + 1 + 128], 71);
}

TEST(CompressTest, DifferenceFilterKeepsTheFirstUnit) {
    EXPECT_EQ(Compress(Stream{10, 12, 11, 11}, u"d8"), (Stream{0x81, 4, 0, 0, 10, 2, 0xFF, 0}));
    EXPECT_EQ(Compress(Stream{0x34, 0x12, 0x35, 0x12, 0x00, 0x00}, u"d16"),
              (Stream{0x82, 6, 0, 0, 0x34, 0x12, 0x01, 0x00, 0xCB, 0xED}));
}

TEST(CompressTest, SixteenBitFilterOnAnOddSizeEndsTheProcess) {
    EXPECT_EXIT(Compress(Stream(3, 1), u"d16"), testing::ExitedWithCode(1),
                "16-bit differencial filter must be 2-byte allignment.\n");
}

TEST(CompressTest, RawHeaderWrapsTheSourceFirst) {
    EXPECT_EQ(Compress(Bytes("ab"), u"", true), (Stream{0x00, 2, 0, 0, 'a', 'b'}));
    const Stream data = codec_test::SheetLike(5000, 1);
    const Stream stream = Compress(data, u"lh8", true);
    EXPECT_EQ(Expand(stream, 0), data);
    EXPECT_EQ(Expand(stream, -3), data);
}

TEST(CompressTest, CommandListEndsAtAnUnknownLetter) {
    const Stream data = codec_test::SheetLike(3000, 2);
    EXPECT_EQ(Compress(data, u""), data);
    EXPECT_EQ(Compress(data, u"r h8"), Compress(data, u"r"));
    EXPECT_EQ(Compress(data, u"l12h8"), Compress(Compress(data, u"l"), u"h8"));
    // Fifteen digits are read; the sixteenth is no command.
    EXPECT_EQ(Compress(data, u"l1234567890123456h8"), Compress(data, u"l"));
}

TEST(CompressTest, KnownLetterWithAForeignParameterIsRefused) {
    for (const char16_t* commands : {u"h5", u"h", u"d4", u"d1", u"lh9"}) {
        testing_support::ExpectError([&] { Compress(Stream(10, 1), commands); }, kErrInternal,
                                     "Type 0 internal error. ");
    }
}

TEST(CompressTest, ExpandingARawLayerGivesTheAnnouncedBytes) {
    // Three bytes of padding after a stream are the most it may end with.
    EXPECT_EQ(Expand(Stream{0x00, 3, 0, 0, 'a', 'b', 'c', 0, 0, 0}, 1), Bytes("abc"));
    // Types without a codec end the expansion the same way.
    EXPECT_EQ(Expand(Stream{0x45, 2, 0, 0, 'x', 'y'}, 0), Bytes("xy"));
}

TEST(CompressTest, LargestSizeAStreamHeaderHoldsIsCompressed) {
    const Stream largest(0xFFFFFF, 7);
    EXPECT_EQ(Expand(Compress(largest, u"r"), 1), largest);
}

TEST(CompressTest, LimitOneOnADoubleStreamKeepsTheInnerLayer) {
    const Stream data = codec_test::SheetLike(4000, 5);
    const Stream twice = Compress(data, u"lr");
    EXPECT_EQ(Expand(twice, 1), Compress(data, u"l"));
    EXPECT_EQ(Expand(twice, 2), data);
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
