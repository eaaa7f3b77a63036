#include "writers/format/CompressedSheets.h"

#include "compress/Compress.h"
#include "core/Endian.h"
#include "writers/format/ResFontFields.h"

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
