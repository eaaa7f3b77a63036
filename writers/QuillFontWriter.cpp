#include "writers/QuillFontWriter.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "base/GlobalException.h"
#include "core/FontData.h"
#include "core/PgCtrl.h"
#include "format/CompressedSheets.h"
#include "format/ResFont.h"
#include "format/ResFontPreview.h"
#include "format/TextureFormat.h"
#include "platform/BinaryFile.h"
#include "writers/ArchiveSets.h"
#include "writers/CodeMapBuilder.h"
#include "writers/GlyphGroupsBlock.h"
#include "writers/GlyphSheets.h"
#include "writers/SheetAssignment.h"
#include "writers/SheetInfo.h"
#include "xml/GlyphGroups.h"

namespace {

// Read back from its bytes, a preview shows exactly what the file holds.
FontPreview PreviewOfBytes(const CResFont& res) {
    CResFont saved;
    saved.Load(res.ToBytes());
    return PreviewOfResFont(saved);
}

using Settings = CQuillFontWriter::Settings;

// Every font this writer makes is of type 1, in the byte order the console reads natively.
constexpr uint8_t kFontType = 1;
constexpr bool kBigEndian = true;

// Where every glyph goes: the sheet geometry and the sets of glyphs with their indices.
struct SheetLayout {
    SheetInfo sheets;
    SheetAssignment assignment;
    // Archived fonts: the sheets are stored compressed.
    bool compressed = false;
};

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

// The font-wide limits of the blocks' byte fields.
void CheckRanges(const CFontData& font) {
    if (font.glyphWidth.value > 255) {
        TL_THROW(kErrInputValue, 177, font.glyphWidth.value, 255);
    }
    if (font.height.value > 255) {
        TL_THROW(kErrInputValue, 176, font.height.value, 255);
    }
    if (font.charWidth.value > 255) {
        TL_THROW(kErrInputValue, 178, font.charWidth.value, 255);
    }
    if (font.baseline.value > 127) {
        TL_THROW(kErrInputValue, 175, font.baseline.value, 127);
    }
    if (font.baseline.value < -128) {
        TL_THROW(kErrInputValue, 198, font.baseline.value, -128);
    }
    if (!texture::IsKnownFormat(font.glyphImageFormat.value)) {
        TL_THROW(kErrInternal, 174);
    }
}

// Whether the font can stand as the working font itself: settled (glyphs in ascending code,
// each numbered by its rank), every code kept as it is and every glyph fitting a width entry.
bool ServesAsWorkingFont(const CFontData& font, const CFontEncoding& encoding) {
    if (encoding.HasCodePage()) {
        return false;
    }
    const auto& glyphs = font.Glyphs();
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const CGlyph& glyph = *glyphs[i];
        if (glyph.glyphIndex != i || (i > 0 && glyphs[i - 1]->charCode >= glyph.charCode) ||
            encoding.FromUnicode(static_cast<char16_t>(glyph.charCode)) != glyph.charCode ||
            glyph.charCode == CFontEncoding::kNoCode || !FitsWidthEntry(glyph)) {
            return false;
        }
    }
    return !glyphs.empty();
}

// A copy of the font with its codes in the output encoding, in ascending new code: glyphs the
// encoding or a width entry cannot hold are left out with a warning. Null when the font itself
// is that already, so that no glyph picture is copied.
std::unique_ptr<CFontData> MakeWorkingFont(const CFontData& font, const CFontEncoding& encoding) {
    if (ServesAsWorkingFont(font, encoding)) {
        return nullptr;
    }
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

// The default widths given against the working font's glyph width and byte fields.
void CheckDefaultWidths(const Settings& settings, const CFontData& working) {
    const int32_t glyphWidth = working.glyphWidth.value;
    if (settings.defaultWidth != CQuillFontWriter::kNotGiven &&
        (settings.defaultWidth < 0 || settings.defaultWidth > glyphWidth)) {
        TL_THROW(kErrInputValue, 172, settings.defaultWidth, 0, glyphWidth);
    }
    if (settings.defaultRight != CQuillFontWriter::kNotGiven) {
        const DefaultWidths& defaults = working.defaultWidths.value;
        const int32_t left = Given<int32_t>(settings.defaultLeft, defaults.leftSpace);
        const int32_t glyph = Given<int32_t>(settings.defaultWidth, defaults.glyphWidth);
        const int32_t lowest = -128 - glyph - left;
        const int32_t highest = 127 - glyph - left;
        if (settings.defaultRight < lowest || settings.defaultRight > highest) {
            TL_THROW(kErrInputValue, 171, settings.defaultRight, lowest, highest);
        }
    }
}

// The sheet size given, or the one that wastes least, and the geometry of the cells on it.
SheetInfo ChooseSheets(const Settings& settings, const CFontData& working) {
    const int32_t cellWidth = working.glyphWidth.value;
    const int32_t cellHeight = working.height.value;
    const auto glyphCount = static_cast<int32_t>(working.GetGlyphCount());
    SheetSize size{settings.sheetWidth, settings.sheetHeight};
    if (settings.sheetWidth == 0 || settings.sheetHeight == 0) {
        size = CalcTextureSize(cellWidth, cellHeight, glyphCount, settings.sheetPixels);
    }
    return MakeSheetInfo(working.glyphImageFormat.value, size, cellWidth, cellHeight);
}

// Sheets, sets (one of every glyph, or one per glyph group of an archived font) and indices.
SheetLayout LayOutSheets(const Settings& settings, const CFontData& working,
                         const CFontEncoding& encoding) {
    SheetLayout layout;
    layout.sheets = ChooseSheets(settings, working);
    SheetAssignmentInput input;
    input.alternateSetting = settings.alternateChar;
    input.cellsPerSheet = layout.sheets.cellsPerSheet;
    layout.compressed = !settings.groupsPath.empty() &&
                        LoadArchiveSets(settings.groupsPath, working, encoding, input);
    layout.assignment = ConstructSheetAssingment(working, std::move(input), encoding);
    return layout;
}

void AddFontInfo(const Settings& settings, const CFontData& working, uint16_t alternateIndex,
                 CResFont& res) {
    const int32_t lineFeed = Given(settings.lineFeed, working.lineFeed.value);
    if (lineFeed > 127) {
        ReportWarning(g_pPgCtrl, 275, {lineFeed, 127});
    }
    const DefaultWidths& defaults = working.defaultWidths.value;
    const int32_t left = Given<int32_t>(settings.defaultLeft, defaults.leftSpace);
    const int32_t glyph = Given<int32_t>(settings.defaultWidth, defaults.glyphWidth);
    const int32_t right = Given<int32_t>(
        settings.defaultRight, defaults.charWidth - defaults.glyphWidth - defaults.leftSpace);

    FontInfo info;
    info.fontType = kFontType;
    info.lineFeed = static_cast<int8_t>(lineFeed);
    info.alternateIndex = alternateIndex;
    info.defaultLeft = static_cast<int8_t>(left);
    info.defaultGlyphWidth = static_cast<uint8_t>(glyph);
    info.defaultCharWidth = static_cast<int8_t>(left + glyph + right);
    info.encoding = static_cast<uint8_t>(settings.encoding);
    info.height = static_cast<uint8_t>(working.ascent.value + working.descent.value);
    info.width = static_cast<uint8_t>(working.width.value);
    info.ascent = static_cast<uint8_t>(working.ascent.value);
    res.AddFontInfo(info);
}

// Encodes every glyph into its cell of the sheets and adds them, compressed for an archived font;
// returns the stored size of each compressed sheet.
std::vector<uint32_t> AddSheets(const CFontData& working, const SheetLayout& layout,
                                CResFont& res) {
    const SheetInfo& s = layout.sheets;
    const int32_t format = working.glyphImageFormat.value;
    TextureGlyphs fields;
    fields.cellWidth = static_cast<uint8_t>(s.cellWidth);
    fields.cellHeight = static_cast<uint8_t>(s.cellHeight);
    fields.baseline = static_cast<int8_t>(working.baseline.value);
    fields.maxCharWidth = static_cast<uint8_t>(working.charWidth.value);
    fields.sheetBytes = static_cast<uint32_t>(s.sheetBytes);
    fields.sheetCount = static_cast<uint16_t>(layout.assignment.sheetCount);
    fields.sheetFormat = static_cast<uint16_t>(format | (layout.compressed ? kSheetCompressed : 0));
    fields.cellsPerRow = static_cast<uint16_t>(s.cellsPerRow);
    fields.rowsPerSheet = static_cast<uint16_t>(s.rowsPerSheet);
    fields.sheetWidth = static_cast<uint16_t>(s.size.width);
    fields.sheetHeight = static_cast<uint16_t>(s.size.height);
    std::vector<uint8_t> bytes = EncodeGlyphSheets(working, fields, layout.assignment);
    std::vector<uint32_t> storedSizes;
    if (layout.compressed) {
        CompressedSheets stored = CompressSheets(bytes, static_cast<std::size_t>(s.sheetBytes));
        bytes = std::move(stored.data);
        storedSizes = std::move(stored.storedSizes);
    }
    res.AddTextureGlyphs(fields, std::move(bytes));
    return storedSizes;
}

// One width block over every index that has a glyph; each set that has glyphs uses it.
void AddWidths(const CFontData& working, SheetLayout& layout, CResFont& res) {
    std::vector<WidthEntry> entries(static_cast<std::size_t>(layout.assignment.totalCells));
    int32_t lowest = -1;
    int32_t highest = -1;
    for (auto& [number, set] : layout.assignment.sets) {
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

// The character maps over all codes; every set uses all of them.
void AddCodeMaps(const CFontData& working, SheetLayout& layout, CResFont& res) {
    const std::vector<CodeMap> maps = BuildCodeMaps(working, layout.assignment);
    std::vector<int32_t> numbers;
    for (const CodeMap& map : maps) {
        numbers.push_back(static_cast<int32_t>(numbers.size()));
        res.AddCodeMap(map);
    }
    for (auto& [number, set] : layout.assignment.sets) {
        set.mapBlocks = numbers;
    }
}

}  // namespace

void CQuillFontWriter::ValidateSettings() {
    const Settings& s = m_settings;
    if (!s.groupsPath.empty()) {
        if (!IsFileExists(s.groupsPath)) {
            TL_THROW(kErrInputValue, 131, s.groupsPath);
        }
        // Loaded once and thrown away, so that the file's own errors come before any work.
        CGlyphGroups().Load(s.groupsPath);
    }
    if (s.alternateChar == 0) {
        TL_THROW(kErrInputValue, 148);
    }
    if (s.lineFeed != kNotGiven && (s.lineFeed < 0 || s.lineFeed > 255)) {
        TL_THROW(kErrInputValue, 173, s.lineFeed, 0, 255);
    }
    if (s.defaultLeft != kNotGiven && (s.defaultLeft < -128 || s.defaultLeft > 127)) {
        TL_THROW(kErrInputValue, 170, s.defaultLeft, -128, 127);
    }
    if ((s.sheetWidth != 0 || s.sheetHeight != 0) &&
        (!IsSheetSide(s.sheetWidth) || !IsSheetSide(s.sheetHeight))) {
        TL_THROW(kErrInputValue, 156, s.sheetWidth, s.sheetHeight);
    }
}

void CQuillFontWriter::WriteTarget(CFontData& font, const CGlyphOrder&, FontPreview* written) {
    const CResFont res = BuildResource(font);
    // The file is opened only now, so a failure above leaves no file behind.
    CBinaryFile file(m_settings.outputPath);
    res.Save(file);
    if (written != nullptr) {
        *written = PreviewOfBytes(res);
    }
}

FontPreview CQuillFontWriter::PreviewFontData(const CFontData& font, const CGlyphOrder&) {
    return PreviewOfBytes(BuildResource(font));
}

CResFont CQuillFontWriter::BuildResource(const CFontData& font) const {
    g_pPgCtrl->SetStatus(252);
    g_pPgCtrl->ResetProgress();
    const CFontEncoding encoding(m_settings.encoding);
    // The font-wide limits come first: the working font keeps the font's metrics, and a glyph
    // past them must fail the font, not be left out as one the width entries cannot hold.
    CheckRanges(font);
    const std::unique_ptr<CFontData> copy = MakeWorkingFont(font, encoding);
    const CFontData& working = copy ? *copy : font;
    CheckDefaultWidths(m_settings, working);
    g_pPgCtrl->SetProgressRange(static_cast<int>(3 * working.GetGlyphCount()));
    SheetLayout layout = LayOutSheets(m_settings, working, encoding);

    CResFont res(kBigEndian);
    AddFontInfo(m_settings, working, layout.assignment.alternateIndex, res);
    const std::vector<uint32_t> storedSizes = AddSheets(working, layout, res);
    AddWidths(working, layout, res);
    AddCodeMaps(working, layout, res);
    if (layout.compressed && layout.assignment.groups.size() >= 2) {
        AddGlyphGroupsBlock(res, layout.assignment, static_cast<uint32_t>(layout.sheets.sheetBytes),
                            layout.sheets.cellsPerSheet, storedSizes);
    }
    res.LinkOffsets();
    return res;
}
