#include "readers/QuillFontReader.h"

#include <memory>
#include <optional>
#include <vector>

#include "core/FontData.h"
#include "core/PgCtrl.h"
#include "format/FontFileCheck.h"
#include "format/ResFont.h"
#include "platform/BinaryFile.h"
#include "platform/CodePage.h"
#include "readers/CharGlyphBitmaps.h"
#include "readers/PixelBudget.h"
#include "readers/TextureGlyphSheets.h"
#include "xml/CharFilter.h"

namespace {

constexpr int kLoadingBofnt = 247;
constexpr int kPreviousVersionWarning = 263;
constexpr int kNotUnicodeWarning = 258;
constexpr int kCodeCount = 0x10000;

// A file with a CGLP block keeps its glyphs there, whatever its TGLP holds.
std::unique_ptr<IQuillGlyphSource> MakeGlyphSource(const CResFont& resource, CPixelBudget& budget) {
    if (resource.GetCharGlyphs()) {
        return std::make_unique<CCharGlyphBitmaps>(resource);
    }
    return std::make_unique<CTextureGlyphSheets>(resource, budget);
}

// The font-wide values of FINF; returns the encoding number of the CMAP codes. A file of the
// previous version keeps its encoding where the default advance now lies and carries no
// usable width, ascent, descent or default widths: the model derives those.
int32_t SetFontValues(CFontData& font, const FontInfo& info, bool previousVersion) {
    font.lineFeed.Set(info.lineFeed);
    if (previousVersion) {
        return info.defaultCharWidth;
    }
    font.width.Set(info.width);
    font.ascent.Set(info.ascent);
    font.descent.Set(int32_t{info.height} - info.ascent);
    font.widthFromSource = true;
    font.ascentDescentFromSource = true;
    font.defaultWidths.Set(DefaultWidths{info.defaultLeft, info.defaultGlyphWidth,
                                         static_cast<uint8_t>(info.defaultCharWidth)});
    return info.encoding;
}

std::optional<CCodePage> CodePageFor(int32_t encoding) {
    const int32_t codePage = CodePageOfEncoding(encoding);
    if (codePage == 0) {
        return std::nullopt;
    }
    return CCodePage(codePage);
}

}  // namespace

void CQuillFontReader::ValidateInput() {
    ValidateFontFile(m_path);
}

CResFont CQuillFontReader::Load(int64_t& fileBytes) const {
    CBinaryFile file(m_path);
    file.Open(CBinaryFile::Access::kRead);
    const std::vector<uint8_t> bytes = file.ReadAll();
    file.Close();
    fileBytes = static_cast<int64_t>(bytes.size());
    CResFont resource;
    resource.Load(bytes);
    return resource;
}

void CQuillFontReader::ReadFontData(CFontData& font, const CCharFilter& filter) {
    g_pPgCtrl->SetStatus(kLoadingBofnt);
    g_pPgCtrl->ResetProgress();
    int64_t fileBytes = 0;
    const CResFont resource = Load(fileBytes);
    if (resource.IsPreviousVersion()) {
        ReportWarning(g_pPgCtrl, kPreviousVersionWarning);
    }
    g_pPgCtrl->SetProgressRange(kCodeCount);
    CPixelBudget budget(fileBytes);
    const std::unique_ptr<IQuillGlyphSource> glyphs = MakeGlyphSource(resource, budget);

    const FontInfo& info = resource.GetFontInfo();
    const std::optional<CCodePage> codePage =
        CodePageFor(SetFontValues(font, info, resource.IsPreviousVersion()));
    font.glyphImageFormat.Set(glyphs->GetTextureFormat());
    font.baseline.Set(glyphs->GetBaseline());

    // Each glyph index is decoded, cropped and measured once, however many codes map to it;
    // every code still gets its own glyph, and pays for a cell of pixels.
    std::vector<std::unique_ptr<CGlyph>> made(kCodeCount);
    for (int32_t c = 0; c < kCodeCount; ++c) {
        const auto code = static_cast<uint16_t>(c);
        const uint16_t index = resource.CodeToIndex(code);
        if (index == kNoGlyph) {
            continue;
        }
        char16_t unicode = code;
        if (codePage && !codePage->ToUnicode(code, unicode)) {
            ReportWarning(g_pPgCtrl, kNotUnicodeWarning, {code});
            continue;
        }
        // The alternate character is the font's even when the filter leaves its glyph out.
        if (index == info.alternateIndex) {
            font.alternateChar.Set(unicode);
        }
        if (filter.IsExcluded(unicode)) {
            continue;
        }
        budget.Spend(glyphs->GetCellPixels());
        std::unique_ptr<CGlyph>& glyph = made[index];
        if (!glyph) {
            glyph = glyphs->MakeGlyph(index);
        }
        font.AddGlyph(std::make_unique<CGlyph>(*glyph), unicode);
        g_pPgCtrl->StepProgress(1);
    }
}
