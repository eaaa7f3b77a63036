#include "readers/WinFontReader.h"

#include <memory>

#include "base/GlobalException.h"
#include "base/Text.h"
#include "base/TextFormat.h"
#include "core/FontData.h"
#include "core/PgCtrl.h"
#include "format/TextureFormat.h"
#include "platform/FontCatalog.h"
#include "readers/RasterLetterer.h"
#include "readers/VectorLetterer.h"
#include "xml/CharFilter.h"

namespace {

// The reader asks for every code but the two non-characters at the top of the plane.
constexpr uint32_t kLastCode = 0xFFFD;
constexpr int kProgressRange = 0x10000;

// Outline and shadow within their ranges, and only where the alpha can hold them.
void ValidateEffects(const GlyphEffects& effects, bool alpha) {
    if (effects.outline && (*effects.outline < 1 || *effects.outline > GlyphEffects::kMaxOutline)) {
        const MessageArg width[] = {*effects.outline};
        TL_THROW(kErrInputValue, 470, FormatText(u"%d", width));
    }
    const auto inRange = [](int32_t offset) {
        return offset >= -GlyphEffects::kMaxShadowOffset &&
               offset <= GlyphEffects::kMaxShadowOffset;
    };
    if (effects.shadow && (!inRange(effects.shadow->x) || !inRange(effects.shadow->y))) {
        const MessageArg offset[] = {effects.shadow->x, effects.shadow->y};
        TL_THROW(kErrInputValue, 471, FormatText(u"%d,%d", offset));
    }
    if (effects.Any() && !alpha) {
        TL_THROW(kErrInputValue, 472);
    }
}

}  // namespace

void CWinFontReader::ValidateInput() {
    if (m_settings.faceName.empty()) {
        TL_THROW(kErrInputValue, 135);
    }
    if (const auto file = FontFileReference(m_settings.faceName)) {
        // Once registered for the run, a font file stands in for an installed face: every
        // other rule of this reader holds for it unchanged.
        const FontFileCheck check = RegisterFontFile(*file);
        if (check.status == FontFileStatus::kNotAFont) {
            TL_THROW(kErrInputValue, 290, Utf8ToUtf16(file->path));
        }
        if (check.status == FontFileStatus::kNoSuchFace) {
            TL_THROW(kErrInputValue, 291, static_cast<int32_t>(file->index),
                     static_cast<int32_t>(check.faceCount - 1), Utf8ToUtf16(file->path));
        }
    } else if (!ListInstalledFaces().contains(m_settings.faceName)) {
        TL_THROW(kErrInputValue, 271, m_settings.faceName);
    }
    if (m_settings.size < 1) {
        TL_THROW(kErrInternal, 202, m_settings.size);
    }
    if (m_settings.bitDepth < 1 || m_settings.bitDepth > 8) {
        TL_THROW(kErrInternal, 169, m_settings.bitDepth);
    }
    if (m_settings.widthType < CLetterer::kWidthGlyph ||
        m_settings.widthType > CLetterer::kWidthFixed) {
        const MessageArg type[] = {static_cast<int32_t>(m_settings.widthType)};
        TL_THROW(kErrInternal, 158, FormatText(u"%d", type));
    }
    if (m_settings.widthType == CLetterer::kWidthFixed && m_settings.fixedWidth <= 0) {
        TL_THROW(kErrInternal, 201, m_settings.fixedWidth);
    }
    ValidateEffects(m_settings.effects, m_settings.alpha);
}

void CWinFontReader::ReadFontData(CFontData& font, const CCharFilter& filter) {
    if (g_pPgCtrl != nullptr) {
        g_pPgCtrl->SetStatus(249);
        g_pPgCtrl->ResetProgress();
        g_pPgCtrl->SetProgressRange(kProgressRange);
    }

    // A negative height asks for the character height, not the cell height. The whole face
    // name goes to the font service: a shortened one would silently pick another font or none.
    FontDescription description;
    description.height = m_settings.size > 0 ? -m_settings.size : 0;
    description.width = m_settings.averageWidth;
    description.weight = 400;
    description.italic = false;
    description.faceName = m_settings.faceName;

    std::unique_ptr<CLetterer> letterer;
    if (m_settings.bitDepth <= 1) {
        letterer = std::make_unique<CRasterLetterer>();
    } else {
        auto vector = std::make_unique<CVectorLetterer>();
        vector->SetSoftAntialias(m_settings.softAntialias);
        letterer = std::move(vector);
    }
    letterer->SetOption(m_settings.bitDepth, m_settings.widthType, m_settings.fixedWidth);
    letterer->SetEffects(m_settings.effects);
    letterer->Create(description);

    // Most codes have no glyph, so one empty record waits until a code fills it.
    auto glyph = std::make_unique<CGlyph>();
    for (uint32_t code = 0; code <= kLastCode; ++code) {
        if (g_pPgCtrl != nullptr) {
            g_pPgCtrl->StepProgress(1);
        }
        const auto unit = static_cast<uint16_t>(code);
        // Most codes end at the first test, without a call into the letterer.
        if (!letterer->HasGlyph(static_cast<char16_t>(unit)) || filter.IsExcluded(unit)) {
            continue;
        }
        if (letterer->LetterChar(*glyph, static_cast<char16_t>(unit))) {
            font.AddGlyph(std::move(glyph), unit);
            glyph = std::make_unique<CGlyph>();
        }
    }

    if (m_settings.alpha) {
        font.glyphImageFormat.Set(m_settings.bitDepth > 4 ? kTexIA8 : kTexIA4);
    } else {
        font.glyphImageFormat.Set(m_settings.bitDepth > 4 ? kTexI8 : kTexI4);
    }
}
