#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

// The block kinds of a binary font resource: the four characters in reading order as one
// 32-bit value (never byte-swapped).
constexpr uint32_t MakeBlockKind(const char (&name)[5]) {
    return (uint32_t{static_cast<uint8_t>(name[0])} << 24) |
           (uint32_t{static_cast<uint8_t>(name[1])} << 16) |
           (uint32_t{static_cast<uint8_t>(name[2])} << 8) | uint32_t{static_cast<uint8_t>(name[3])};
}
inline constexpr uint32_t kBlockGLGR = MakeBlockKind("GLGR");
inline constexpr uint32_t kBlockFINF = MakeBlockKind("FINF");
inline constexpr uint32_t kBlockTGLP = MakeBlockKind("TGLP");
inline constexpr uint32_t kBlockCGLP = MakeBlockKind("CGLP");
inline constexpr uint32_t kBlockCWDH = MakeBlockKind("CWDH");
inline constexpr uint32_t kBlockCMAP = MakeBlockKind("CMAP");

// Content sizes of the fixed parts.
inline constexpr uint32_t kFontInfoSize = 24;
inline constexpr uint32_t kTextureGlyphsSize = 24;
inline constexpr uint32_t kWidthHeaderSize = 8;
inline constexpr uint32_t kCodeMapHeaderSize = 12;
inline constexpr uint32_t kCharGlyphsHeaderSize = 8;

// Bit 15 of the TGLP sheet format: the sheets are stored compressed.
inline constexpr uint16_t kSheetCompressed = 0x8000;
// A table-map entry, and the answer of every lookup, for "no glyph".
inline constexpr uint16_t kNoGlyph = 0xFFFF;

enum CodeMapKind : uint16_t { kMapDirect = 0, kMapTable = 1, kMapScan = 2 };

// FINF: font information. Offsets are absolute file offsets of block contents; sizes are
// pixels.
struct FontInfo {
    uint8_t fontType = 1;
    int8_t lineFeed = 0;          // distance between lines
    uint16_t alternateIndex = 0;  // drawn for a character the font lacks
    // The width entry of a glyph index no CWDH block covers; the advance is kept in 8 bits.
    int8_t defaultLeft = 0;
    uint8_t defaultGlyphWidth = 0;
    int8_t defaultCharWidth = 0;
    uint8_t encoding = 0;  // CharEncoding of the codes in the CMAP blocks
    uint32_t glyphBlockOffset = 0;
    uint32_t widthBlockOffset = 0;  // the first CWDH block
    uint32_t mapBlockOffset = 0;    // the first CMAP block
    uint8_t height = 0;             // ascent + descent
    uint8_t width = 0;
    uint8_t ascent = 0;
    bool operator==(const FontInfo&) const = default;
};

// TGLP: the sheet geometry; the sheet data follows the fields. Sizes are pixels.
struct TextureGlyphs {
    uint8_t cellWidth = 0;
    uint8_t cellHeight = 0;
    int8_t baseline = 0;       // row within a cell, from the cell's top
    uint8_t maxCharWidth = 0;  // the largest advance
    uint32_t sheetBytes = 0;   // one sheet, uncompressed
    uint16_t sheetCount = 0;
    uint16_t sheetFormat = 0;  // the TextureFormat, with kSheetCompressed
    uint16_t cellsPerRow = 0;
    uint16_t rowsPerSheet = 0;
    uint16_t sheetWidth = 0;
    uint16_t sheetHeight = 0;
    uint32_t sheetDataOffset = 0;  // a multiple of 32
    bool operator==(const TextureGlyphs&) const = default;
};

// One CWDH entry; the right space is advance - glyph width - left space.
struct WidthEntry {
    int8_t left = 0;
    uint8_t glyphWidth = 0;
    int8_t advance = 0;
    bool operator==(const WidthEntry&) const = default;
};

// CWDH: the widths of the glyph indices firstIndex..lastIndex.
struct WidthBlock {
    uint16_t firstIndex = 0;
    uint16_t lastIndex = 0;
    uint32_t nextOffset = 0;
    std::vector<WidthEntry> entries;  // lastIndex - firstIndex + 1 of them
    bool operator==(const WidthBlock&) const = default;
};

// CMAP: one mapping of the codes firstCode..lastCode.
struct CodeMap {
    uint16_t firstCode = 0;
    uint16_t lastCode = 0;
    uint16_t mappingKind = kMapDirect;
    uint32_t nextOffset = 0;
    // Direct map: one entry, the index of firstCode. Table map: one entry per code.
    std::vector<uint16_t> indices;
    // Scan map: (code, index) pairs in ascending code order.
    std::vector<std::pair<uint16_t, uint16_t>> pairs;
    bool operator==(const CodeMap&) const = default;

    // The glyph index of a code inside the range, or kNoGlyph.
    uint16_t Lookup(uint16_t code) const;
};

// CGLP, read side only: fixed-size glyph bitmaps.
struct CharGlyphs {
    uint16_t bytesPerGlyph = 0;
    int8_t baseline = 0;
    std::span<const uint8_t> glyphData;  // from content offset 8 to the end of the block
};

// Byte layout of each block content, in either byte order. The Encode functions give the
// content as stored; the Decode functions read a stored content through a bounds-checked reader
// and throw the resource error (category 6, message 151) when it is too short for its fields or
// for the ranges it declares.
namespace resblock {

std::vector<uint8_t> EncodeFontInfo(const FontInfo& info, bool bigEndian);
std::vector<uint8_t> EncodeTextureGlyphs(const TextureGlyphs& glyphs, bool bigEndian);
std::vector<uint8_t> EncodeWidths(const WidthBlock& widths, bool bigEndian);
std::vector<uint8_t> EncodeCodeMap(const CodeMap& map, bool bigEndian);

FontInfo DecodeFontInfo(std::span<const uint8_t> content, bool bigEndian);
TextureGlyphs DecodeTextureGlyphs(std::span<const uint8_t> content, bool bigEndian);
WidthBlock DecodeWidths(std::span<const uint8_t> content, bool bigEndian);
CodeMap DecodeCodeMap(std::span<const uint8_t> content, bool bigEndian);
CharGlyphs DecodeCharGlyphs(std::span<const uint8_t> content, bool bigEndian);

// Byte offsets of the link fields inside the contents, for filling them in place.
inline constexpr std::size_t kFontInfoGlyphOffsetAt = 8;
inline constexpr std::size_t kFontInfoWidthOffsetAt = 12;
inline constexpr std::size_t kFontInfoMapOffsetAt = 16;
inline constexpr std::size_t kWidthNextAt = 4;
inline constexpr std::size_t kCodeMapNextAt = 8;

}  // namespace resblock
