#include "format/CompressedSheets.h"

#include "base/ByteReader.h"
#include "base/Endian.h"
#include "compress/Compress.h"
#include "format/ResFontFields.h"

CompressedSheets CompressSheets(std::span<const uint8_t> sheets, std::size_t sheetBytes) {
    CompressedSheets result;
    for (std::size_t at = 0; sheetBytes > 0 && at + sheetBytes <= sheets.size(); at += sheetBytes) {
        std::vector<uint8_t> stream = Compress(sheets.subspan(at, sheetBytes), u"h8");
        stream.resize(static_cast<std::size_t>(RoundUp(stream.size(), kBlockAlignment)));
        const auto stored = static_cast<uint32_t>(stream.size());
        endian::AppendU32BE(result.data, stored);
        result.data.insert(result.data.end(), stream.begin(), stream.end());
        result.storedSizes.push_back(stored);
    }
    return result;
}

std::vector<std::span<const uint8_t>> FindSheetStreams(std::span<const uint8_t> stored,
                                                       uint16_t sheetCount) {
    // Every sheet takes at least its size word and a stream header: a count that the data
    // cannot hold is refused before anything is made for it.
    constexpr std::size_t kSmallestSheet = 8;
    if (std::size_t{sheetCount} * kSmallestSheet > stored.size()) {
        ThrowBrokenResource();
    }
    std::vector<std::span<const uint8_t>> streams;
    CByteReader reader(stored, [] { ThrowBrokenResource(); });
    for (uint16_t sheet = 0; sheet < sheetCount; ++sheet) {
        const uint32_t storedSize = reader.U32BE();
        streams.push_back(reader.Take(storedSize));
    }
    return streams;
}

std::vector<uint8_t> ExpandSheet(std::span<const uint8_t> stream, uint32_t sheetBytes) {
    // One layer is undone, and it must give exactly one sheet: a shorter result would leave
    // pixels undecoded, a longer one would spill into the next sheet. The first layer's header
    // announces its size in bits 8-31, so a wrong one is refused before it is expanded.
    const uint32_t announced = stream.size() < 4 ? 0 : endian::LoadU32LE(stream, 0) >> 8;
    if (announced != sheetBytes) {
        ThrowBrokenResource();
    }
    std::vector<uint8_t> sheet = Expand(stream, 1);
    if (sheet.size() != sheetBytes) {
        ThrowBrokenResource();
    }
    return sheet;
}
