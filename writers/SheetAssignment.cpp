#include "writers/SheetAssignment.h"

#include <algorithm>
#include <set>

#include "base/GlobalException.h"
#include "core/FontData.h"
#include "format/FontEncoding.h"

namespace {

constexpr uint16_t kNotGiven = 0xFFFF;
// 0xFFFF answers "no glyph" in the character maps, so it can never be a glyph index.
constexpr int64_t kLargestIndex = 0xFFFE;

bool HoldsCode(const SheetSet& set, uint16_t code) {
    return std::any_of(set.codes.begin(), set.codes.end(),
                       [code](const auto& entry) { return entry.first == code; });
}

int32_t NextSetNumber(const SheetSets& sets) {
    return sets.empty() ? 0 : sets.rbegin()->first + 1;
}

uint16_t ChooseAlternateCode(const CFontData& working, uint16_t setting,
                             const CFontEncoding& encoding) {
    uint16_t wanted = setting;
    if (wanted == kNotGiven && working.alternateChar.isSet) {
        wanted = working.alternateChar.value;
    }
    if (wanted == kNotGiven) {
        if (working.Glyphs().empty()) {
            TL_THROW(kErrInputValue, 166);
        }
        return working.Glyphs().front()->charCode;
    }
    const uint16_t code = encoding.FromUnicode(static_cast<char16_t>(wanted));
    if (code == CFontEncoding::kNoCode) {
        TL_THROW(kErrInputValue, 105, wanted, wanted);
    }
    return code;
}

// Moves every code that several sets hold into a set of its own, one new set per distinct
// list of holders, so that each glyph is stored once.
void SplitSharedCodes(SheetSets& sets, NamedGroups& groups) {
    std::map<uint16_t, std::vector<int32_t>> holders;
    for (const auto& [number, set] : sets) {
        for (const auto& entry : set.codes) {
            std::vector<int32_t>& list = holders[entry.first];
            if (list.empty() || list.back() != number) {
                list.push_back(number);
            }
        }
    }
    std::map<std::vector<int32_t>, int32_t> newSetOfList;
    std::set<uint16_t> moved;
    for (const auto& [code, list] : holders) {
        if (list.size() < 2) {
            continue;
        }
        auto found = newSetOfList.find(list);
        if (found == newSetOfList.end()) {
            const int32_t number = NextSetNumber(sets);
            sets[number].number = number;
            found = newSetOfList.emplace(list, number).first;
            for (auto& entry : groups) {
                auto& groupSets = entry.second.sets;
                const bool listsHolder = std::any_of(list.begin(), list.end(), [&](int32_t holder) {
                    return std::find(groupSets.begin(), groupSets.end(), holder) != groupSets.end();
                });
                if (listsHolder) {
                    groupSets.push_back(number);
                }
            }
        }
        sets[found->second].codes.emplace_back(code, 0);
        moved.insert(code);
    }
    if (moved.empty()) {
        return;
    }
    for (auto it = sets.begin(); it != sets.end();) {
        const bool isNew = std::any_of(newSetOfList.begin(), newSetOfList.end(),
                                       [&](const auto& e) { return e.second == it->first; });
        if (!isNew) {
            std::erase_if(it->second.codes,
                          [&](const auto& e) { return moved.count(e.first) > 0; });
        }
        if (it->second.codes.empty()) {
            const int32_t dropped = it->first;
            for (auto& [name, group] : groups) {
                std::erase(group.sets, dropped);
            }
            it = sets.erase(it);
        } else {
            ++it;
        }
    }
}

// Hands out sheets and start cells to the sets, consuming a list ordered by remainder.
class CSheetPlacer {
public:
    CSheetPlacer(SheetSets& sets, int32_t cellsPerSheet) : m_perSheet(cellsPerSheet) {
        for (auto& [number, set] : sets) {
            m_order.push_back(&set);
        }
        std::stable_sort(m_order.begin(), m_order.end(), [this](SheetSet* a, SheetSet* b) {
            return Remainder(*a) < Remainder(*b);
        });
    }

    int32_t Place() {
        PlaceWholeSets();
        PlaceSharedSheets();
        PlacePairs();
        for (SheetSet* set : m_order) {
            Fresh(*set);
        }
        return m_nextSheet;
    }

private:
    int64_t Count(const SheetSet& set) const { return static_cast<int64_t>(set.codes.size()); }
    int64_t Remainder(const SheetSet& set) const { return Count(set) % m_perSheet; }
    int32_t SheetsFor(const SheetSet& set) const {
        return static_cast<int32_t>((Count(set) + m_perSheet - 1) / m_perSheet);
    }

    void Fresh(SheetSet& set) { StartAt(set, m_nextSheet, 0); }
    void StartAt(SheetSet& set, int32_t sheet, int32_t cell) {
        set.firstSheet = sheet;
        set.startCell = cell;
        set.lastSheet = sheet + SheetsFor(set) - 1;
        m_nextSheet = std::max(m_nextSheet, set.lastSheet + 1);
    }

    void PlaceWholeSets() {
        while (!m_order.empty() && Remainder(*m_order.front()) == 0) {
            Fresh(*m_order.front());
            m_order.erase(m_order.begin());
        }
    }

    // Three or more sets whose remainders fit one sheet share it.
    void PlaceSharedSheets() {
        std::size_t i = 0;
        while (i < m_order.size()) {
            std::vector<std::size_t> taken{i};
            int64_t sum = Remainder(*m_order[i]);
            int32_t large = Count(*m_order[i]) > m_perSheet ? 1 : 0;
            for (std::size_t j = i + 1; j < m_order.size(); ++j) {
                const bool isLarge = Count(*m_order[j]) > m_perSheet;
                if (sum + Remainder(*m_order[j]) <= m_perSheet && (!isLarge || large < 2)) {
                    taken.push_back(j);
                    sum += Remainder(*m_order[j]);
                    large += isLarge ? 1 : 0;
                }
            }
            if (taken.size() < 3) {
                i = taken.size() == 2 ? taken[1] : i + 1;
                continue;
            }
            ShareSheet(taken);
            for (auto it = taken.rbegin(); it != taken.rend(); ++it) {
                m_order.erase(m_order.begin() + static_cast<std::ptrdiff_t>(*it));
            }
        }
    }

    void ShareSheet(const std::vector<std::size_t>& taken) {
        std::vector<SheetSet*> large;
        std::vector<SheetSet*> small;
        for (const std::size_t t : taken) {
            (Count(*m_order[t]) > m_perSheet ? large : small).push_back(m_order[t]);
        }
        int32_t shared = m_nextSheet;
        int32_t cell = 0;
        if (!large.empty()) {
            Fresh(*large[0]);
            shared = large[0]->lastSheet;
            cell = static_cast<int32_t>(Remainder(*large[0]));
        }
        for (SheetSet* set : small) {
            StartAt(*set, shared, cell);
            cell += static_cast<int32_t>(Count(*set));
        }
        if (large.size() > 1) {
            StartAt(*large[1], shared, cell);
        }
    }

    // Two sets whose remainders fit one sheet: the second starts where the first ends.
    void PlacePairs() {
        std::size_t k = 0;
        while (k < m_order.size()) {
            std::size_t j = k + 1;
            while (j < m_order.size() &&
                   Remainder(*m_order[k]) + Remainder(*m_order[j]) > m_perSheet) {
                ++j;
            }
            if (j == m_order.size()) {
                ++k;
                continue;
            }
            SheetSet& first = *m_order[k];
            Fresh(first);
            StartAt(*m_order[j], first.lastSheet, static_cast<int32_t>(Remainder(first)));
            m_order.erase(m_order.begin() + static_cast<std::ptrdiff_t>(j));
            m_order.erase(m_order.begin() + static_cast<std::ptrdiff_t>(k));
        }
    }

    int64_t m_perSheet;
    std::vector<SheetSet*> m_order;
    int32_t m_nextSheet = 0;
};

const CGlyph* FindWorkingGlyph(const CFontData& working, uint16_t code) {
    const auto& glyphs = working.Glyphs();
    const auto found = std::lower_bound(
        glyphs.begin(), glyphs.end(), code,
        [](const std::unique_ptr<CGlyph>& g, uint16_t c) { return g->charCode < c; });
    return found != glyphs.end() && (*found)->charCode == code ? found->get() : nullptr;
}

[[noreturn]] void AlternateMissing(uint16_t setting, uint16_t code, const CFontEncoding& encoding) {
    if (encoding.HasCodePage()) {
        TL_THROW(kErrInputValue, 103, setting, code);
    }
    TL_THROW(kErrInputValue, 104, setting, code);
}

}  // namespace

int32_t PlaceSheetSets(SheetSets& sets, int32_t cellsPerSheet) {
    return CSheetPlacer(sets, std::max(cellsPerSheet, 1)).Place();
}

SheetAssignment ConstructSheetAssingment(const CFontData& working, SheetAssignmentInput input,
                                         const CFontEncoding& encoding) {
    SheetAssignment result;
    result.sets = std::move(input.sets);
    result.groups = std::move(input.groups);
    if (result.sets.empty() || result.groups.empty()) {
        const int32_t number = NextSetNumber(result.sets);
        SheetSet& all = result.sets[number];
        all.number = number;
        for (const auto& glyph : working.Glyphs()) {
            all.codes.emplace_back(glyph->charCode, 0);
        }
        result.groups[std::string()] = NamedGroup{0, std::string(), {number}};
    }

    result.alternateCode = ChooseAlternateCode(working, input.alternateSetting, encoding);
    for (auto& [number, set] : result.sets) {
        if (!HoldsCode(set, result.alternateCode)) {
            set.codes.emplace_back(result.alternateCode, 0);
        }
    }
    if (result.sets.size() > 1) {
        SplitSharedCodes(result.sets, result.groups);
    }

    const int32_t perSheet = std::max(input.cellsPerSheet, 1);
    result.sheetCount = PlaceSheetSets(result.sets, perSheet);
    result.totalCells = int64_t{perSheet} * result.sheetCount;

    result.indexOfCode.assign(std::size_t{0x10000}, -1);
    for (auto& [number, set] : result.sets) {
        std::sort(set.codes.begin(), set.codes.end());
        set.codes.erase(std::unique(set.codes.begin(), set.codes.end()), set.codes.end());
        int64_t index = int64_t{set.firstSheet} * perSheet + set.startCell;
        for (auto& [code, glyphIndex] : set.codes) {
            if (index > kLargestIndex) {
                TL_THROW(kErrInputValue, 276, index, kLargestIndex);
            }
            if (FindWorkingGlyph(working, code) == nullptr) {
                AlternateMissing(input.alternateSetting, result.alternateCode, encoding);
            }
            glyphIndex = static_cast<uint16_t>(index++);
            result.indexOfCode[code] = glyphIndex;
        }
    }
    if (FindWorkingGlyph(working, result.alternateCode) == nullptr) {
        AlternateMissing(input.alternateSetting, result.alternateCode, encoding);
    }
    result.alternateIndex = static_cast<uint16_t>(result.indexOfCode[result.alternateCode]);
    return result;
}
