#include "compress/Compress.h"

#include <cstdio>
#include <cstdlib>
#include <new>

#include "base/ByteReader.h"
#include "base/GlobalException.h"
#include "compress/CodecWork.h"
#include "compress/Difference.h"
#include "compress/Huffman.h"
#include "compress/Lz.h"
#include "compress/RunLength.h"
#include "compress/StreamHeader.h"

namespace {

constexpr int kMostLayers = 255;
constexpr std::size_t kMostLzDigits = 15;
// A well-formed stream ends at most this far before the bytes given: its padding.
constexpr std::size_t kMostPadding = 3;

[[noreturn]] void EndOutOfMemory() {
    std::fputs("Error: Memory is not enough.\n", stderr);
    std::exit(1);
}

enum class Codec { kNone, kHuffman, kLz, kRunLength, kDifference };

struct Command {
    Codec codec = Codec::kNone;
    int parameter = 0;  // symbol or unit width
};

// Reads the command at `at` and moves past it; kNone ends the list.
Command NextCommand(std::u16string_view commands, std::size_t& at) {
    if (at >= commands.size()) {
        return {};
    }
    const std::u16string_view rest = commands.substr(at);
    switch (rest[0]) {
        case u'h':
            if (rest.starts_with(u"h4") || rest.starts_with(u"h8")) {
                at += 2;
                return {Codec::kHuffman, rest[1] - u'0'};
            }
            break;
        case u'l': {
            std::size_t digits = 1;
            while (digits <= kMostLzDigits && digits < rest.size() && rest[digits] >= u'0' &&
                   rest[digits] <= u'9') {
                ++digits;
            }
            at += digits;
            return {Codec::kLz, 0};
        }
        case u'r':
            at += 1;
            return {Codec::kRunLength, 0};
        case u'd':
            if (rest.starts_with(u"d16")) {
                at += 3;
                return {Codec::kDifference, 16};
            }
            if (rest.starts_with(u"d8")) {
                at += 2;
                return {Codec::kDifference, 8};
            }
            break;
        default:
            return {};
    }
    TL_THROW(kErrInternal, 197);
}

void Encode(const Command& command, std::span<const uint8_t> input, std::vector<uint8_t>& out,
            CCodecWork& work) {
    if (input.size() > stream_header::kMaxSize) {
        TL_THROW(kErrInternal, 197);
    }
    switch (command.codec) {
        case Codec::kHuffman:
            EncodeHuffman(input, command.parameter, out, work.huffmanTree);
            break;
        case Codec::kLz:
            EncodeLz(input, out, work.lzWindow);
            break;
        case Codec::kRunLength:
            EncodeRunLength(input, out);
            break;
        case Codec::kDifference:
            EncodeDifference(input, command.parameter, out);
            break;
        case Codec::kNone:
            break;
    }
}

// Decodes the layer whose header is `header` from `data`, the bytes after the header, into
// `out`; false when the type has no codec and so ends the expansion.
bool DecodeLayer(const stream_header::Header& header, std::span<const uint8_t> data,
                 std::vector<uint8_t>& out) {
    std::size_t used = 0;
    switch (header.type) {
        case stream_header::kLz:
            used = DecodeLz(data, header.size, out);
            break;
        case stream_header::kHuffman:
            used = DecodeHuffman(data, header.size, header.parameter, out);
            break;
        case stream_header::kRunLength:
            used = DecodeRunLength(data, header.size, out);
            break;
        case stream_header::kDifference:
            used = DecodeDifference(data, header.size, (header.parameter & 0x03) * 8, out);
            break;
        default:
            return false;
    }
    if (data.size() - used > kMostPadding) {
        TL_THROW(kErrBofnt, 151);
    }
    return true;
}

std::vector<uint8_t> CompressWith(CCodecWork& work, std::span<const uint8_t> source,
                                  std::u16string_view commands, bool rawHeader) {
    std::span<const uint8_t> current = source;
    std::size_t target = 0;
    if (rawHeader) {
        if (source.size() > stream_header::kMaxSize) {
            TL_THROW(kErrInternal, 197);
        }
        std::vector<uint8_t>& wrapped = work.buffers[target];
        stream_header::Begin(wrapped, stream_header::kRaw, static_cast<uint32_t>(source.size()));
        wrapped.insert(wrapped.end(), source.begin(), source.end());
        current = wrapped;
        target = 1 - target;
    }
    std::size_t at = 0;
    for (Command command = NextCommand(commands, at); command.codec != Codec::kNone;
         command = NextCommand(commands, at)) {
        Encode(command, current, work.buffers[target], work);
        current = work.buffers[target];
        target = 1 - target;
    }
    return {current.begin(), current.end()};
}

std::vector<uint8_t> ExpandWith(CCodecWork& work, std::span<const uint8_t> source, int layerLimit) {
    const int limit = layerLimit < 1 ? kMostLayers : layerLimit;
    std::span<const uint8_t> current = source;
    std::size_t target = 0;
    for (int layer = 0; layer < limit; ++layer) {
        CByteReader reader(current, [] { TL_THROW(kErrBofnt, 151); });
        const stream_header::Header header = stream_header::Parse(reader.U32LE());
        const auto data = current.subspan(stream_header::kBytes);
        if (!DecodeLayer(header, data, work.buffers[target])) {
            const auto bytes = reader.Take(header.size);
            if (reader.Remaining() > kMostPadding) {
                TL_THROW(kErrBofnt, 151);
            }
            return {bytes.begin(), bytes.end()};
        }
        current = work.buffers[target];
        target = 1 - target;
    }
    return {current.begin(), current.end()};
}

}  // namespace

std::vector<uint8_t> Compress(std::span<const uint8_t> source, std::u16string_view commands,
                              bool rawHeader) {
    try {
        CodecWorkLease lease = LeaseCodecWork();
        return CompressWith(lease.work, source, commands, rawHeader);
    } catch (const std::bad_alloc&) {
        EndOutOfMemory();
    }
}

std::vector<uint8_t> Expand(std::span<const uint8_t> source, int layerLimit) {
    try {
        CodecWorkLease lease = LeaseCodecWork();
        return ExpandWith(lease.work, source, layerLimit);
    } catch (const std::bad_alloc&) {
        EndOutOfMemory();
    }
}
