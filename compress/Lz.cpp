#include "compress/Lz.h"

#include <cstring>

#include "base/ByteReader.h"
#include "base/GlobalException.h"
#include "compress/LzWindow.h"
#include "compress/StreamHeader.h"

namespace {

constexpr std::size_t kItemsPerFlag = 8;
// One 2-byte reference gives at most 18 bytes.
constexpr uint64_t kMostBytesPerInputByte = 9;

}  // namespace

void EncodeLz(std::span<const uint8_t> input, std::vector<uint8_t>& out, CLzWindow& window) {
    stream_header::Begin(out, stream_header::kLz, static_cast<uint32_t>(input.size()));
    window.Reset(input);
    std::size_t position = 0;
    while (position < input.size()) {
        const std::size_t flagAt = out.size();
        out.push_back(0);
        uint8_t flag = 0;
        for (std::size_t item = 0; item < kItemsPerFlag && position < input.size(); ++item) {
            const CLzWindow::Match match = window.FindLongest(position);
            if (match.length >= CLzWindow::kMinMatch) {
                flag |= static_cast<uint8_t>(0x80 >> item);
                const std::size_t distance = match.distance - 1;
                out.push_back(static_cast<uint8_t>((match.length - CLzWindow::kMinMatch) << 4 |
                                                   distance >> 8));
                out.push_back(static_cast<uint8_t>(distance));
                for (std::size_t i = 0; i < match.length; ++i) {
                    window.Enter(position++);
                }
            } else {
                out.push_back(input[position]);
                window.Enter(position++);
            }
        }
        out[flagAt] = flag;
    }
}

std::size_t DecodeLz(std::span<const uint8_t> data, uint32_t size, std::vector<uint8_t>& out) {
    if (size > kMostBytesPerInputByte * data.size()) {
        TL_THROW(kErrBofnt, 151);
    }
    out.resize(size);
    CByteReader reader(data, [] { TL_THROW(kErrBofnt, 151); });
    std::size_t at = 0;
    while (at < size) {
        const uint8_t flag = reader.U8();
        for (std::size_t item = 0; item < kItemsPerFlag && at < size; ++item) {
            if ((flag & (0x80 >> item)) == 0) {
                out[at++] = reader.U8();
                continue;
            }
            const uint8_t b0 = reader.U8();
            const uint8_t b1 = reader.U8();
            const std::size_t length = (b0 >> 4) + CLzWindow::kMinMatch;
            const std::size_t distance = ((b0 & 0x0F) << 8 | b1) + 1;
            if (distance > at || length > size - at) {
                TL_THROW(kErrBofnt, 151);
            }
            const std::size_t from = at - distance;
            if (distance >= length) {
                std::memcpy(out.data() + at, out.data() + from, length);
            } else {
                // The copy overlaps its own output, so it goes byte by byte.
                for (std::size_t i = 0; i < length; ++i) {
                    out[at + i] = out[from + i];
                }
            }
            at += length;
        }
    }
    return reader.Position();
}
