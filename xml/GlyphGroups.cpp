#include "xml/GlyphGroups.h"

#include <set>

#include "base/GlobalException.h"

namespace {

constexpr int32_t kNoIndex = -1;

bool IsGroupNameChar(char16_t ch) {
    return (ch >= u'0' && ch <= u'9') || (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z') ||
           ch == u'_';
}

}  // namespace

CGlyphGroups::CGlyphGroups()
    : CXmlReadFrame(Rules{.rootName = u"glyph-groups",
                          .versions = {u"1.0"},
                          .topElement = u"body",
                          .topParent = u"glyph-groups",
                          .notThisKindMessage = 152,
                          .wrapCallbackErrors = true}) {}

void CGlyphGroups::Load(const std::u16string& path) {
    Parse(path);
    GroupList_Normalize();
    m_loaded = true;
}

void CGlyphGroups::ConvertGroupName(std::string& target, std::u16string_view name) {
    if (name.empty()) {
        TL_THROW(kErrXml, 141);
    }
    for (const char16_t ch : name) {
        if (!IsGroupNameChar(ch)) {
            TL_THROW(kErrXml, 139, name, ch);
        }
    }
    target.assign(name.begin(), name.end());
}

std::vector<const GlyphGroup*> CGlyphGroups::PreOrder() const {
    // Groups are created as their start tags arrive, which is already parent-first order.
    std::vector<const GlyphGroup*> order;
    order.reserve(m_all.size());
    for (const auto& group : m_all) {
        order.push_back(group.get());
    }
    return order;
}

std::vector<const GlyphGroup*> CGlyphGroups::PostOrder() const {
    // An explicit stack of (group, next child) keeps deep nesting off the call stack.
    std::vector<const GlyphGroup*> order;
    order.reserve(m_all.size());
    std::vector<std::pair<const GlyphGroup*, size_t>> stack;
    for (const GlyphGroup* top : m_topLevel) {
        stack.emplace_back(top, 0);
        while (!stack.empty()) {
            auto& [group, next] = stack.back();
            if (next < group->children.size()) {
                const GlyphGroup* child = group->children[next++];
                stack.emplace_back(child, 0);
                continue;
            }
            order.push_back(group);
            stack.pop_back();
        }
    }
    return order;
}

std::vector<const GlyphGroup*> CGlyphGroups::Leaves() const {
    std::vector<const GlyphGroup*> leaves;
    for (const auto& group : m_all) {
        if (group->IsLeaf()) {
            leaves.push_back(group.get());
        }
    }
    return leaves;
}

void CGlyphGroups::OnStartElement(std::u16string_view name, xercesc::AttributeList& attributes) {
    if (IsElement(name, u"group")) {
        RequireInside(InsideTop(), u"group", u"body");
        StartGroup(attributes);
    } else if (IsElement(name, u"sp")) {
        RequireInside(!m_open.empty(), u"sp", u"group");
        m_open.back()->characters.push_back(u' ');
    }
}

void CGlyphGroups::StartGroup(xercesc::AttributeList& attributes) {
    auto group = std::make_unique<GlyphGroup>();
    const std::optional<std::u16string> name = GetAttribute(attributes, u"name");
    if (!name) {
        TL_THROW(kErrXml, 141);
    }
    ConvertGroupName(group->name, *name);
    if (const auto index = GetIntAttribute(attributes, u"index")) {
        group->index = *index;
    }
    GlyphGroup* parent = m_open.empty() ? nullptr : m_open.back();
    group->parent = parent;
    if (parent) {
        parent->children.push_back(group.get());
    } else {
        m_topLevel.push_back(group.get());
    }
    m_open.push_back(group.get());
    m_all.push_back(std::move(group));
}

void CGlyphGroups::OnEndElement(std::u16string_view name) {
    if (IsElement(name, u"group") && !m_open.empty()) {
        m_open.pop_back();
    }
}

void CGlyphGroups::OnCharacters(std::u16string_view text) {
    if (m_open.empty()) {
        return;
    }
    std::u16string& characters = m_open.back()->characters;
    ForEachListed(text, [&characters](char16_t ch) { characters.push_back(ch); });
}

void CGlyphGroups::GroupList_Normalize() {
    // The first group decides: without an index the file is numbered 0, 1, 2, ... in visiting
    // order; with one, every group must carry its own.
    int32_t counter = kNoIndex;
    std::set<int32_t> seen;
    for (const auto& group : m_all) {
        if (counter == kNoIndex) {
            counter = 0;
            if (group->index == kNoIndex) {
                group->index = counter++;
            }
        } else if (counter > 0 && group->index != kNoIndex) {
            TL_THROW(kErrXml, 137);
        } else if (counter == 0 && group->index == kNoIndex) {
            TL_THROW(kErrXml, 137);
        } else if (group->index == kNoIndex) {
            group->index = counter++;
        }
        if (!seen.insert(group->index).second) {
            TL_THROW(kErrXml, 138, group->index);
        }
    }
}
