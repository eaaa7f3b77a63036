#include "compress/RunLength.h"

#include <algorithm>

#include "base/ByteReader.h"
#include "base/GlobalException.h"
#include "compress/StreamHeader.h"

namespace {

constexpr std::size_t kMinRun = 3;
constexpr std::size_t kMaxRun = 130;
constexpr std::size_t kMaxLiterals = 128;
constexpr uint8_t kRunFlag = 0x80;

bool StartsRun(std::span<const uint8_t> input, std::size_t at) {
    return at + kMinRun <= input.size() && input[at] == input[at + 1] && input[at] == input[at + 2];
}

}  // namespace

void EncodeRunLength(std::span<const uint8_t> input, std::vector<uint8_t>& out) {
    stream_header::Begin(out, stream_header::kRunLength, static_cast<uint32_t>(input.size()));
    std::size_t position = 0;
    while (position < input.size()) {
        std::size_t literals = 0;
        while (literals < kMaxLiterals && position + literals < input.size() &&
               !StartsRun(input, position + literals)) {
            ++literals;
        }
        if (literals > 0) {
            out.push_back(static_cast<uint8_t>(literals - 1));
            const auto block = input.subspan(position, literals);
            out.insert(out.end(), block.begin(), block.end());
            position += literals;
        }
        if (StartsRun(input, position)) {
            const std::size_t limit = std::min(kMaxRun, input.size() - position);
            std::size_t run = kMinRun;
            while (run < limit && input[position + run] == input[position]) {
                ++run;
            }
            out.push_back(static_cast<uint8_t>((run - kMinRun) | kRunFlag));
            out.push_back(input[position]);
            position += run;
        }
    }
}

std::size_t DecodeRunLength(std::span<const uint8_t> data, uint32_t size,
                            std::vector<uint8_t>& out) {
    // Two bytes give at most one run of 130.
    if (size > (kMaxRun * data.size() + 1) / 2) {
        TL_THROW(kErrBofnt, 151);
    }
    out.clear();
    out.reserve(size);
    CByteReader reader(data, [] { TL_THROW(kErrBofnt, 151); });
    while (out.size() < size) {
        const uint8_t flag = reader.U8();
        const std::size_t room = size - out.size();
        if ((flag & kRunFlag) != 0) {
            const std::size_t run = (flag & 0x7F) + kMinRun;
            const uint8_t value = reader.U8();
            if (run > room) {
                TL_THROW(kErrBofnt, 151);
            }
            out.insert(out.end(), run, value);
        } else {
            const std::size_t count = std::size_t{flag} + 1;
            if (count > room) {
                TL_THROW(kErrBofnt, 151);
            }
            const auto block = reader.Take(count);
            out.insert(out.end(), block.begin(), block.end());
        }
    }
    return reader.Position();
}
