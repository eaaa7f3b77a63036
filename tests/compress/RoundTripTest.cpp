#include <gtest/gtest.h>

#include "CodecTestData.h"
#include "compress/Compress.h"
#include "support/TestSupport.h"

namespace {

using Stream = std::vector<uint8_t>;

struct Sample {
    const char* name;
    Stream data;
};

std::vector<Sample> Samples() {
    std::vector<Sample> samples = {
        {"empty", {}},
        {"one byte", {0x42}},
        {"two bytes", {0x01, 0x02}},
        {"zeros 4 KB + 1", Stream(4097, 0)},
        {"zeros 2 MB", Stream(2 << 20, 0)},
        {"random 300", codec_test::Random(300, 1)},
        {"random 256 KB", codec_test::Random(256 << 10, 2)},
        {"sheet-like 128 KB", codec_test::SheetLike(128 << 10, 3)},
        {"sheet-like 5000", codec_test::SheetLike(5000, 4)},
        {"ramp16 64 KB", codec_test::Ramp16(32 << 10)},
        {"fibonacci", codec_test::Fibonacci(20)},
        {"text", codec_test::Bytes("the quick brown fox jumps over the lazy dog, the quick dog")},
    };
    // Real sheets of every texture format, in the binary fonts of the golden conversions.
    for (const char* name :
         {"sample-I4.bofnt", "sample-I8.bofnt", "sample-IA4.bofnt", "sample-IA8.bofnt",
          "sample-RGB565.bofnt", "sample-RGB5A3.bofnt", "sample-RGBA8.bofnt", "dejavu-I4.bofnt"}) {
        samples.push_back({name, testing_support::ReadFileBytes(testing_support::SourceDir() /
                                                                "tests/golden" / name)});
    }
    return samples;
}

// Each string with the number of layers it makes.
struct Commands {
    const char16_t* text;
    int layers;
};

constexpr Commands kCommands[] = {
    {u"h8", 1},   {u"h4", 1},   {u"l", 1},    {u"l3", 1},   {u"r", 1},   {u"d8", 1},
    {u"d16", 1},  {u"lh8", 2},  {u"d8h4", 2}, {u"rl", 2},   {u"h8l", 2}, {u"d16rh8", 3},
    {u"lrh4", 3}, {u"h8h8", 2}, {u"rr", 2},   {u"d8d8", 2},
};

class RoundTripTest : public testing::TestWithParam<Commands> {};

TEST_P(RoundTripTest, ExpandsBackToTheInput) {
    const Commands commands = GetParam();
    for (const Sample& sample : Samples()) {
        // The 16-bit filter takes only even sizes; only in front is the size known here.
        if (std::u16string_view(commands.text).starts_with(u"d16") && sample.data.size() % 2) {
            continue;
        }
        const Stream stream = Compress(sample.data, commands.text);
        EXPECT_EQ(Expand(stream, commands.layers), sample.data) << sample.name;
        const Stream wrapped = Compress(sample.data, commands.text, true);
        EXPECT_EQ(Expand(wrapped, 0), sample.data) << sample.name;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCommandString, RoundTripTest, testing::ValuesIn(kCommands));

TEST(RoundTripSizesTest, EverySizeUpTo70RoundTripsThroughEveryCodec) {
    for (std::size_t size = 0; size <= 70; ++size) {
        const Stream data = codec_test::SheetLike(size, static_cast<uint32_t>(size));
        for (const char16_t* commands : {u"h8", u"h4", u"l", u"r", u"d8"}) {
            EXPECT_EQ(Expand(Compress(data, commands), 1), data) << size;
        }
    }
}

}  // namespace
