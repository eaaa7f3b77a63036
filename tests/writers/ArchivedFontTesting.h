#pragma once

#include <cstdint>
#include <set>
#include <span>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "compress/Compress.h"
#include "core/ByteReader.h"
#include "writers/format/ResFont.h"

// Reads the GLGR block of an archived file straight from its bytes, field by field as the
// layout lays them, so that the writer's layout is checked by an independent reading.
namespace archived_tests {

struct GroupEntry {
    std::string name;
    uint16_t nameOffset = 0;
    std::set<std::size_t> sheets;
    std::set<std::size_t> widthBlocks;
    std::set<std::size_t> mapBlocks;
};

struct GlyphGroupsContent {
    uint32_t sheetBytes = 0;
    uint16_t cellsPerSheet = 0;
    uint16_t sheetCount = 0;
    std::vector<uint32_t> sheetSizes;
    std::vector<uint32_t> widthSizes;
    std::vector<uint32_t> mapSizes;
    std::vector<GroupEntry> groups;
    std::size_t contentSize = 0;
};

inline std::size_t Align4(std::size_t at) {
    return (at + 3) / 4 * 4;
}

inline std::set<std::size_t> ReadBitSet(CByteReader& reader, std::size_t items) {
    std::set<std::size_t> bits;
    for (std::size_t word = 0; word < (items + 31) / 32; ++word) {
        const uint32_t value = reader.U32BE();
        for (std::size_t bit = 0; bit < 32; ++bit) {
            if ((value & (0x80000000u >> bit)) != 0) {
                bits.insert(word * 32 + bit);
            }
        }
    }
    return bits;
}

// `file` is a whole big-endian file whose first block is GLGR.
inline GlyphGroupsContent ReadGlyphGroups(std::span<const uint8_t> file) {
    CByteReader header(file, [] { throw std::runtime_error("file too short"); });
    EXPECT_EQ(header.At(16, 4)[0], 'G');
    const uint32_t blockSize = endian::LoadU32BE(header.At(20, 4), 0);
    const auto content = header.At(24, blockSize - 8);
    CByteReader reader(content, [] { throw std::runtime_error("GLGR too short"); });
    GlyphGroupsContent result;
    result.contentSize = content.size();
    result.sheetBytes = reader.U32BE();
    result.cellsPerSheet = reader.U16BE();
    const uint16_t groups = reader.U16BE();
    result.sheetCount = reader.U16BE();
    const uint16_t widths = reader.U16BE();
    const uint16_t maps = reader.U16BE();
    result.groups.resize(groups);
    for (GroupEntry& group : result.groups) {
        group.nameOffset = reader.U16BE();
    }
    reader.Seek(Align4(reader.Position()));
    for (uint16_t i = 0; i < result.sheetCount; ++i) {
        result.sheetSizes.push_back(reader.U32BE());
    }
    for (uint16_t i = 0; i < widths; ++i) {
        result.widthSizes.push_back(reader.U32BE());
    }
    reader.Seek(Align4(reader.Position()));
    for (uint16_t i = 0; i < maps; ++i) {
        result.mapSizes.push_back(reader.U32BE());
    }
    for (GroupEntry& group : result.groups) {
        group.sheets = ReadBitSet(reader, result.sheetCount);
    }
    reader.Seek(Align4(reader.Position()));
    for (GroupEntry& group : result.groups) {
        group.widthBlocks = ReadBitSet(reader, widths);
    }
    reader.Seek(Align4(reader.Position()));
    for (GroupEntry& group : result.groups) {
        group.mapBlocks = ReadBitSet(reader, maps);
    }
    // The names follow in group order, each at its offset from the file's start.
    for (GroupEntry& group : result.groups) {
        EXPECT_EQ(group.nameOffset, 24 + reader.Position());
        for (uint8_t c = reader.U8(); c != 0; c = reader.U8()) {
            group.name.push_back(static_cast<char>(c));
        }
    }
    EXPECT_LE(content.size() - reader.Position(), 3u);
    return result;
}

// The stored sizes in front of the compressed sheets, and each sheet expanded one layer.
struct StoredSheets {
    std::vector<uint32_t> sizes;
    std::vector<std::vector<uint8_t>> sheets;
};

inline StoredSheets ReadStoredSheets(const CResFont& res) {
    StoredSheets result;
    const TextureGlyphs& t = res.GetTextureGlyphs().value();
    CByteReader reader(res.GetSheetData(), [] { throw std::runtime_error("sheets too short"); });
    for (uint16_t sheet = 0; sheet < t.sheetCount; ++sheet) {
        const uint32_t size = reader.U32BE();
        EXPECT_EQ(size % 4, 0u);
        result.sizes.push_back(size);
        result.sheets.push_back(Expand(reader.Take(size), 1));
        EXPECT_EQ(result.sheets.back().size(), t.sheetBytes);
    }
    return result;
}

}  // namespace archived_tests
