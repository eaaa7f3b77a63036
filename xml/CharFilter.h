#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "xml/XmlReadFrame.h"

class CFontData;
class CGlyphOrder;

// A character filter (.xllt): the set of characters a conversion keeps. Until a file is loaded
// or a letter order fills it, every character passes.
class CCharFilter : public CXmlReadFrame {
public:
    CCharFilter();

    // Reads the file; the space always joins the set. Throws category 9 on any failure (a
    // parser warning fails too).
    void Load(const std::u16string& path);
    // Narrows the set to the characters of a loaded letter order, or fills it from the order
    // while everything still passes.
    void CombineWithOrder(const CGlyphOrder& order);
    // True when the readers must skip the code.
    bool IsExcluded(uint16_t code) const;
    // Warns (259) about every chosen code the font has no glyph for.
    void CheckMissing(const CFontData& font) const;

    bool IsPassAll() const { return m_passAll; }
    // The codes that pass, in ascending order (empty while everything passes).
    std::vector<uint16_t> GetCodes() const;

private:
    void OnStartElement(std::u16string_view name, xercesc::AttributeList& attributes) override;
    void OnEndElement(std::u16string_view name) override;
    void OnCharacters(std::u16string_view text) override;

    bool m_passAll = true;
    std::map<uint16_t, bool> m_set;
    CharacterList m_letters{u"letter"};
};
