#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "format/ResFontBlocks.h"

class CBinaryFile;

// A binary font resource in memory as typed blocks: filled block by block and saved by the
// binary font writer, or loaded whole (either byte order) and queried by the binary font reader.
//
// Loading checks the header and every block against the file: a truncated file, a block size
// below 8 or past the end, a link offset outside the file or to a block that does not exist, a
// width or map range larger than its block, or a file without FINF or without TGLP/CGLP is a
// resource error (category 6, message 151), and nothing is ever read outside the file's bytes.
class CResFont {
public:
    static constexpr uint16_t kVersion = 0x0104;
    static constexpr uint16_t kPreviousVersion = 0x0102;
    static constexpr uint32_t kHeaderSize = 16;
    static constexpr uint32_t kBlockHeaderSize = 8;
    static constexpr uint32_t kSheetAlignment = 32;

    struct Block {
        uint32_t kind = 0;
        // 8 + content length as added; the stored size when loaded.
        uint32_t size = 0;
        // As stored in the file. A loaded TGLP keeps its padding and sheet data here too.
        std::vector<uint8_t> content;
        // Data saved after the content at `alignment` (the TGLP sheet data); the last 4 bytes of
        // the content receive its file offset.
        std::vector<uint8_t> attached;
        bool hasAttached = false;
        uint32_t alignment = 0;
        // File offset of the content (loaded blocks only).
        uint32_t offset = 0;
    };

    explicit CResFont(bool bigEndian = true) : m_bigEndian(bigEndian) {}
    // The loaded views point into the blocks, which a move keeps in place and a copy would not.
    CResFont(const CResFont&) = delete;
    CResFont& operator=(const CResFont&) = delete;
    CResFont(CResFont&&) = default;
    CResFont& operator=(CResFont&&) = default;

    bool IsBigEndian() const { return m_bigEndian; }
    bool IsPreviousVersion() const { return m_previousVersion; }
    // The encoding number of a loaded font's codes: FINF encoding, or in a file of the previous
    // version the byte where the default advance now lies.
    int32_t GetEncoding() const {
        return m_previousVersion ? m_fontInfo.defaultCharWidth : m_fontInfo.encoding;
    }

    // Building.
    void AddBlock(uint32_t kind, std::vector<uint8_t> content, std::vector<uint8_t> attached = {},
                  uint32_t alignment = 0);
    void AddFontInfo(const FontInfo& info);
    void AddTextureGlyphs(const TextureGlyphs& glyphs, std::vector<uint8_t> sheetData);
    void AddWidths(const WidthBlock& widths);
    void AddCodeMap(const CodeMap& map);

    // The n-th block of a kind, in the order added or read; nullptr when there is none.
    const Block* FindBlock(uint32_t kind, std::size_t n = 0) const;
    std::size_t CountBlocks(uint32_t kind) const;

    // Fills the FINF offsets and the CWDH and CMAP chains with the positions Save will use.
    void LinkOffsets();
    // The whole file as Save writes it.
    std::vector<uint8_t> ToBytes() const;
    // Lays the file out first and only then opens `file` for writing, writes the blocks as they
    // lie in memory (no copy of the whole file is made) and closes it, so that its temporary
    // exists no longer than the writing itself.
    void Save(CBinaryFile& file) const;

    // Reads the rest of the open file and loads it.
    void Load(CBinaryFile& file);
    // Loads a whole file held in memory.
    void Load(std::span<const uint8_t> bytes);
    // Checks the loaded header: signature and byte-order mark (151), version (218), header size
    // (205), block count (196).
    void ValidateHeader() const;

    // Lookups over a loaded font, following the FINF links and block chains.
    uint16_t CodeToIndex(uint16_t code) const;
    WidthEntry WidthOfIndex(uint16_t index) const;
    // The CGLP bitmap of a glyph index; empty when the font has no CGLP or the index lies
    // beyond its data.
    std::span<const uint8_t> GlyphBytesOfIndex(uint16_t index) const;

    // The loaded blocks, fixed up into host order.
    const FontInfo& GetFontInfo() const { return m_fontInfo; }
    const std::optional<TextureGlyphs>& GetTextureGlyphs() const { return m_textureGlyphs; }
    // The TGLP bytes from sheetDataOffset to the end of the block (sheets, possibly compressed,
    // and trailing padding).
    std::span<const uint8_t> GetSheetData() const { return m_sheetData; }
    const std::optional<CharGlyphs>& GetCharGlyphs() const { return m_charGlyphs; }

private:
    // Where ToBytes puts one block: its header, its attached data and its end.
    struct Placement {
        const Block* block = nullptr;
        uint64_t start = 0;
        uint64_t dataStart = 0;
        uint64_t end = 0;
    };
    using Layout = std::vector<Placement>;

    Layout LayOut() const;
    // Hands the bytes of the laid-out file to `put` in file order, a piece at a time.
    void PutBytes(const Layout& layout,
                  const std::function<void(std::span<const uint8_t>)>& put) const;
    void ReadBlocks(std::span<const uint8_t> bytes);
    void FixUp(std::size_t fileSize);
    std::vector<const Block*> SaveOrder() const;

    bool m_bigEndian;
    bool m_previousVersion = false;
    std::array<uint8_t, kHeaderSize> m_header{};
    std::map<uint32_t, std::vector<Block>> m_blocks;

    FontInfo m_fontInfo;
    std::optional<TextureGlyphs> m_textureGlyphs;
    std::span<const uint8_t> m_sheetData;
    std::optional<CharGlyphs> m_charGlyphs;
    std::vector<WidthBlock> m_widthChain;
    std::vector<CodeMap> m_mapChain;
};
