#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xml/XmlReadFrame.h"

// One `group` of a glyph groups file. The groups are owned by their CGlyphGroups; the links
// between them are plain views.
struct GlyphGroup {
    int32_t index = -1;                       // -1 until the file or the numbering gives one
    std::string name;                         // only 0-9, A-Z, a-z and _
    const GlyphGroup* parent = nullptr;       // none for a group directly in `body`
    std::vector<const GlyphGroup*> children;  // in document order
    std::u16string characters;                // in document order, repeats kept

    bool IsLeaf() const { return children.empty(); }
};

// A glyph groups file (.xggp): named, numbered, possibly nested groups of characters that an
// archived font keeps together.
class CGlyphGroups : public CXmlReadFrame {
public:
    CGlyphGroups();

    // Reads the file, then numbers and checks the groups. Throws category 9 on any failure.
    void Load(const std::u16string& path);

    // Checks a group name (141 when empty, 139 for a character outside 0-9, A-Z, a-z and _)
    // and stores it in `target`, one byte per character.
    static void ConvertGroupName(std::string& target, std::u16string_view name);

    bool IsLoaded() const { return m_loaded; }
    // The groups directly in `body`, in document order.
    const std::vector<const GlyphGroup*>& Groups() const { return m_topLevel; }
    // Every group in document order, each before its children (depth first).
    std::vector<const GlyphGroup*> PreOrder() const;
    // Every group, each after all of its children (depth first, children in document order).
    std::vector<const GlyphGroup*> PostOrder() const;
    // The groups without children, in document order.
    std::vector<const GlyphGroup*> Leaves() const;

private:
    void OnStartElement(std::u16string_view name, xercesc::AttributeList& attributes) override;
    void OnEndElement(std::u16string_view name) override;
    void OnCharacters(std::u16string_view text) override;
    void StartGroup(xercesc::AttributeList& attributes);
    void GroupList_Normalize();

    // Every group, in document order; deep nesting never recurses on destruction.
    std::vector<std::unique_ptr<GlyphGroup>> m_all;
    std::vector<const GlyphGroup*> m_topLevel;
    // The open groups, innermost last.
    std::vector<GlyphGroup*> m_open;
    bool m_loaded = false;
};
