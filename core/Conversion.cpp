#include "core/Conversion.h"

#include "core/FontReader.h"
#include "core/FontWriter.h"
#include "core/ICharSelection.h"
#include "core/PgCtrl.h"

namespace {
constexpr int kLoadingOrderStatus = 244;
constexpr int kCompleteStatus = 241;
}  // namespace

void CConversion::Run(FontPreview* written) {
    m_reader.ValidateInput();
    m_writer.ValidateInput();
    ReadSettledFont();
    if (written != nullptr) {
        *written = m_writer.WriteAndPreview(m_font, m_characters.Order());
    } else {
        m_writer.WriteFontData(m_font, m_characters.Order());
    }
    g_pPgCtrl->SetStatus(kCompleteStatus);
}

FontPreview CConversion::Preview() {
    m_reader.ValidateInput();
    m_writer.ValidateSettings();
    ReadSettledFont();
    return m_writer.PreviewFontData(m_font, m_characters.Order());
}

void CConversion::ReadSettledFont() {
    g_pPgCtrl->SetStatus(kLoadingOrderStatus);
    m_writer.LoadGlyphOrder(m_characters.Order());
    m_characters.PrepareFilter();
    m_reader.ReadFontData(m_font, m_characters.Filter());
    m_characters.ReportMissing(m_font);
    m_font.ReflectGlyph();
}
