#include "writers/QuillFontWriter.h"

#include <algorithm>

#include "core/BinaryFile.h"
#include "core/FontData.h"
#include "core/GlobalException.h"
#include "core/PgCtrl.h"
#include "writers/ArchiveSets.h"
#include "writers/CodeMapBuilder.h"
#include "writers/GlyphGroupsBlock.h"
#include "writers/GlyphSheets.h"
#include "writers/format/CompressedSheets.h"
#include "writers/format/FontEncoding.h"
#include "writers/format/ResFont.h"
#include "writers/format/ResFontPreview.h"
#include "writers/format/TextureFormat.h"
#include "xml/GlyphGroups.h"

namespace {

bool IsSheetSide(int32_t side) {
    for (int32_t s = 32; s <= 1024; s *= 2) {
        if (side == s) {
            return true;
        }
    }
    return false;
}

// A width entry keeps the left space and the advance as signed bytes: a glyph whose values do
// not fit would be drawn from a wrapped value, backwards or far off, so it is left out instead.
bool FitsWidthEntry(const CGlyph& glyph) {
    const auto fits = [](int32_t value) { return value >= -128 && value <= 127; };
    return fits(glyph.leftSpace) && fits(glyph.Advance());
}

template <typename T>
T Given(int32_t setting, T fontValue) {
    return setting == CQuillFontWriter::kNotGiven ? fontValue : static_cast<T>(setting);
}

}  // namespace

CQuillFontWriter::CQuillFontWriter(std::u16string outputPath, std::u16string groupsPath,
                                   int32_t fontType, uint16_t alternateChar, int32_t lineFeed,
                                   int32_t defaultWidth, int32_t defaultLeft, int32_t defaultRight,
                                   int32_t encoding, int32_t sheetPixels)
    : m_outputPath(std::move(outputPath)),
      m_groupsPath(std::move(groupsPath)),
      m_fontType(fontType),
      m_alternateChar(alternateChar),
      m_lineFeed(lineFeed),
      m_defaultWidth(defaultWidth),
      m_defaultLeft(defaultLeft),
      m_defaultRight(defaultRight),
      m_encoding(encoding),
      m_sheetPixels(sheetPixels) {}

CQuillFontWriter::CQuillFontWriter(std::u16string outputPath, std::u16string groupsPath,
                                   int32_t fontType, uint16_t alternateChar, int32_t lineFeed,
                                   int32_t defaultWidth, int32_t defaultLeft, int32_t defaultRight,
                                   int32_t encoding, int32_t sheetWidth, int32_t sheetHeight)
    : CQuillFontWriter(std::move(outputPath), std::move(groupsPath), fontType, alternateChar,
                       lineFeed, defaultWidth, defaultLeft, defaultRight, encoding, 0) {
    m_sheetWidth = sheetWidth;
    m_sheetHeight = sheetHeight;
}

CQuillFontWriter::~CQuillFontWriter() = default;

void CQuillFontWriter::ValidateSettings() {
    if (!m_groupsPath.empty()) {
        if (!IsFileExists(m_groupsPath)) {
            TL_THROW(kErrInputValue, 131, m_groupsPath);
        }
        // Loaded once and thrown away, so that the file's own errors come before any work.
        CGlyphGroups().Load(m_groupsPath);
    }
    if (m_alternateChar == 0) {
        TL_THROW(kErrInputValue, 148);
    }
    if (m_lineFeed != kNotGiven && (m_lineFeed < 0 || m_lineFeed > 255)) {
        TL_THROW(kErrInputValue, 173, m_lineFeed, 0, 255);
    }
    if (m_defaultLeft != kNotGiven && (m_defaultLeft < -128 || m_defaultLeft > 127)) {
        TL_THROW(kErrInputValue, 170, m_defaultLeft, -128, 127);
    }
    if ((m_sheetWidth != 0 || m_sheetHeight != 0) &&
        (!IsSheetSide(m_sheetWidth) || !IsSheetSide(m_sheetHeight))) {
        TL_THROW(kErrInputValue, 156, m_sheetWidth, m_sheetHeight);
    }
}

void CQuillFontWriter::WriteFontData(CFontData& font, const CGlyphOrder&) {
    const CResFont res = BuildResource(font);
    // The file is opened only now, so a failure above leaves no file behind.
    CBinaryFile file(m_outputPath);
    res.Save(file);
}

FontPreview CQuillFontWriter::PreviewFontData(CFontData& font, const CGlyphOrder&) {
    // Read back from its bytes, the preview shows exactly what the file would hold.
    CResFont saved;
    saved.Load(BuildResource(font).ToBytes());
    return PreviewOfResFont(saved);
}

CResFont CQuillFontWriter::BuildResource(const CFontData& font) {
    CResFont res(m_bigEndian);
    g_pPgCtrl->SetStatus(252);
    g_pPgCtrl->ResetProgress();
    const CFontEncoding encoding(m_encoding);
    // The font-wide limits come first: the working font keeps the font's metrics, and a glyph
    // past them must fail the font, not be left out as one the width entries cannot hold.
    CheckRanges(font);
    const std::unique_ptr<CFontData> working = MakeWorkingFont(font, encoding);
    CheckDefaultWidths(*working);
    Convert(*working, encoding, res);
    return res;
}

std::unique_ptr<CFontData> CQuillFontWriter::MakeWorkingFont(const CFontData& font,
                                                             const CFontEncoding& encoding) const {
    std::vector<std::pair<uint16_t, const CGlyph*>> kept;
    for (const auto& glyph : font.Glyphs()) {
        const uint16_t code = encoding.FromUnicode(static_cast<char16_t>(glyph->charCode));
        if (code == CFontEncoding::kNoCode) {
            ReportWarning(g_pPgCtrl, 257, {glyph->charCode, glyph->charCode});
            continue;
        }
        if (!FitsWidthEntry(*glyph)) {
            ReportWarning(g_pPgCtrl, 278,
                          {glyph->charCode, glyph->charCode, glyph->leftSpace, glyph->Advance()});
            continue;
        }
        kept.emplace_back(code, glyph.get());
    }
    // Added in ascending new code, each glyph's index is its rank.
    std::stable_sort(kept.begin(), kept.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    auto working = std::make_unique<CFontData>();
    for (const auto& [code, glyph] : kept) {
        working->AddGlyph(std::make_unique<CGlyph>(*glyph), code);
    }
    if (working->GetGlyphCount() == 0) {
        TL_THROW(kErrInputValue, 166);
    }
    working->widthFromSource = font.widthFromSource;
    working->ascentDescentFromSource = font.ascentDescentFromSource;
    working->lineFeed = font.lineFeed;
    working->width = font.width;
    working->ascent = font.ascent;
    working->descent = font.descent;
    working->baseline = font.baseline;
    working->glyphWidth = font.glyphWidth;
    working->height = font.height;
    working->charWidth = font.charWidth;
    working->defaultWidths = font.defaultWidths;
    working->alternateChar = font.alternateChar;
    working->glyphImageFormat = font.glyphImageFormat;
    working->backgroundColor = font.backgroundColor;
    return working;
}

void CQuillFontWriter::CheckDefaultWidths(const CFontData& working) const {
    const int32_t glyphWidth = working.glyphWidth.value;
    if (m_defaultWidth != kNotGiven && (m_defaultWidth < 0 || m_defaultWidth > glyphWidth)) {
        TL_THROW(kErrInputValue, 172, m_defaultWidth, 0, glyphWidth);
    }
    if (m_defaultRight != kNotGiven) {
        const DefaultWidths& defaults = working.defaultWidths.value;
        const int32_t left = Given<int32_t>(m_defaultLeft, defaults.leftSpace);
        const int32_t glyph = Given<int32_t>(m_defaultWidth, defaults.glyphWidth);
        const int32_t lowest = -128 - glyph - left;
        const int32_t highest = 127 - glyph - left;
        if (m_defaultRight < lowest || m_defaultRight > highest) {
            TL_THROW(kErrInputValue, 171, m_defaultRight, lowest, highest);
        }
    }
}

void CQuillFontWriter::Convert(CFontData& working, const CFontEncoding& encoding, CResFont& res) {
    g_pPgCtrl->SetProgressRange(static_cast<int>(3 * working.GetGlyphCount()));
    m_sheets = ChooseSheets(working);

    SheetAssignmentInput input;
    input.alternateSetting = m_alternateChar;
    input.cellsPerSheet = m_sheets.cellsPerSheet;
    input.sheetBytes = m_sheets.sheetBytes;
    m_compressed = !m_groupsPath.empty() && LoadArchiveSets(m_groupsPath, working, encoding, input);
    m_assignment = ConstructSheetAssingment(working, std::move(input), encoding);
    m_sheets.sheetCount = m_assignment.sheetCount;
    m_sheets.totalBytes = m_assignment.totalBytes;
    m_sheets.totalCells = m_assignment.totalCells;

    AddFontInfo(working, res);
    AddSheets(working, res);
    AddWidths(working, res);
    AddCodeMaps(working, res);
    if (m_compressed && m_assignment.groups.size() >= 2) {
        AddGlyphGroupsBlock(res, m_assignment, static_cast<uint32_t>(m_sheets.sheetBytes),
                            m_sheets.cellsPerSheet, m_storedSheetSizes);
    }
    res.LinkOffsets();
}

void CQuillFontWriter::CheckRanges(const CFontData& working) const {
    if (working.glyphWidth.value > 255) {
        TL_THROW(kErrInputValue, 177, working.glyphWidth.value, 255);
    }
    if (working.height.value > 255) {
        TL_THROW(kErrInputValue, 176, working.height.value, 255);
    }
    if (working.charWidth.value > 255) {
        TL_THROW(kErrInputValue, 178, working.charWidth.value, 255);
    }
    if (working.baseline.value > 127) {
        TL_THROW(kErrInputValue, 175, working.baseline.value, 127);
    }
    if (working.baseline.value < -128) {
        TL_THROW(kErrInputValue, 198, working.baseline.value, -128);
    }
    if (!texture::IsKnownFormat(working.glyphImageFormat.value)) {
        TL_THROW(kErrInternal, 174);
    }
}

SheetInfo CQuillFontWriter::ChooseSheets(const CFontData& working) const {
    const int32_t cellWidth = working.glyphWidth.value;
    const int32_t cellHeight = working.height.value;
    const auto glyphCount = static_cast<int32_t>(working.GetGlyphCount());
    SheetSize size{m_sheetWidth, m_sheetHeight};
    if (m_sheetWidth == 0 || m_sheetHeight == 0) {
        size = CalcTextureSize(cellWidth, cellHeight, glyphCount, m_sheetPixels);
    }
    return MakeSheetInfo(working.glyphImageFormat.value, size, cellWidth, cellHeight, glyphCount);
}

void CQuillFontWriter::AddSheets(const CFontData& working, CResFont& res) {
    const SheetInfo& s = m_sheets;
    const int32_t format = working.glyphImageFormat.value;
    TextureGlyphs fields;
    fields.cellWidth = static_cast<uint8_t>(s.cellWidth);
    fields.cellHeight = static_cast<uint8_t>(s.cellHeight);
    fields.baseline = static_cast<int8_t>(working.baseline.value);
    fields.maxCharWidth = static_cast<uint8_t>(working.charWidth.value);
    fields.sheetBytes = static_cast<uint32_t>(s.sheetBytes);
    fields.sheetCount = static_cast<uint16_t>(s.sheetCount);
    fields.sheetFormat = static_cast<uint16_t>(format | (m_compressed ? kSheetCompressed : 0));
    fields.cellsPerRow = static_cast<uint16_t>(s.cellsPerRow);
    fields.rowsPerSheet = static_cast<uint16_t>(s.rowsPerSheet);
    fields.sheetWidth = static_cast<uint16_t>(s.width);
    fields.sheetHeight = static_cast<uint16_t>(s.height);
    std::vector<uint8_t> bytes = EncodeGlyphSheets(working, fields, m_assignment);
    if (m_compressed) {
        CompressedSheets stored = CompressSheets(bytes, static_cast<std::size_t>(s.sheetBytes));
        bytes = std::move(stored.data);
        m_storedSheetSizes = std::move(stored.storedSizes);
    }
    res.AddTextureGlyphs(fields, std::move(bytes));
}

void CQuillFontWriter::AddWidths(const CFontData& working, CResFont& res) {
    std::vector<WidthEntry> entries(static_cast<std::size_t>(m_sheets.totalCells));
    int32_t lowest = -1;
    int32_t highest = -1;
    for (auto& [number, set] : m_assignment.sets) {
        for (const auto& [code, index] : set.codes) {
            const CGlyph* glyph = working.FindGlyph(code);
            if (glyph == nullptr) {
                continue;
            }
            const int32_t imageWidth = glyph->image.GetWidth();
            entries[index] =
                WidthEntry{static_cast<int8_t>(glyph->leftSpace), static_cast<uint8_t>(imageWidth),
                           static_cast<int8_t>(glyph->Advance())};
            lowest = lowest < 0 ? index : std::min<int32_t>(lowest, index);
            highest = std::max<int32_t>(highest, index);
            set.widthBlocks.assign(1, 0);
            g_pPgCtrl->StepProgress(1);
        }
    }
    if (lowest < 0) {
        return;
    }
    WidthBlock block;
    block.firstIndex = static_cast<uint16_t>(lowest);
    block.lastIndex = static_cast<uint16_t>(highest);
    block.entries.assign(entries.begin() + lowest, entries.begin() + highest + 1);
    res.AddWidths(block);
}

void CQuillFontWriter::AddCodeMaps(const CFontData& working, CResFont& res) {
    const std::vector<CodeMap> maps = BuildCodeMaps(working);
    std::vector<int32_t> numbers;
    for (const CodeMap& map : maps) {
        numbers.push_back(static_cast<int32_t>(numbers.size()));
        res.AddCodeMap(map);
    }
    for (auto& [number, set] : m_assignment.sets) {
        set.mapBlocks = numbers;
    }
}

void CQuillFontWriter::AddFontInfo(const CFontData& working, CResFont& res) const {
    const int32_t lineFeed = Given(m_lineFeed, working.lineFeed.value);
    if (lineFeed > 127) {
        ReportWarning(g_pPgCtrl, 275, {lineFeed, 127});
    }
    const DefaultWidths& defaults = working.defaultWidths.value;
    const int32_t left = Given<int32_t>(m_defaultLeft, defaults.leftSpace);
    const int32_t glyph = Given<int32_t>(m_defaultWidth, defaults.glyphWidth);
    const int32_t right = Given<int32_t>(
        m_defaultRight, defaults.charWidth - defaults.glyphWidth - defaults.leftSpace);

    FontInfo info;
    info.fontType = static_cast<uint8_t>(m_fontType);
    info.lineFeed = static_cast<int8_t>(lineFeed);
    info.alternateIndex = m_assignment.alternateIndex;
    info.defaultLeft = static_cast<int8_t>(left);
    info.defaultGlyphWidth = static_cast<uint8_t>(glyph);
    info.defaultCharWidth = static_cast<int8_t>(left + glyph + right);
    info.encoding = static_cast<uint8_t>(m_encoding);
    info.height = static_cast<uint8_t>(working.ascent.value + working.descent.value);
    info.width = static_cast<uint8_t>(working.width.value);
    info.ascent = static_cast<uint8_t>(working.ascent.value);
    res.AddFontInfo(info);
}
