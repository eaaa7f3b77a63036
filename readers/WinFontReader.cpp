#include "readers/WinFontReader.h"

#include <algorithm>
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
// The weight a face name alone asks for (OpenType scale).
constexpr int32_t kRegularWeight = 400;

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

namespace {

// A face name must name an installed face with outlines, or a font file that holds the face.
void CheckFace(const std::u16string& name) {
    if (name.empty()) {
        TL_THROW(kErrInputValue, 135);
    }
    bool outline = true;
    if (const auto file = FontFileReference(name)) {
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
        outline = check.outline;
    } else if (const auto face = FindFaceFile(name, kRegularWeight, false)) {
        outline = face->outline;
    } else if (const auto styled = FindStyledFace(name)) {
        outline = styled->outline;
    } else {
        TL_THROW(kErrInputValue, 271, name);
    }
    // The rasteriser draws outlines only; a bitmap-only face has no glyph at any other size.
    if (!outline) {
        TL_THROW(kErrInputValue, 400, name);
    }
}

}  // namespace

std::vector<std::u16string> CWinFontReader::Faces() const {
    std::vector<std::u16string> faces{m_settings.faceName};
    for (const std::u16string& name : m_settings.fallbackFaces) {
        // The same name again could give no character the earlier one did not.
        if (std::find(faces.begin(), faces.end(), name) == faces.end()) {
            faces.push_back(name);
        }
    }
    return faces;
}

void CWinFontReader::ValidateInput() {
    if (m_settings.fallbackFaces.size() > kMaxFallbackFaces) {
        TL_THROW(kErrInputValue, 401, static_cast<int32_t>(m_settings.fallbackFaces.size()),
                 static_cast<int32_t>(kMaxFallbackFaces));
    }
    CheckFace(m_settings.faceName);
    for (const std::u16string& name : m_settings.fallbackFaces) {
        CheckFace(name);
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

std::unique_ptr<CLetterer> CWinFontReader::CreateLetterer(const std::u16string& face) const {
    // A negative height asks for the character height, not the cell height. The whole face
    // name goes to the font service: a shortened one would silently pick another font or none.
    FontDescription description;
    description.height = m_settings.size > 0 ? -m_settings.size : 0;
    description.width = m_settings.averageWidth;
    description.weight = kRegularWeight;
    description.italic = false;
    description.faceName = face;

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
    return letterer;
}

void CWinFontReader::ReadFontData(CFontData& font, const CCharFilter& filter) {
    if (g_pPgCtrl != nullptr) {
        g_pPgCtrl->SetStatus(249);
        g_pPgCtrl->ResetProgress();
        g_pPgCtrl->SetProgressRange(kProgressRange);
    }

    // One rasteriser a face, each set up alike; the fallback faces draw on the first face's
    // baseline.
    std::vector<std::unique_ptr<CLetterer>> letterers;
    for (const std::u16string& face : Faces()) {
        letterers.push_back(CreateLetterer(face));
        if (letterers.size() > 1) {
            letterers.back()->ShareBaseline(*letterers.front());
        }
    }

    // Most codes have no glyph, so one empty record waits until a code fills it.
    auto glyph = std::make_unique<CGlyph>();
    for (uint32_t code = 0; code <= kLastCode; ++code) {
        if (g_pPgCtrl != nullptr) {
            g_pPgCtrl->StepProgress(1);
        }
        const auto unit = static_cast<char16_t>(code);
        // Most codes end at the first test, without a call into a letterer.
        const auto from = std::find_if(letterers.begin(), letterers.end(),
                                       [unit](const auto& l) { return l->HasGlyph(unit); });
        if (from == letterers.end() || filter.IsExcluded(unit)) {
            continue;
        }
        if ((*from)->LetterChar(*glyph, unit)) {
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
