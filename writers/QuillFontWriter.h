#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/FontWriter.h"
#include "writers/SheetAssignment.h"
#include "writers/SheetInfo.h"

class CFontData;
class CResFont;
class CFontEncoding;

// Writes a settled font as a binary font resource: codes in the chosen encoding, glyphs drawn
// into texture sheets and encoded in the font's texture format, with the font information,
// width and character map blocks. Numeric settings of 0xFFFF were not given; the font's own
// value is used instead.
class CQuillFontWriter : public CFontWriter {
public:
    static constexpr int32_t kNotGiven = 0xFFFF;

    // `sheetPixels` is the wanted pixel count of one sheet, 0 to choose freely.
    CQuillFontWriter(std::u16string outputPath, std::u16string groupsPath, int32_t fontType,
                     uint16_t alternateChar, int32_t lineFeed, int32_t defaultWidth,
                     int32_t defaultLeft, int32_t defaultRight, int32_t encoding,
                     int32_t sheetPixels);
    // An explicit sheet size instead of a pixel count.
    CQuillFontWriter(std::u16string outputPath, std::u16string groupsPath, int32_t fontType,
                     uint16_t alternateChar, int32_t lineFeed, int32_t defaultWidth,
                     int32_t defaultLeft, int32_t defaultRight, int32_t encoding,
                     int32_t sheetWidth, int32_t sheetHeight);
    ~CQuillFontWriter() override;

    void ValidateSettings() override;
    const std::u16string& GetOutputPath() const override { return m_outputPath; }
    void WriteFontData(CFontData& font, const CGlyphOrder& order) override;
    FontPreview PreviewFontData(CFontData& font, const CGlyphOrder& order) override;
    // This writer uses no letter order.
    void LoadGlyphOrder(CGlyphOrder&) override {}

private:
    // The resource WriteFontData saves, laid out in memory.
    CResFont BuildResource(const CFontData& font);
    std::unique_ptr<CFontData> MakeWorkingFont(const CFontData& font,
                                               const CFontEncoding& encoding) const;
    void CheckDefaultWidths(const CFontData& working) const;
    void Convert(CFontData& working, const CFontEncoding& encoding, CResFont& res);
    void CheckRanges(const CFontData& working) const;
    SheetInfo ChooseSheets(const CFontData& working) const;
    void AddSheets(const CFontData& working, CResFont& res);
    void AddWidths(const CFontData& working, CResFont& res);
    void AddCodeMaps(const CFontData& working, CResFont& res);
    void AddFontInfo(const CFontData& working, CResFont& res) const;

    std::u16string m_outputPath;
    std::u16string m_groupsPath;
    int32_t m_fontType;
    uint16_t m_alternateChar;
    int32_t m_lineFeed;
    int32_t m_defaultWidth;
    int32_t m_defaultLeft;
    int32_t m_defaultRight;
    int32_t m_encoding;
    int32_t m_sheetPixels = 0;
    int32_t m_sheetWidth = 0;
    int32_t m_sheetHeight = 0;
    bool m_bigEndian = true;

    // One conversion's decisions.
    SheetInfo m_sheets;
    SheetAssignment m_assignment;
    // Archived fonts: sheets compressed, and the stored size of each for the GLGR block.
    bool m_compressed = false;
    std::vector<uint32_t> m_storedSheetSizes;
};
