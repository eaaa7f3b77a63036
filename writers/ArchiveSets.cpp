#include "writers/ArchiveSets.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "core/FontData.h"
#include "format/FontEncoding.h"
#include "xml/GlyphGroups.h"

namespace {

constexpr int32_t kRemainingGroupIndex = -1;
const char kRemainingGroupName[] = "*";

// The set of one leaf group: its characters in the output encoding that the font has, in the
// file's order, each once. Characters the code page cannot hold are passed over.
SheetSet CandidateOf(const GlyphGroup& leaf, const CFontData& working,
                     const CFontEncoding& encoding, std::set<uint16_t>& assigned) {
    SheetSet candidate;
    for (const char16_t ch : leaf.characters) {
        const uint16_t code = encoding.FromUnicode(ch);
        if (code == CFontEncoding::kNoCode || working.FindGlyph(code) == nullptr) {
            continue;
        }
        const bool held = std::any_of(candidate.codes.begin(), candidate.codes.end(),
                                      [code](const auto& entry) { return entry.first == code; });
        if (!held) {
            candidate.codes.emplace_back(code, 0);
        }
        assigned.insert(code);
    }
    return candidate;
}

}  // namespace

ArchiveSets BuildArchiveSets(const CGlyphGroups& file, const CFontData& working,
                             const CFontEncoding& encoding) {
    ArchiveSets result;
    std::set<uint16_t> assigned;
    std::map<const GlyphGroup*, int32_t> setOfLeaf;
    int32_t next = 0;
    for (const GlyphGroup* leaf : file.Leaves()) {
        SheetSet candidate = CandidateOf(*leaf, working, encoding, assigned);
        if (candidate.codes.empty()) {
            continue;
        }
        candidate.number = next;
        setOfLeaf[leaf] = next;
        result.sets[next] = std::move(candidate);
        ++next;
    }
    SheetSet rest;
    for (const auto& glyph : working.Glyphs()) {
        if (assigned.count(glyph->charCode) == 0) {
            rest.codes.emplace_back(glyph->charCode, 0);
        }
    }

    // Children come before their parent, so each parent unites collections already made.
    std::map<const GlyphGroup*, std::vector<int32_t>> collected;
    for (const GlyphGroup* group : file.PostOrder()) {
        std::vector<int32_t>& numbers = collected[group];
        if (group->IsLeaf()) {
            const auto found = setOfLeaf.find(group);
            if (found != setOfLeaf.end()) {
                numbers.push_back(found->second);
            }
        }
        for (const GlyphGroup* child : group->children) {
            const std::vector<int32_t>& below = collected[child];
            numbers.insert(numbers.end(), below.begin(), below.end());
        }
        std::sort(numbers.begin(), numbers.end());
        numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
        if (!numbers.empty() && result.groups.count(group->name) == 0) {
            result.groups[group->name] = NamedGroup{group->index, group->name, numbers};
        }
    }
    if (!rest.codes.empty()) {
        rest.number = next;
        result.sets[next] = std::move(rest);
        result.groups[kRemainingGroupName] =
            NamedGroup{kRemainingGroupIndex, kRemainingGroupName, {next}};
    }
    return result;
}

bool LoadArchiveSets(const std::u16string& path, const CFontData& working,
                     const CFontEncoding& encoding, SheetAssignmentInput& input) {
    CGlyphGroups file;
    file.Load(path);
    if (file.Groups().empty()) {
        return false;
    }
    ArchiveSets archive = BuildArchiveSets(file, working, encoding);
    input.sets = std::move(archive.sets);
    input.groups = std::move(archive.groups);
    return true;
}
