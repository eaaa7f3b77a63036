#include "readers/QuillFontFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/Endian.h"
#include "core/Glyph.h"
#include "image/RgbImage.h"
#include "platform/Text.h"
#include "readers/QuillFontReader.h"
#include "support/TestSupport.h"
#include "writers/format/CompressedSheets.h"
#include "writers/format/ResFont.h"
#include "xml/CharFilter.h"

namespace quill_fixture {

namespace {

uint32_t WordOf(char c) {
    return c == '#' ? kInk : c == '+' ? kHalfInk : kPaper;
}

int32_t GlyphWidth(const Glyph& g) {
    return g.rows.empty() ? 0 : static_cast<int32_t>(g.rows[0].size());
}

CResFont StartFont(const Font& f) {
    CResFont font(true);
    FontInfo info;
    info.lineFeed = f.lineFeed;
    info.alternateIndex = f.alternateIndex;
    info.defaultLeft = f.defaultLeft;
    info.defaultGlyphWidth = f.defaultGlyphWidth;
    info.defaultCharWidth = f.defaultCharWidth;
    info.encoding = f.encoding;
    info.height = f.height;
    info.width = f.width;
    info.ascent = f.ascent;
    font.AddFontInfo(info);
    return font;
}

void AddWidthsAndMap(CResFont& font, const Font& f) {
    WidthBlock widths;
    widths.lastIndex = static_cast<uint16_t>(f.glyphs.size() - 1);
    CodeMap map;
    map.lastCode = 0xFFFF;
    map.mappingKind = kMapScan;
    for (std::size_t i = 0; i < f.glyphs.size(); ++i) {
        const Glyph& g = f.glyphs[i];
        const int32_t w = GlyphWidth(g);
        widths.entries.push_back(
            {g.left, static_cast<uint8_t>(w), static_cast<int8_t>(g.left + w + g.right)});
        map.pairs.emplace_back(g.code, static_cast<uint16_t>(i));
    }
    std::sort(map.pairs.begin(), map.pairs.end());
    font.AddWidths(widths);
    font.AddCodeMap(map);
}

std::vector<uint8_t> Finish(CResFont& font, const Font& f) {
    font.LinkOffsets();
    std::vector<uint8_t> bytes = font.ToBytes();
    endian::StoreU16BE(bytes, 6, f.version);
    return bytes;
}

uint8_t MaxAdvance(const Font& f) {
    int32_t most = 0;
    for (const Glyph& g : f.glyphs) {
        most = std::max(most, g.left + GlyphWidth(g) + g.right);
    }
    return static_cast<uint8_t>(most);
}

}  // namespace

std::vector<Glyph> SampleGlyphs() {
    return {
        {u'A', 0, 1, {"..#..", ".#+#.", ".#.#.", "#####", "#...#", "#...#", ".....", "....."}},
        {u'i', 1, 1, {"#", ".", "#", "#", "#", "#", ".", "."}},
        {u' ', 0, 4, {"..", "..", "..", "..", "..", "..", "..", ".."}},
    };
}

void ExpectSampleA(const CGlyph& a, uint32_t halfInk) {
    ASSERT_EQ(a.image.GetWidth(), 5);
    EXPECT_EQ(a.image.GetHeight(), 6);
    EXPECT_EQ(a.ascent, 6);
    EXPECT_EQ(a.leftSpace, 0);
    EXPECT_EQ(a.rightSpace, 1);
    EXPECT_EQ(a.image.GetWord(2, 0), kInk);
    EXPECT_EQ(a.image.GetWord(2, 1), halfInk);
    EXPECT_EQ(a.image.GetWord(0, 0), kPaper);
}

std::vector<uint8_t> Build(const Font& f) {
    const int32_t perRow = f.sheetWidth / (f.cellWidth + 1);
    const int32_t perSheet = perRow * (f.sheetHeight / (f.cellHeight + 1));
    const auto count =
        static_cast<int32_t>(std::max<std::size_t>(1, (f.glyphs.size() + perSheet - 1) / perSheet));
    CRgbImage sheets;
    sheets.Create(f.sheetWidth, f.sheetHeight * count, 32);
    sheets.Fill(kPaper, 0);
    for (std::size_t i = 0; i < f.glyphs.size(); ++i) {
        const auto index = static_cast<int32_t>(i);
        const int32_t cell = index % perSheet;
        const int32_t x0 = cell % perRow * (f.cellWidth + 1) + 1;
        const int32_t y0 =
            index / perSheet * f.sheetHeight + cell / perRow * (f.cellHeight + 1) + 1;
        const Glyph& g = f.glyphs[i];
        for (std::size_t y = 0; y < g.rows.size(); ++y) {
            for (std::size_t x = 0; x < g.rows[y].size(); ++x) {
                sheets.SetValue(x0 + static_cast<int32_t>(x), y0 + static_cast<int32_t>(y),
                                WordOf(g.rows[y][x]));
            }
        }
    }
    const auto sheetBytes =
        static_cast<std::size_t>(texture::SheetBytes(f.format, f.sheetWidth, f.sheetHeight));
    std::vector<uint8_t> data(sheetBytes * static_cast<std::size_t>(count));
    texture::EncodeSheets(sheets, f.format, data);

    TextureGlyphs tglp;
    tglp.cellWidth = f.cellWidth;
    tglp.cellHeight = f.cellHeight;
    tglp.baseline = f.baseline;
    tglp.maxCharWidth = MaxAdvance(f);
    tglp.sheetBytes = static_cast<uint32_t>(sheetBytes);
    tglp.sheetCount = static_cast<uint16_t>(count);
    tglp.sheetFormat = static_cast<uint16_t>(f.format | (f.compressed ? kSheetCompressed : 0));
    tglp.cellsPerRow = static_cast<uint16_t>(perRow);
    tglp.rowsPerSheet = static_cast<uint16_t>(f.sheetHeight / (f.cellHeight + 1));
    tglp.sheetWidth = f.sheetWidth;
    tglp.sheetHeight = f.sheetHeight;

    CResFont font = StartFont(f);
    font.AddTextureGlyphs(tglp, f.compressed ? CompressSheets(data, sheetBytes).data : data);
    AddWidthsAndMap(font, f);
    return Finish(font, f);
}

std::vector<uint8_t> BuildCharGlyphs(const Font& f, int bitsPerPixel) {
    const std::size_t cellBits = std::size_t{f.cellWidth} * f.cellHeight * bitsPerPixel;
    const std::size_t bytesPerGlyph = (cellBits + 7) / 8;
    std::vector<uint8_t> content;
    content.push_back(f.cellWidth);
    content.push_back(f.cellHeight);
    endian::AppendU16BE(content, static_cast<uint16_t>(bytesPerGlyph));
    content.push_back(static_cast<uint8_t>(f.baseline));
    content.push_back(MaxAdvance(f));
    content.push_back(static_cast<uint8_t>(bitsPerPixel));
    content.push_back(0);
    const uint32_t solid = (1u << bitsPerPixel) - 1;
    for (const Glyph& g : f.glyphs) {
        std::vector<uint8_t> bitmap(bytesPerGlyph, 0);
        for (std::size_t y = 0; y < g.rows.size(); ++y) {
            for (std::size_t x = 0; x < g.rows[y].size(); ++x) {
                const char c = g.rows[y][x];
                const uint32_t value = c == '#' ? solid : c == '+' ? (solid + 1) / 2 : 0;
                const std::size_t bit = (y * f.cellWidth + x) * bitsPerPixel;
                bitmap[bit / 8] |= static_cast<uint8_t>(value << (8 - bitsPerPixel - bit % 8));
            }
        }
        content.insert(content.end(), bitmap.begin(), bitmap.end());
    }
    content.resize((content.size() + 3) / 4 * 4, 0);
    CResFont font = StartFont(f);
    font.AddBlock(kBlockCGLP, content);
    AddWidthsAndMap(font, f);
    return Finish(font, f);
}

std::vector<uint8_t> SwapToLittleEndian(std::span<const uint8_t> file) {
    std::vector<uint8_t> out(file.begin(), file.end());
    const std::span<uint8_t> d(out);
    const auto swap16 = [&](std::size_t at) {
        endian::StoreU16LE(d, at, endian::LoadU16BE(file, at));
    };
    const auto swap32 = [&](std::size_t at) {
        endian::StoreU32LE(d, at, endian::LoadU32BE(file, at));
    };
    for (const std::size_t at : {4, 6, 12, 14}) {
        swap16(at);
    }
    swap32(8);
    for (std::size_t block = 16; block + 8 <= file.size();) {
        const uint32_t kind = endian::LoadU32BE(file, block);
        const uint32_t size = endian::LoadU32BE(file, block + 4);
        swap32(block + 4);
        const std::size_t c = block + 8;
        if (kind == kBlockFINF) {
            swap16(c + 2);
            for (const std::size_t at : {8, 12, 16}) {
                swap32(c + at);
            }
        } else if (kind == kBlockTGLP) {
            swap32(c + 4);
            for (const std::size_t at : {8, 10, 12, 14, 16, 18}) {
                swap16(c + at);
            }
            swap32(c + 20);
        } else if (kind == kBlockCGLP) {
            swap16(c + 2);
        } else if (kind == kBlockCWDH) {
            swap16(c);
            swap16(c + 2);
            swap32(c + 4);
        } else if (kind == kBlockCMAP) {
            const uint16_t first = endian::LoadU16BE(file, c);
            const uint16_t last = endian::LoadU16BE(file, c + 2);
            const uint16_t mapping = endian::LoadU16BE(file, c + 4);
            for (const std::size_t at : {0, 2, 4, 6}) {
                swap16(c + at);
            }
            swap32(c + 8);
            std::size_t units = 0;
            if (mapping == kMapDirect) {
                units = 1;
            } else if (mapping == kMapTable) {
                units = std::size_t{last} - first + 1;
            } else if (mapping == kMapScan) {
                units = 1 + 2 * std::size_t{endian::LoadU16BE(file, c + 12)};
            }
            for (std::size_t u = 0; u < units; ++u) {
                swap16(c + 12 + 2 * u);
            }
        }
        block += size;
    }
    return out;
}

std::size_t ContentOffset(std::span<const uint8_t> file, uint32_t kind, std::size_t n) {
    for (std::size_t block = 16; block + 8 <= file.size();
         block += endian::LoadU32BE(file, block + 4)) {
        if (endian::LoadU32BE(file, block) == kind && n-- == 0) {
            return block + 8;
        }
    }
    return 0;
}

void ReadFont(std::span<const uint8_t> file, CFontData& font, const CCharFilter* filter) {
    // One folder for the whole run: the hostile-input tests read thousands of files.
    static const testing_support::TempDir dir;
    const auto path = dir / "font.bofnt";
    testing_support::WriteFileBytes(path, {file.begin(), file.end()});
    CQuillFontReader reader(Utf8ToUtf16(path.string()));
    reader.ValidateInput();
    const CCharFilter passAll;
    reader.ReadFontData(font, filter != nullptr ? *filter : passAll);
}

}  // namespace quill_fixture
