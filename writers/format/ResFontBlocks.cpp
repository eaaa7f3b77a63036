#include "writers/format/ResFontBlocks.h"

#include "writers/format/ResFontFields.h"

namespace {

// Entries of the range first..last; a reversed range is broken.
std::size_t RangeCount(uint16_t first, uint16_t last) {
    if (last < first) {
        ThrowBrokenResource();
    }
    return std::size_t{last} - first + 1;
}

}  // namespace

uint16_t CodeMap::Lookup(uint16_t code) const {
    if (code < firstCode || code > lastCode) {
        return kNoGlyph;
    }
    switch (mappingKind) {
        case kMapDirect:
            return indices.empty() ? kNoGlyph
                                   : static_cast<uint16_t>(indices[0] + (code - firstCode));
        case kMapTable: {
            const std::size_t at = std::size_t{code} - firstCode;
            return at < indices.size() ? indices[at] : kNoGlyph;
        }
        case kMapScan: {
            // A plain bisection: a foreign file's pairs may be out of order, which must give a
            // wrong answer at worst, never a read outside the list.
            std::size_t low = 0;
            std::size_t high = pairs.size();
            while (low < high) {
                const std::size_t middle = low + (high - low) / 2;
                if (pairs[middle].first < code) {
                    low = middle + 1;
                } else {
                    high = middle;
                }
            }
            return low < pairs.size() && pairs[low].first == code ? pairs[low].second : kNoGlyph;
        }
        default:
            return kNoGlyph;
    }
}

namespace resblock {

std::vector<uint8_t> EncodeFontInfo(const FontInfo& info, bool bigEndian) {
    CFieldWriter w(bigEndian);
    w.U8(info.fontType);
    w.S8(info.lineFeed);
    w.U16(info.alternateIndex);
    w.S8(info.defaultLeft);
    w.U8(info.defaultGlyphWidth);
    w.S8(info.defaultCharWidth);
    w.U8(info.encoding);
    w.U32(info.glyphBlockOffset);
    w.U32(info.widthBlockOffset);
    w.U32(info.mapBlockOffset);
    w.U8(info.height);
    w.U8(info.width);
    w.U8(info.ascent);
    w.U8(0);
    return w.Take();
}

std::vector<uint8_t> EncodeTextureGlyphs(const TextureGlyphs& glyphs, bool bigEndian) {
    CFieldWriter w(bigEndian);
    w.U8(glyphs.cellWidth);
    w.U8(glyphs.cellHeight);
    w.S8(glyphs.baseline);
    w.U8(glyphs.maxCharWidth);
    w.U32(glyphs.sheetBytes);
    w.U16(glyphs.sheetCount);
    w.U16(glyphs.sheetFormat);
    w.U16(glyphs.cellsPerRow);
    w.U16(glyphs.rowsPerSheet);
    w.U16(glyphs.sheetWidth);
    w.U16(glyphs.sheetHeight);
    w.U32(glyphs.sheetDataOffset);
    return w.Take();
}

std::vector<uint8_t> EncodeWidths(const WidthBlock& widths, bool bigEndian) {
    CFieldWriter w(bigEndian);
    w.U16(widths.firstIndex);
    w.U16(widths.lastIndex);
    w.U32(widths.nextOffset);
    for (const WidthEntry& e : widths.entries) {
        w.S8(e.left);
        w.U8(e.glyphWidth);
        w.S8(e.advance);
    }
    return w.Take();
}

std::vector<uint8_t> EncodeCodeMap(const CodeMap& map, bool bigEndian) {
    CFieldWriter w(bigEndian);
    w.U16(map.firstCode);
    w.U16(map.lastCode);
    w.U16(map.mappingKind);
    w.U16(0);
    w.U32(map.nextOffset);
    if (map.mappingKind == kMapScan) {
        w.U16(static_cast<uint32_t>(map.pairs.size()));
        for (const auto& [code, index] : map.pairs) {
            w.U16(code);
            w.U16(index);
        }
    } else {
        for (const uint16_t index : map.indices) {
            w.U16(index);
        }
    }
    return w.Take();
}

FontInfo DecodeFontInfo(std::span<const uint8_t> content, bool bigEndian) {
    CFieldReader r(content, bigEndian);
    FontInfo info;
    info.fontType = r.U8();
    info.lineFeed = r.S8();
    info.alternateIndex = r.U16();
    info.defaultLeft = r.S8();
    info.defaultGlyphWidth = r.U8();
    info.defaultCharWidth = r.S8();
    info.encoding = r.U8();
    info.glyphBlockOffset = r.U32();
    info.widthBlockOffset = r.U32();
    info.mapBlockOffset = r.U32();
    info.height = r.U8();
    info.width = r.U8();
    info.ascent = r.U8();
    return info;
}

TextureGlyphs DecodeTextureGlyphs(std::span<const uint8_t> content, bool bigEndian) {
    CFieldReader r(content, bigEndian);
    TextureGlyphs g;
    g.cellWidth = r.U8();
    g.cellHeight = r.U8();
    g.baseline = r.S8();
    g.maxCharWidth = r.U8();
    g.sheetBytes = r.U32();
    g.sheetCount = r.U16();
    g.sheetFormat = r.U16();
    g.cellsPerRow = r.U16();
    g.rowsPerSheet = r.U16();
    g.sheetWidth = r.U16();
    g.sheetHeight = r.U16();
    g.sheetDataOffset = r.U32();
    return g;
}

WidthBlock DecodeWidths(std::span<const uint8_t> content, bool bigEndian) {
    CFieldReader r(content, bigEndian);
    WidthBlock widths;
    widths.firstIndex = r.U16();
    widths.lastIndex = r.U16();
    widths.nextOffset = r.U32();
    const std::size_t count = RangeCount(widths.firstIndex, widths.lastIndex);
    if (count * 3 > r.Remaining()) {
        ThrowBrokenResource();
    }
    widths.entries.resize(count);
    for (WidthEntry& e : widths.entries) {
        e.left = r.S8();
        e.glyphWidth = r.U8();
        e.advance = r.S8();
    }
    return widths;
}

CodeMap DecodeCodeMap(std::span<const uint8_t> content, bool bigEndian) {
    CFieldReader r(content, bigEndian);
    CodeMap map;
    map.firstCode = r.U16();
    map.lastCode = r.U16();
    map.mappingKind = r.U16();
    r.Skip(2);
    map.nextOffset = r.U32();
    const std::size_t count = RangeCount(map.firstCode, map.lastCode);
    switch (map.mappingKind) {
        case kMapDirect:
            map.indices.push_back(r.U16());
            break;
        case kMapTable:
            if (count * 2 > r.Remaining()) {
                ThrowBrokenResource();
            }
            map.indices.resize(count);
            for (uint16_t& index : map.indices) {
                index = r.U16();
            }
            break;
        case kMapScan: {
            const std::size_t pairs = r.U16();
            if (pairs * 4 > r.Remaining()) {
                ThrowBrokenResource();
            }
            map.pairs.resize(pairs);
            for (auto& [code, index] : map.pairs) {
                code = r.U16();
                index = r.U16();
            }
            break;
        }
        default:
            break;
    }
    return map;
}

CharGlyphs DecodeCharGlyphs(std::span<const uint8_t> content, bool bigEndian) {
    CFieldReader r(content, bigEndian);
    CharGlyphs glyphs;
    r.Skip(2);
    glyphs.bytesPerGlyph = r.U16();
    glyphs.baseline = r.S8();
    r.Skip(3);
    glyphs.glyphData = content.subspan(kCharGlyphsHeaderSize);
    return glyphs;
}

}  // namespace resblock
