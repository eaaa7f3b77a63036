#include "format/ResFontBlocks.h"

#include "format/ResFontFields.h"

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

namespace {

// The fields of each block in stored order, once for both directions: `io` is a CFieldWriter
// over a const block or a CFieldReader filling one.
template <typename Io, typename Info>
void FontInfoFields(Io& io, Info& info) {
    io.Fields(info.fontType, info.lineFeed, info.alternateIndex, info.defaultLeft,
              info.defaultGlyphWidth, info.defaultCharWidth, info.encoding, info.glyphBlockOffset,
              info.widthBlockOffset, info.mapBlockOffset, info.height, info.width, info.ascent);
}

template <typename Io, typename Glyphs>
void TextureGlyphsFields(Io& io, Glyphs& g) {
    io.Fields(g.cellWidth, g.cellHeight, g.baseline, g.maxCharWidth, g.sheetBytes, g.sheetCount,
              g.sheetFormat, g.cellsPerRow, g.rowsPerSheet, g.sheetWidth, g.sheetHeight,
              g.sheetDataOffset);
}

template <typename Io, typename Widths>
void WidthHeaderFields(Io& io, Widths& widths) {
    io.Fields(widths.firstIndex, widths.lastIndex, widths.nextOffset);
}

template <typename Io, typename Entry>
void WidthEntryFields(Io& io, Entry& e) {
    io.Fields(e.left, e.glyphWidth, e.advance);
}

template <typename Io, typename Map>
void CodeMapHeaderFields(Io& io, Map& map) {
    io.Fields(map.firstCode, map.lastCode, map.mappingKind);
    io.Pad(2);
    io.Field(map.nextOffset);
}

}  // namespace

namespace resblock {

std::vector<uint8_t> EncodeFontInfo(const FontInfo& info, bool bigEndian) {
    CFieldWriter w(bigEndian);
    FontInfoFields(w, info);
    w.Pad(1);
    return w.Take();
}

std::vector<uint8_t> EncodeTextureGlyphs(const TextureGlyphs& glyphs, bool bigEndian) {
    CFieldWriter w(bigEndian);
    TextureGlyphsFields(w, glyphs);
    return w.Take();
}

std::vector<uint8_t> EncodeWidths(const WidthBlock& widths, bool bigEndian) {
    CFieldWriter w(bigEndian);
    WidthHeaderFields(w, widths);
    for (const WidthEntry& e : widths.entries) {
        WidthEntryFields(w, e);
    }
    return w.Take();
}

std::vector<uint8_t> EncodeCodeMap(const CodeMap& map, bool bigEndian) {
    CFieldWriter w(bigEndian);
    CodeMapHeaderFields(w, map);
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
    FontInfoFields(r, info);
    return info;
}

TextureGlyphs DecodeTextureGlyphs(std::span<const uint8_t> content, bool bigEndian) {
    CFieldReader r(content, bigEndian);
    TextureGlyphs g;
    TextureGlyphsFields(r, g);
    return g;
}

WidthBlock DecodeWidths(std::span<const uint8_t> content, bool bigEndian) {
    CFieldReader r(content, bigEndian);
    WidthBlock widths;
    WidthHeaderFields(r, widths);
    const std::size_t count = RangeCount(widths.firstIndex, widths.lastIndex);
    if (count * 3 > r.Remaining()) {
        ThrowBrokenResource();
    }
    widths.entries.resize(count);
    for (WidthEntry& e : widths.entries) {
        WidthEntryFields(r, e);
    }
    return widths;
}

CodeMap DecodeCodeMap(std::span<const uint8_t> content, bool bigEndian) {
    CFieldReader r(content, bigEndian);
    CodeMap map;
    CodeMapHeaderFields(r, map);
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
