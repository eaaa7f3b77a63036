#include "readers/BmFontReader.h"

#include <memory>

#include "base/GlobalException.h"
#include "bmfont/BmFontFile.h"
#include "core/FontData.h"
#include "core/PgCtrl.h"
#include "image/IImage.h"
#include "image/PictureFile.h"
#include "platform/FileSystem.h"
#include "readers/BmFontGlyph.h"
#include "xml/CharFilter.h"

namespace {

constexpr int kLoadingFnt = 460;
constexpr int kNotUnicodeWarning = 258;
constexpr int kPageSize = 450;
constexpr int kPagesTooLarge = 451;
constexpr int kCharsTooLarge = 452;
constexpr int kKerningWarning = 453;

int64_t PagePixels(const BmFontCommon& common) {
    return common.scaleW * common.scaleH;
}

}  // namespace

std::u16string CBmFontReader::PagePath(const std::u16string& descriptorPath,
                                       const std::u16string& file) {
    return fs::SplitPath(descriptorPath).folder + file;
}

std::vector<bool> CBmFontReader::CheckPages(const BmFontDescriptor& descriptor) const {
    const BmFontCommon& common = *descriptor.common;
    std::vector<bool> used(static_cast<std::size_t>(common.pages), false);
    int64_t count = 0;
    for (const BmFontChar& ch : descriptor.chars) {
        const auto page = static_cast<std::size_t>(ch.page);
        if (!used[page]) {
            used[page] = true;
            ++count;
        }
    }
    if (count * PagePixels(common) > IImage::kMaxPixels) {
        TL_THROW(kErrInputValue, kPagesTooLarge, m_settings.descriptorPath,
                 IImage::kMaxPixels / 1000000);
    }
    const std::vector<std::u16string> files = PageFiles(descriptor);
    for (std::size_t id = 0; id < used.size(); ++id) {
        const std::u16string path = PagePath(m_settings.descriptorPath, files[id]);
        if (used[id] && !IsFileExists(path)) {
            TL_THROW(kErrInputValue, 131, path);
        }
    }
    return used;
}

void CBmFontReader::ValidateInput() {
    if (!IsFileExists(m_settings.descriptorPath)) {
        TL_THROW(kErrInputValue, 131, m_settings.descriptorPath);
    }
    m_descriptor = LoadBmFontDescriptor(m_settings.descriptorPath);
    CheckPages(*m_descriptor);
}

void CBmFontReader::ReadFontData(CFontData& font, const CCharFilter& filter) {
    g_pPgCtrl->SetStatus(kLoadingFnt);
    g_pPgCtrl->ResetProgress();
    font.glyphImageFormat.Set(m_settings.format);
    if (!m_descriptor) {
        m_descriptor = LoadBmFontDescriptor(m_settings.descriptorPath);
    }
    // Let go at the end of the read, like the pictures.
    const BmFontDescriptor descriptor = std::move(*m_descriptor);
    m_descriptor.reset();
    const BmFontCommon& common = *descriptor.common;
    const std::vector<bool> used = CheckPages(descriptor);

    const auto base = static_cast<int32_t>(common.base);
    font.lineFeed.Set(static_cast<int32_t>(common.lineHeight));
    font.ascent.Set(base);
    font.descent.Set(static_cast<int32_t>(common.lineHeight) - base);
    font.ascentDescentFromSource = true;
    if (descriptor.kerningPairs > 0) {
        ReportWarning(g_pPgCtrl, kKerningWarning,
                      {m_settings.descriptorPath, descriptor.kerningPairs});
    }

    // The characters to read, by page; the others are left out here, each once.
    std::vector<std::vector<const BmFontChar*>> byPage(used.size());
    for (const int64_t id : descriptor.beyondIds) {
        ReportWarning(g_pPgCtrl, kNotUnicodeWarning, {id});
    }
    for (const BmFontChar& ch : descriptor.chars) {
        if (!filter.IsExcluded(static_cast<uint16_t>(ch.id))) {
            byPage[static_cast<std::size_t>(ch.page)].push_back(&ch);
        }
    }

    // Rectangles that do not overlap take no more pixels than the pages they lie on; more can
    // only come from rectangles laid over each other, a file that costs far more than it holds.
    int64_t pagePixels = 0;
    for (const bool pageUsed : used) {
        pagePixels += pageUsed ? PagePixels(common) : 0;
    }
    int64_t budget = pagePixels;
    g_pPgCtrl->SetProgressRange(static_cast<int>(descriptor.chars.size()));
    const std::vector<std::u16string> files = PageFiles(descriptor);
    for (std::size_t id = 0; id < byPage.size(); ++id) {
        if (byPage[id].empty()) {
            continue;
        }
        const std::u16string path = PagePath(m_settings.descriptorPath, files[id]);
        const std::unique_ptr<IImage> page = LoadPicture(path);
        if (page->GetWidth() != common.scaleW || page->GetHeight() != common.scaleH) {
            TL_THROW(kErrInputValue, kPageSize, path, page->GetWidth(), page->GetHeight(),
                     common.scaleW, common.scaleH);
        }
        for (const BmFontChar* ch : byPage[id]) {
            g_pPgCtrl->StepProgress(1);
            budget -= ch->width * ch->height;
            if (budget < 0) {
                TL_THROW(kErrInputValue, kCharsTooLarge, m_settings.descriptorPath, pagePixels);
            }
            font.AddGlyph(
                CutBmFontGlyph(*page, *ch, CoverageOf(common, *ch), m_settings.format, base),
                static_cast<uint16_t>(ch->id));
        }
    }
}
