#include "bmfont/BmFontBinary.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "base/ByteReader.h"
#include "base/Endian.h"
#include "base/GlobalException.h"
#include "base/Text.h"

namespace {

constexpr int kBrokenBlock = 445;
constexpr int kWrongVersion = 458;

constexpr std::array<uint8_t, 3> kSignature = {'B', 'M', 'F'};
constexpr uint8_t kVersion = 3;

enum BlockType : uint8_t {
    kBlockInfo = 1,
    kBlockCommon = 2,
    kBlockPages = 3,
    kBlockChars = 4,
    kBlockKerning = 5,
};
constexpr std::size_t kInfoNameAt = 14;
constexpr std::size_t kCommonSize = 15;
constexpr std::size_t kCharSize = 20;
constexpr std::size_t kKerningSize = 10;
constexpr uint8_t kPackedBit = 0x80;
// smooth and unicode
constexpr uint8_t kInfoFlags = 0x03;
constexpr uint16_t kStretch = 100;

// One block as the file holds it.
struct Block {
    int32_t ordinal = 0;
    uint8_t type = 0;
    std::span<const uint8_t> content;
};

[[noreturn]] void ThrowBroken(const Block& block, const std::u16string& path) {
    TL_THROW(kErrInputValue, kBrokenBlock, block.ordinal, block.type, block.content.size(), path);
}

std::u16string TextOf(std::span<const uint8_t> bytes) {
    return Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void ReadInfo(const Block& block, const std::u16string& path, BmFontDescriptor& out) {
    if (block.content.size() <= kInfoNameAt || block.content.back() != 0) {
        ThrowBroken(block, path);
    }
    out.info.place = BmFontPlace{0, block.ordinal, 1};
    out.info.size = static_cast<int16_t>(endian::LoadU16LE(block.content, 0));
    const auto name = block.content.subspan(kInfoNameAt);
    out.info.face = TextOf(name.first(
        static_cast<std::size_t>(std::find(name.begin(), name.end(), uint8_t{0}) - name.begin())));
}

void ReadCommon(const Block& block, const std::u16string& path, BmFontDescriptor& out) {
    if (block.content.size() != kCommonSize) {
        ThrowBroken(block, path);
    }
    CByteReader r(block.content, [&] { ThrowBroken(block, path); });
    BmFontCommon& c = out.common.emplace();
    c.place = BmFontPlace{0, block.ordinal, 1};
    c.lineHeight = r.U16LE();
    c.base = r.U16LE();
    c.scaleW = r.U16LE();
    c.scaleH = r.U16LE();
    c.pages = r.U16LE();
    c.packed = (r.U8() & kPackedBit) != 0;
    c.alphaChnl = r.U8();
    c.redChnl = r.U8();
    c.greenChnl = r.U8();
    c.blueChnl = r.U8();
}

void ReadPages(const Block& block, const std::u16string& path, BmFontDescriptor& out) {
    if (!block.content.empty() && block.content.back() != 0) {
        ThrowBroken(block, path);
    }
    std::span<const uint8_t> rest = block.content;
    for (int32_t entry = 1; !rest.empty(); ++entry) {
        const auto end = static_cast<std::size_t>(std::find(rest.begin(), rest.end(), uint8_t{0}) -
                                                  rest.begin());
        BmFontPage& page = AddBmFontPage(out, BmFontPlace{0, block.ordinal, entry}, path);
        page.id = entry - 1;
        page.file = TextOf(rest.first(end));
        rest = rest.subspan(end + 1);
    }
}

void ReadChars(const Block& block, const std::u16string& path, BmFontDescriptor& out) {
    if (block.content.size() % kCharSize != 0) {
        ThrowBroken(block, path);
    }
    CByteReader r(block.content, [&] { ThrowBroken(block, path); });
    for (int32_t entry = 1; r.Remaining() > 0; ++entry) {
        BmFontChar ch;
        ch.place = BmFontPlace{0, block.ordinal, entry};
        ch.id = r.U32LE();
        ch.x = r.U16LE();
        ch.y = r.U16LE();
        ch.width = r.U16LE();
        ch.height = r.U16LE();
        ch.xoffset = static_cast<int16_t>(r.U16LE());
        ch.yoffset = static_cast<int16_t>(r.U16LE());
        ch.xadvance = static_cast<int16_t>(r.U16LE());
        ch.page = r.U8();
        ch.chnl = r.U8();
        AddBmFontChar(out, ch, path);
    }
}

void AppendBlock(std::vector<uint8_t>& out, uint8_t type, const std::vector<uint8_t>& content) {
    endian::AppendU8(out, type);
    endian::AppendU32LE(out, static_cast<uint32_t>(content.size()));
    out.insert(out.end(), content.begin(), content.end());
}

void AppendText(std::vector<uint8_t>& out, const std::u16string& text) {
    const std::string utf8 = Utf16ToUtf8(text);
    out.insert(out.end(), utf8.begin(), utf8.end());
    out.push_back(0);
}

}  // namespace

bool LooksLikeBmFontBinary(std::span<const uint8_t> bytes) {
    return bytes.size() >= kSignature.size() &&
           std::equal(kSignature.begin(), kSignature.end(), bytes.begin());
}

BmFontDescriptor ParseBmFontBinary(std::span<const uint8_t> bytes, const std::u16string& path) {
    Block header{0, 0, bytes};
    CByteReader r(bytes, [&] { ThrowBroken(header, path); });
    r.Skip(kSignature.size());
    const uint8_t version = r.U8();
    if (version != kVersion) {
        TL_THROW(kErrInputValue, kWrongVersion, path, version);
    }
    BmFontDescriptor out;
    std::array<bool, kBlockKerning + 1> seen{};
    for (int32_t ordinal = 1; r.Remaining() > 0; ++ordinal) {
        // A failure while the block is read names it with what is left of the file.
        header = Block{ordinal, r.U8(), bytes.subspan(r.Position())};
        const uint32_t size = r.U32LE();
        header.content = bytes.subspan(r.Position());
        const Block block{ordinal, header.type, r.Take(size)};
        if (block.type < kBlockInfo || block.type > kBlockKerning || seen[block.type]) {
            ThrowBroken(block, path);
        }
        seen[block.type] = true;
        switch (block.type) {
            case kBlockInfo:
                ReadInfo(block, path, out);
                break;
            case kBlockCommon:
                ReadCommon(block, path, out);
                break;
            case kBlockPages:
                ReadPages(block, path, out);
                break;
            case kBlockChars:
                ReadChars(block, path, out);
                break;
            default:
                if (block.content.size() % kKerningSize != 0) {
                    ThrowBroken(block, path);
                }
                out.kerningPairs = static_cast<int64_t>(block.content.size() / kKerningSize);
                break;
        }
    }
    return out;
}

std::vector<uint8_t> WriteBmFontBinary(const BmFontDescriptor& d) {
    const BmFontCommon& c = d.common.value();
    std::vector<uint8_t> out(kSignature.begin(), kSignature.end());
    out.push_back(kVersion);

    std::vector<uint8_t> info;
    endian::AppendU16LE(info, static_cast<uint16_t>(d.info.size));
    info.insert(info.end(), {kInfoFlags, 0});
    endian::AppendU16LE(info, kStretch);
    // supersampling 1, padding 0 on four sides, spacing 1 each way, no outline
    info.insert(info.end(), {1, 0, 0, 0, 0, 1, 1, 0});
    AppendText(info, d.info.face);
    AppendBlock(out, kBlockInfo, info);

    std::vector<uint8_t> common;
    for (const int64_t value : {c.lineHeight, c.base, c.scaleW, c.scaleH, c.pages}) {
        endian::AppendU16LE(common, static_cast<uint16_t>(value));
    }
    common.push_back(c.packed ? kPackedBit : 0);
    for (const int64_t value : {c.alphaChnl, c.redChnl, c.greenChnl, c.blueChnl}) {
        common.push_back(static_cast<uint8_t>(value));
    }
    AppendBlock(out, kBlockCommon, common);

    std::vector<uint8_t> pages;
    for (const BmFontPage& page : d.pages) {
        AppendText(pages, page.file);
    }
    AppendBlock(out, kBlockPages, pages);

    std::vector<uint8_t> chars;
    for (const BmFontChar& ch : d.chars) {
        endian::AppendU32LE(chars, static_cast<uint32_t>(ch.id));
        for (const int64_t value :
             {ch.x, ch.y, ch.width, ch.height, ch.xoffset, ch.yoffset, ch.xadvance}) {
            endian::AppendU16LE(chars, static_cast<uint16_t>(value));
        }
        chars.push_back(static_cast<uint8_t>(ch.page));
        chars.push_back(static_cast<uint8_t>(ch.chnl));
    }
    AppendBlock(out, kBlockChars, chars);
    return out;
}
