#include "writers/GlyphGroupsBlock.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/GlobalException.h"
#include "format/ResFont.h"
#include "format/ResFontFields.h"

namespace {

constexpr std::size_t kBitsPerWord = 32;
// The GLGR content follows the file header and its own block header.
constexpr uint32_t kContentOffset = CResFont::kHeaderSize + CResFont::kBlockHeaderSize;

std::size_t Aligned(std::size_t value) {
    return static_cast<std::size_t>(RoundUp(value, kBlockAlignment));
}

// Items as u32 words, item i in word i / 32 at bit 31 - i % 32.
class CBitSet {
public:
    explicit CBitSet(std::size_t items) : m_words((items + kBitsPerWord - 1) / kBitsPerWord, 0) {}
    void Set(std::size_t item) {
        if (item / kBitsPerWord < m_words.size()) {
            m_words[item / kBitsPerWord] |= 0x80000000u >> (item % kBitsPerWord);
        }
    }
    void WriteTo(CFieldWriter& out) const {
        for (const uint32_t word : m_words) {
            out.U32(word);
        }
    }

private:
    std::vector<uint32_t> m_words;
};

struct GroupBits {
    const NamedGroup* group;
    CBitSet sheets;
    CBitSet widths;
    CBitSet maps;
};

std::vector<uint32_t> BlockSizes(const CResFont& res, uint32_t kind) {
    std::vector<uint32_t> sizes;
    for (std::size_t n = 0; n < res.CountBlocks(kind); ++n) {
        sizes.push_back(static_cast<uint32_t>(Aligned(res.FindBlock(kind, n)->size)));
    }
    return sizes;
}

std::vector<GroupBits> BitsOfGroups(const SheetAssignment& assignment, std::size_t sheetCount,
                                    std::size_t widthCount, std::size_t mapCount) {
    std::vector<GroupBits> result;
    for (const auto& [name, group] : assignment.groups) {
        GroupBits bits{&group, CBitSet(sheetCount), CBitSet(widthCount), CBitSet(mapCount)};
        for (const int32_t number : group.sets) {
            const auto found = assignment.sets.find(number);
            if (found == assignment.sets.end()) {
                continue;
            }
            const SheetSet& set = found->second;
            for (int32_t sheet = set.firstSheet; sheet <= set.lastSheet; ++sheet) {
                bits.sheets.Set(static_cast<std::size_t>(sheet));
            }
            for (const int32_t block : set.widthBlocks) {
                bits.widths.Set(static_cast<std::size_t>(block));
            }
            for (const int32_t block : set.mapBlocks) {
                bits.maps.Set(static_cast<std::size_t>(block));
            }
        }
        result.push_back(std::move(bits));
    }
    std::stable_sort(result.begin(), result.end(), [](const GroupBits& a, const GroupBits& b) {
        return a.group->groupIndex < b.group->groupIndex;
    });
    return result;
}

}  // namespace

void AddGlyphGroupsBlock(CResFont& res, const SheetAssignment& assignment, uint32_t sheetBytes,
                         int32_t cellsPerSheet, std::span<const uint32_t> storedSheetSizes) {
    const std::vector<uint32_t> widthSizes = BlockSizes(res, kBlockCWDH);
    const std::vector<uint32_t> mapSizes = BlockSizes(res, kBlockCMAP);
    const std::vector<GroupBits> groups =
        BitsOfGroups(assignment, storedSheetSizes.size(), widthSizes.size(), mapSizes.size());

    CFieldWriter out(res.IsBigEndian());
    out.U32(sheetBytes);
    out.U16(static_cast<uint16_t>(cellsPerSheet));
    out.U16(static_cast<uint16_t>(groups.size()));
    out.U16(static_cast<uint16_t>(storedSheetSizes.size()));
    out.U16(static_cast<uint16_t>(widthSizes.size()));
    out.U16(static_cast<uint16_t>(mapSizes.size()));

    // The names come last; their offsets follow from the sizes of everything before them.
    const auto bitSetBytes = [](std::size_t items) {
        return (items + kBitsPerWord - 1) / kBitsPerWord * 4;
    };
    std::size_t namesAt = Aligned(out.Size() + 2 * groups.size());
    namesAt += 4 * (storedSheetSizes.size() + widthSizes.size() + mapSizes.size());
    namesAt = Aligned(namesAt + groups.size() * bitSetBytes(storedSheetSizes.size()));
    namesAt = Aligned(namesAt + groups.size() * bitSetBytes(widthSizes.size()));
    namesAt += groups.size() * bitSetBytes(mapSizes.size());
    for (const GroupBits& bits : groups) {
        // The name offsets have 16 bits: the groups file asks for more than the format holds.
        if (kContentOffset + namesAt > 0xFFFF) {
            TL_THROW(kErrInputValue, 279, static_cast<int32_t>(groups.size()));
        }
        out.U16(static_cast<uint16_t>(kContentOffset + namesAt));
        namesAt += bits.group->name.size() + 1;
    }
    out.Align();
    for (const uint32_t size : storedSheetSizes) {
        out.U32(size);
    }
    for (const uint32_t size : widthSizes) {
        out.U32(size);
    }
    out.Align();
    for (const uint32_t size : mapSizes) {
        out.U32(size);
    }
    for (const GroupBits& bits : groups) {
        bits.sheets.WriteTo(out);
    }
    out.Align();
    for (const GroupBits& bits : groups) {
        bits.widths.WriteTo(out);
    }
    out.Align();
    for (const GroupBits& bits : groups) {
        bits.maps.WriteTo(out);
    }
    for (const GroupBits& bits : groups) {
        out.Text(bits.group->name);
    }
    out.Align();
    res.AddBlock(kBlockGLGR, out.Take());
}
