#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "xml/XmlReadFrame.h"

// A letter order (.xlor): which character stands in which cell of an image font's grid,
// read row by row, left to right.
class CGlyphOrder : public CXmlReadFrame {
public:
    // An empty cell.
    static constexpr uint16_t NullCode = 0xFFFF;

    CGlyphOrder();

    // Reads the file and settles the grid; call once. Throws category 9 on any failure.
    void Load(const std::u16string& path);
    // Appends one cell; a code placed twice fails with 273 unless the file allows duplicates.
    void AddOrder(uint16_t code);

    // The code of cell (x, y), or NullCode outside the grid or past the last cell.
    uint16_t GetCharCode(int32_t x, int32_t y) const;

    int32_t GetWidth() const { return m_width; }
    int32_t GetHeight() const { return m_height; }
    bool IsLoaded() const { return m_loaded; }
    // The path given to Load.
    const std::u16string& GetPath() const { return m_orderPath; }
    // Every cell the file gave, in reading order (also those beyond a given height).
    std::span<const uint16_t> Codes() const { return m_codes; }
    // The cells inside the grid, in reading order: cell (x, y) is entry y * width + x.
    std::span<const uint16_t> GridCodes() const;

private:
    void OnStartElement(std::u16string_view name, xercesc::AttributeList& attributes) override;
    void OnEndElement(std::u16string_view name) override;
    void OnCharacters(std::u16string_view text) override;
    void OnVersion(std::u16string_view version) override;
    void SettleGrid();

    int32_t m_width = 16;
    int32_t m_height = 0;
    std::vector<uint16_t> m_codes;
    std::vector<bool> m_used;
    bool m_allowDuplicates = false;
    bool m_heightGiven = false;
    bool m_loaded = false;
    std::u16string m_orderPath;
    CharacterList m_order{u"order"};
};
