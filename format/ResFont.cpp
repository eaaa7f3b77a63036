#include "format/ResFont.h"

#include <algorithm>
#include <limits>

#include "base/Endian.h"
#include "base/GlobalException.h"
#include "format/ResFontFields.h"
#include "platform/BinaryFile.h"

namespace {

constexpr uint16_t kByteOrderMark = 0xFEFF;

// A stored link must at least point inside the file.
void CheckOffset(uint32_t offset, std::size_t fileSize) {
    if (offset >= fileSize) {
        ThrowBrokenResource();
    }
}

}  // namespace

void CResFont::AddBlock(uint32_t kind, std::vector<uint8_t> content, std::vector<uint8_t> attached,
                        uint32_t alignment) {
    Block block;
    block.kind = kind;
    block.size = static_cast<uint32_t>(kBlockHeaderSize + content.size());
    block.hasAttached = !attached.empty() || alignment != 0;
    if (block.hasAttached && content.size() < 4) {
        TL_THROW(kErrInternal, 197);
    }
    block.content = std::move(content);
    block.attached = std::move(attached);
    block.alignment = alignment;
    m_blocks[kind].push_back(std::move(block));
}

void CResFont::AddFontInfo(const FontInfo& info) {
    AddBlock(kBlockFINF, resblock::EncodeFontInfo(info, m_bigEndian));
}

void CResFont::AddTextureGlyphs(const TextureGlyphs& glyphs, std::vector<uint8_t> sheetData) {
    AddBlock(kBlockTGLP, resblock::EncodeTextureGlyphs(glyphs, m_bigEndian), std::move(sheetData),
             kSheetAlignment);
}

void CResFont::AddWidths(const WidthBlock& widths) {
    AddBlock(kBlockCWDH, resblock::EncodeWidths(widths, m_bigEndian));
}

void CResFont::AddCodeMap(const CodeMap& map) {
    AddBlock(kBlockCMAP, resblock::EncodeCodeMap(map, m_bigEndian));
}

const CResFont::Block* CResFont::FindBlock(uint32_t kind, std::size_t n) const {
    const auto found = m_blocks.find(kind);
    if (found == m_blocks.end() || n >= found->second.size()) {
        return nullptr;
    }
    return &found->second[n];
}

std::size_t CResFont::CountBlocks(uint32_t kind) const {
    const auto found = m_blocks.find(kind);
    return found == m_blocks.end() ? 0 : found->second.size();
}

std::vector<const CResFont::Block*> CResFont::SaveOrder() const {
    std::vector<const Block*> order;
    for (const uint32_t kind : {kBlockGLGR, kBlockFINF}) {
        if (const Block* block = FindBlock(kind)) {
            order.push_back(block);
        }
    }
    if (const Block* glyphs =
            FindBlock(kBlockTGLP) ? FindBlock(kBlockTGLP) : FindBlock(kBlockCGLP)) {
        order.push_back(glyphs);
    }
    for (const uint32_t kind : {kBlockCWDH, kBlockCMAP}) {
        for (std::size_t n = 0; n < CountBlocks(kind); ++n) {
            order.push_back(FindBlock(kind, n));
        }
    }
    return order;
}

CResFont::Layout CResFont::LayOut() const {
    Layout layout;
    uint64_t position = kHeaderSize;
    for (const Block* block : SaveOrder()) {
        Placement place;
        place.block = block;
        place.start = position;
        place.dataStart = place.start + kBlockHeaderSize + block->content.size();
        if (block->hasAttached) {
            place.dataStart = RoundUp(place.dataStart, block->alignment);
        }
        place.end = RoundUp(place.dataStart + block->attached.size(), kBlockAlignment);
        position = place.end;
        layout.push_back(place);
    }
    // Offsets and sizes are 32-bit fields.
    if (position > std::numeric_limits<uint32_t>::max()) {
        TL_THROW(kErrInternal, 179);
    }
    return layout;
}

void CResFont::LinkOffsets() {
    const Layout layout = LayOut();
    const auto contentOf = [&](uint32_t kind, std::size_t n) -> uint32_t {
        const Block* wanted = FindBlock(kind, n);
        for (const Placement& place : layout) {
            if (place.block == wanted) {
                return static_cast<uint32_t>(place.start + kBlockHeaderSize);
            }
        }
        return 0;
    };
    const auto store = [&](uint32_t kind, std::size_t n, std::size_t at, uint32_t value) {
        std::vector<uint8_t>& content = m_blocks[kind][n].content;
        if (content.size() >= at + 4) {
            endian::StoreU32(content, at, value, m_bigEndian);
        }
    };
    if (CountBlocks(kBlockFINF) > 0) {
        const uint32_t glyphKind = CountBlocks(kBlockTGLP) > 0 ? kBlockTGLP : kBlockCGLP;
        store(kBlockFINF, 0, resblock::kFontInfoGlyphOffsetAt, contentOf(glyphKind, 0));
        store(kBlockFINF, 0, resblock::kFontInfoWidthOffsetAt, contentOf(kBlockCWDH, 0));
        store(kBlockFINF, 0, resblock::kFontInfoMapOffsetAt, contentOf(kBlockCMAP, 0));
    }
    for (const auto& [kind, at] : {std::pair{kBlockCWDH, resblock::kWidthNextAt},
                                   std::pair{kBlockCMAP, resblock::kCodeMapNextAt}}) {
        const std::size_t count = CountBlocks(kind);
        for (std::size_t n = 0; n < count; ++n) {
            store(kind, n, at, n + 1 < count ? contentOf(kind, n + 1) : 0);
        }
    }
}

void CResFont::PutBytes(const Layout& layout,
                        const std::function<void(std::span<const uint8_t>)>& put) const {
    const uint64_t fileSize = layout.empty() ? kHeaderSize : layout.back().end;
    std::array<uint8_t, kHeaderSize> header{
        'O', 'F', 'N', CountBlocks(kBlockGLGR) > 0 ? uint8_t{'A'} : uint8_t{'T'}};
    endian::StoreU16(header, 4, kByteOrderMark, m_bigEndian);
    endian::StoreU16(header, 6, kVersion, m_bigEndian);
    endian::StoreU32(header, 8, static_cast<uint32_t>(fileSize), m_bigEndian);
    endian::StoreU16(header, 12, kHeaderSize, m_bigEndian);
    endian::StoreU16(header, 14, static_cast<uint16_t>(layout.size()), m_bigEndian);
    put(header);

    uint64_t position = kHeaderSize;
    static constexpr std::array<uint8_t, 256> kZeros{};
    const auto padTo = [&](uint64_t end) {
        while (position < end) {
            const auto n =
                static_cast<std::size_t>(std::min<uint64_t>(end - position, kZeros.size()));
            put(std::span(kZeros).first(n));
            position += n;
        }
    };
    const auto putAll = [&](std::span<const uint8_t> bytes) {
        put(bytes);
        position += bytes.size();
    };
    for (const Placement& place : layout) {
        const Block& block = *place.block;
        std::array<uint8_t, kBlockHeaderSize> blockHeader{};
        endian::StoreU32BE(blockHeader, 0, block.kind);
        endian::StoreU32(blockHeader, 4, static_cast<uint32_t>(place.end - place.start),
                         m_bigEndian);
        putAll(blockHeader);
        if (!block.hasAttached) {
            putAll(block.content);
        } else {
            // The content's last field holds where the attached data starts.
            const std::span<const uint8_t> content(block.content);
            putAll(content.first(content.size() - 4));
            std::array<uint8_t, 4> field{};
            endian::StoreU32(field, 0, static_cast<uint32_t>(place.dataStart), m_bigEndian);
            putAll(field);
            padTo(place.dataStart);
            putAll(block.attached);
        }
        padTo(place.end);
    }
}

std::vector<uint8_t> CResFont::ToBytes() const {
    const Layout layout = LayOut();
    std::vector<uint8_t> out;
    out.reserve(static_cast<std::size_t>(layout.empty() ? kHeaderSize : layout.back().end));
    PutBytes(layout, [&](std::span<const uint8_t> bytes) {
        out.insert(out.end(), bytes.begin(), bytes.end());
    });
    return out;
}

void CResFont::Save(CBinaryFile& file) const {
    const Layout layout = LayOut();
    file.Open(CBinaryFile::Access::kWrite);
    PutBytes(layout, [&](std::span<const uint8_t> bytes) { file.Write(bytes); });
    file.Close();
}

void CResFont::Load(CBinaryFile& file) {
    Load(file.ReadAll());
}

void CResFont::Load(std::span<const uint8_t> bytes) {
    if (bytes.size() < kHeaderSize) {
        ThrowBrokenResource();
    }
    std::copy_n(bytes.begin(), kHeaderSize, m_header.begin());
    m_bigEndian = endian::LoadU16LE(m_header, 4) != kByteOrderMark;
    m_previousVersion = endian::LoadU16(m_header, 6, m_bigEndian) == kPreviousVersion;
    ValidateHeader();
    ReadBlocks(bytes);
    FixUp(bytes.size());
}

void CResFont::ValidateHeader() const {
    const std::span<const uint8_t> h(m_header);
    const bool signature =
        h[0] == 'O' && h[1] == 'F' && h[2] == 'N' && (h[3] == 'T' || h[3] == 'A');
    const uint16_t mark = endian::LoadU16LE(h, 4);
    if (!signature || (mark != 0xFEFF && mark != 0xFFFE)) {
        TL_THROW(kErrBofnt, 151);
    }
    const uint16_t version = endian::LoadU16(h, 6, m_bigEndian);
    if (version != kVersion && version != kPreviousVersion) {
        TL_THROW(kErrBofnt, 218, version, kVersion);
    }
    const uint16_t headerSize = endian::LoadU16(h, 12, m_bigEndian);
    if (headerSize != kHeaderSize) {
        TL_THROW(kErrBofnt, 205, headerSize, kHeaderSize);
    }
    const uint16_t blockCount = endian::LoadU16(h, 14, m_bigEndian);
    if (blockCount < 2) {
        TL_THROW(kErrBofnt, 196, blockCount);
    }
}

void CResFont::ReadBlocks(std::span<const uint8_t> bytes) {
    m_blocks.clear();
    CFieldReader reader(bytes, m_bigEndian);
    reader.Skip(kHeaderSize);
    while (reader.Remaining() > 0) {
        Block block;
        block.kind = reader.Kind();
        block.size = reader.U32();
        if (block.size < kBlockHeaderSize) {
            ThrowBrokenResource();
        }
        block.offset = static_cast<uint32_t>(reader.Position());
        const auto content = reader.Take(block.size - kBlockHeaderSize);
        block.content.assign(content.begin(), content.end());
        m_blocks[block.kind].push_back(std::move(block));
    }
}

void CResFont::FixUp(std::size_t fileSize) {
    const Block* info = FindBlock(kBlockFINF);
    const Block* texture = FindBlock(kBlockTGLP);
    const Block* chars = FindBlock(kBlockCGLP);
    if (info == nullptr || (texture == nullptr && chars == nullptr)) {
        ThrowBrokenResource();
    }
    std::vector<uint8_t> infoBytes = info->content;
    if (m_previousVersion) {
        // The previous version's reader uses only the fields up to the map offset.
        infoBytes.resize(std::max<std::size_t>(infoBytes.size(), kFontInfoSize), 0);
    }
    m_fontInfo = resblock::DecodeFontInfo(infoBytes, m_bigEndian);
    for (const uint32_t offset :
         {m_fontInfo.glyphBlockOffset, m_fontInfo.widthBlockOffset, m_fontInfo.mapBlockOffset}) {
        if (offset != 0) {
            CheckOffset(offset, fileSize);
        }
    }

    m_textureGlyphs.reset();
    m_sheetData = {};
    if (texture != nullptr) {
        const TextureGlyphs glyphs = resblock::DecodeTextureGlyphs(texture->content, m_bigEndian);
        const uint64_t at = uint64_t{glyphs.sheetDataOffset} - texture->offset;
        if (glyphs.sheetDataOffset < texture->offset + kTextureGlyphsSize ||
            at > texture->content.size()) {
            ThrowBrokenResource();
        }
        m_sheetData =
            std::span<const uint8_t>(texture->content).subspan(static_cast<std::size_t>(at));
        const bool compressed = (glyphs.sheetFormat & kSheetCompressed) != 0;
        if (!compressed && uint64_t{glyphs.sheetBytes} * glyphs.sheetCount > m_sheetData.size()) {
            ThrowBrokenResource();
        }
        m_textureGlyphs = glyphs;
    }
    m_charGlyphs.reset();
    if (chars != nullptr) {
        m_charGlyphs = resblock::DecodeCharGlyphs(chars->content, m_bigEndian);
    }

    // Each chain starts at the first block of its kind and goes on while a link is non-zero.
    const auto follow = [&](uint32_t kind, uint32_t first, std::size_t nextAt, auto decode,
                            auto& chain) {
        chain.clear();
        for (std::size_t n = 0; first != 0; ++n) {
            const Block* block = FindBlock(kind, n);
            if (block == nullptr) {
                ThrowBrokenResource();
            }
            chain.push_back(decode(block->content, m_bigEndian));
            if (block->content.size() < nextAt + 4) {
                ThrowBrokenResource();
            }
            first = endian::LoadU32(block->content, nextAt, m_bigEndian);
            if (first != 0) {
                CheckOffset(first, fileSize);
            }
        }
    };
    follow(kBlockCWDH, m_fontInfo.widthBlockOffset, resblock::kWidthNextAt, resblock::DecodeWidths,
           m_widthChain);
    follow(kBlockCMAP, m_fontInfo.mapBlockOffset, resblock::kCodeMapNextAt, resblock::DecodeCodeMap,
           m_mapChain);
}

uint16_t CResFont::CodeToIndex(uint16_t code) const {
    for (const CodeMap& map : m_mapChain) {
        if (map.firstCode <= code && code <= map.lastCode) {
            return map.Lookup(code);
        }
    }
    return kNoGlyph;
}

WidthEntry CResFont::WidthOfIndex(uint16_t index) const {
    for (const WidthBlock& widths : m_widthChain) {
        if (widths.firstIndex <= index && index <= widths.lastIndex) {
            return widths.entries[index - widths.firstIndex];
        }
    }
    return WidthEntry{m_fontInfo.defaultLeft, m_fontInfo.defaultGlyphWidth,
                      m_fontInfo.defaultCharWidth};
}

std::span<const uint8_t> CResFont::GlyphBytesOfIndex(uint16_t index) const {
    if (!m_charGlyphs || m_charGlyphs->bytesPerGlyph == 0) {
        return {};
    }
    const std::size_t bytes = m_charGlyphs->bytesPerGlyph;
    const std::size_t at = std::size_t{index} * bytes;
    const std::span<const uint8_t> data = m_charGlyphs->glyphData;
    return at + bytes <= data.size() ? data.subspan(at, bytes) : std::span<const uint8_t>{};
}
