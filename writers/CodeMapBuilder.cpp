#include "writers/CodeMapBuilder.h"

#include <iterator>
#include <list>

#include "core/FontData.h"
#include "core/PgCtrl.h"

namespace {

constexpr std::ptrdiff_t kShortestDirectRun = 80;
constexpr int64_t kFewestTableGlyphs = 40;
constexpr float kLeastTableDensity = 0.5f;

struct Entry {
    uint16_t code;
    uint16_t index;
};
using EntryList = std::list<Entry>;
using EntryIt = EntryList::iterator;

void Step(int64_t steps) {
    g_pPgCtrl->StepProgress(static_cast<int>(steps));
}

// The end of the run at `it`: entries whose codes and indices both rise by exactly 1.
EntryIt RunEnd(EntryList& list, EntryIt it) {
    EntryIt previous = it;
    for (EntryIt next = std::next(it); next != list.end(); previous = next++) {
        if (next->code != previous->code + 1 || next->index != previous->index + 1) {
            return next;
        }
    }
    return list.end();
}

void MakeDirectMaps(EntryList& list, std::vector<CodeMap>& maps) {
    for (EntryIt it = list.begin(); it != list.end();) {
        const EntryIt end = RunEnd(list, it);
        const std::ptrdiff_t count = std::distance(it, end);
        if (count < kShortestDirectRun) {
            it = end;
            continue;
        }
        CodeMap map;
        map.firstCode = it->code;
        map.lastCode = std::prev(end)->code;
        map.mappingKind = kMapDirect;
        map.indices.push_back(it->index);
        maps.push_back(std::move(map));
        Step(count);
        it = list.erase(it, end);
    }
}

// A stretch next to a growing table block, and what taking it would cost.
struct Neighbour {
    EntryIt edge;  // the new first entry (left) or the new end (right)
    int64_t count = 0;
    int64_t missing = 0;
    float density = 0.0f;
};

float Density(int64_t covered, int64_t gaps, const Neighbour& n) {
    return static_cast<float>(covered + n.count) /
           static_cast<float>(covered + n.count + n.missing + gaps);
}

// Codes in a row (indices not considered) ending just before `first`.
Neighbour LeftOf(EntryList& list, EntryIt first) {
    Neighbour n;
    if (first == list.begin()) {
        return n;
    }
    EntryIt start = std::prev(first);
    n.missing = first->code - start->code - 1;
    n.count = 1;
    while (start != list.begin() && std::prev(start)->code + 1 == start->code) {
        --start;
        ++n.count;
    }
    n.edge = start;
    return n;
}

// The run (codes and indices rising together) starting at `end`.
Neighbour RightOf(EntryList& list, EntryIt end) {
    Neighbour n;
    if (end == list.end()) {
        return n;
    }
    n.edge = RunEnd(list, end);
    n.count = std::distance(end, n.edge);
    n.missing = end->code - std::prev(end)->code - 1;
    return n;
}

void MakeTableMaps(EntryList& list, std::vector<CodeMap>& maps) {
    EntryIt position = list.begin();
    while (position != list.end()) {
        EntryIt first = position;
        EntryIt end = RunEnd(list, position);
        int64_t covered = std::distance(first, end);
        int64_t gaps = 0;
        Neighbour left = LeftOf(list, first);
        Neighbour right = RightOf(list, end);
        for (;;) {
            const float leftDensity = left.count > 0 ? Density(covered, gaps, left) : 0.0f;
            const float rightDensity = right.count > 0 ? Density(covered, gaps, right) : 0.0f;
            if (leftDensity >= rightDensity) {
                if (leftDensity < kLeastTableDensity) {
                    break;
                }
                first = left.edge;
                covered += left.count;
                gaps += left.missing;
                left = LeftOf(list, first);
            } else {
                if (rightDensity < kLeastTableDensity) {
                    break;
                }
                end = right.edge;
                covered += right.count;
                gaps += right.missing;
                right = RightOf(list, end);
            }
        }
        if (covered < kFewestTableGlyphs) {
            position = end;
            continue;
        }
        CodeMap map;
        map.firstCode = first->code;
        map.lastCode = std::prev(end)->code;
        map.mappingKind = kMapTable;
        map.indices.assign(std::size_t{map.lastCode} - map.firstCode + 1, kNoGlyph);
        for (EntryIt it = first; it != end; ++it) {
            map.indices[it->code - map.firstCode] = it->index;
        }
        maps.push_back(std::move(map));
        Step(covered);
        list.erase(first, end);
        position = list.begin();
    }
}

void MakeScanMap(EntryList& list, std::vector<CodeMap>& maps) {
    if (list.empty()) {
        return;
    }
    CodeMap map;
    map.firstCode = 0;
    map.lastCode = 0xFFFF;
    map.mappingKind = kMapScan;
    for (const Entry& e : list) {
        map.pairs.emplace_back(e.code, e.index);
        Step(1);
    }
    maps.push_back(std::move(map));
}

}  // namespace

std::vector<CodeMap> BuildCodeMaps(const CFontData& working, const SheetAssignment& assignment) {
    EntryList list;
    for (const auto& glyph : working.Glyphs()) {
        const int32_t given = glyph->charCode < assignment.indexOfCode.size()
                                  ? assignment.indexOfCode[glyph->charCode]
                                  : -1;
        list.push_back(
            Entry{glyph->charCode, given >= 0 ? static_cast<uint16_t>(given) : glyph->glyphIndex});
    }
    std::vector<CodeMap> maps;
    MakeDirectMaps(list, maps);
    MakeTableMaps(list, maps);
    MakeScanMap(list, maps);
    return maps;
}
