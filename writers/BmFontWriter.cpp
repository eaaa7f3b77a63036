#include "writers/BmFontWriter.h"

#include "base/GlobalException.h"
#include "bmfont/BmFontFile.h"
#include "core/FontData.h"
#include "core/PgCtrl.h"
#include "image/PngFile.h"
#include "platform/BinaryFile.h"
#include "platform/FileSystem.h"
#include "writers/BmFontLayout.h"

namespace {

constexpr int kCreatingFnt = 461;
constexpr int kWritingPng = 422;
constexpr int kUnwritableName = 459;

std::u16string StemOf(const std::u16string& path) {
    return fs::SplitPath(path).name;
}

BmFontLayout LayOut(const CFontData& font, const std::u16string& outputPath) {
    g_pPgCtrl->SetStatus(kCreatingFnt);
    g_pPgCtrl->ResetProgress();
    g_pPgCtrl->SetProgressRange(static_cast<int>(font.GetGlyphCount()));
    return LayOutBmFont(font, StemOf(outputPath));
}

}  // namespace

void CBmFontWriter::ValidateSettings() {
    for (const char16_t ch : StemOf(m_settings.outputPath)) {
        if (ch == u'"' || ch < 0x20) {
            TL_THROW(kErrInputValue, kUnwritableName, m_settings.outputPath);
        }
    }
}

void CBmFontWriter::WriteTarget(CFontData& font, const CGlyphOrder&, FontPreview* written) {
    BmFontLayout layout = LayOut(font, m_settings.outputPath);
    g_pPgCtrl->SetStatus(kWritingPng);
    const std::u16string folder = fs::SplitPath(m_settings.outputPath).folder;
    for (std::size_t id = 0; id < layout.pages.size(); ++id) {
        CPngFile(folder + layout.descriptor.pages[id].file).Save(layout.pages[id]);
    }
    const std::vector<uint8_t> bytes = SerializeBmFont(layout.descriptor, m_settings.form);
    CBinaryFile file(m_settings.outputPath);
    file.Open(CBinaryFile::Access::kWrite);
    file.Write(bytes);
    file.Close();
    if (written != nullptr) {
        *written = PreviewOfBmFont(font, std::move(layout));
    }
}

FontPreview CBmFontWriter::PreviewFontData(const CFontData& font, const CGlyphOrder&) {
    return PreviewOfBmFont(font, LayOut(font, m_settings.outputPath));
}
