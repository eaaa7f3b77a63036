// Streams cut short or with flipped bits are the compressed family of
// tests/readers/HostileInputTest.cpp; here each stream breaks one rule a decoder relies on.
#include <gtest/gtest.h>

#include <functional>

#include "CodecTestData.h"
#include "compress/Compress.h"
#include "support/TestSupport.h"

namespace {

// A broken stream fails as a broken binary font does.
void ExpectCorrupt(const std::function<void()>& action) {
    testing_support::ExpectError(action, kErrBofnt,
                                 "The file specified as a bofnt file is not a bofnt file. ");
}

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
    // With no limit the decoded "ab" would have to start another layer.
    ExpectCorrupt([] { Expand(Compress(codec_test::Bytes("ab"), u"r"), 0); });
}

}  // namespace
