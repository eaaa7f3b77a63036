#include "compress/Difference.h"

#include <cstdio>
#include <cstdlib>

#include "base/Endian.h"
#include "base/GlobalException.h"
#include "compress/StreamHeader.h"

void EncodeDifference(std::span<const uint8_t> input, int unitBits, std::vector<uint8_t>& out) {
    if (unitBits == 16 && input.size() % 2 != 0) {
        std::fputs("16-bit differencial filter must be 2-byte allignment.\n", stderr);
        std::exit(1);
    }
    const auto typeByte = static_cast<uint8_t>((unitBits | 0x400) >> 3);
    stream_header::Begin(out, typeByte, static_cast<uint32_t>(input.size()));
    const std::size_t start = out.size();
    out.resize(start + input.size());
    const std::span<uint8_t> filtered = std::span(out).subspan(start);
    if (unitBits == 8) {
        uint8_t previous = 0;
        for (std::size_t i = 0; i < input.size(); ++i) {
            filtered[i] = static_cast<uint8_t>(input[i] - previous);
            previous = input[i];
        }
        return;
    }
    uint16_t previous = 0;
    for (std::size_t i = 0; i < input.size(); i += 2) {
        const uint16_t unit = endian::LoadU16LE(input, i);
        endian::StoreU16LE(filtered, i, static_cast<uint16_t>(unit - previous));
        previous = unit;
    }
}

std::size_t DecodeDifference(std::span<const uint8_t> data, uint32_t size, int unitBits,
                             std::vector<uint8_t>& out) {
    if ((unitBits != 8 && unitBits != 16) || size > data.size() ||
        (unitBits == 16 && size % 2 != 0)) {
        TL_THROW(kErrBofnt, 151);
    }
    out.resize(size);
    if (unitBits == 8) {
        uint8_t previous = 0;
        for (std::size_t i = 0; i < size; ++i) {
            previous = static_cast<uint8_t>(previous + data[i]);
            out[i] = previous;
        }
        return size;
    }
    uint16_t previous = 0;
    for (std::size_t i = 0; i < size; i += 2) {
        previous = static_cast<uint16_t>(previous + endian::LoadU16LE(data, i));
        endian::StoreU16LE(out, i, previous);
    }
    return size;
}
