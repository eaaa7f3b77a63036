#include "gui/InBmFontDlg.h"

#include "gui/CommandLine.h"
#include "gui/FieldRow.h"
#include "gui/SettingBinding.h"
#include "gui/TextureFormatNames.h"

namespace {
constexpr const char* kSection = "InBmFont";
// IA4: BMFont pages carry coverage in alpha, as IA formats keep it.
constexpr int kDefaultFormat = kTexIA4;
}  // namespace

CInBmFontDlg::CInBmFontDlg(CSettingsFile& settings, QWidget* parent)
    : CInDlg(settings, parent),
      m_layout(this),
      m_path(settings, "InBmFontPath", QT_TRANSLATE_NOOP("CPathField", "&Input file:"),
             kBmFontFileFilter, QStringLiteral("fnt"), CPathHistoryManager::Mode::kOpen, this),
      m_formatLabel(tr("&Color format:"), this),
      m_format(this) {
    m_path.Field().setObjectName(QStringLiteral("inBmFontPath"));
    m_format.setObjectName(QStringLiteral("inBmFontFormat"));
    m_formatLabel.setBuddy(&m_format);

    m_path.Place(m_layout, 0, 2);
    AddFieldRow(m_layout, 1, m_formatLabel, m_format, 1);
    m_layout.setColumnStretch(2, 1);
    m_layout.setRowStretch(2, 1);

    for (const char16_t* name : kTextureFormatNames) {
        m_format.addItem(QString::fromStdU16String(name));
    }
    BindSelection(m_format, settings, kSection, "Format", kDefaultFormat);
}

CBmFontReader::Settings CInBmFontDlg::GetReaderArguments() const {
    return {m_path.History().Text(),
            static_cast<TextureFormat>(std::max(m_format.currentIndex(), 0))};
}

std::unique_ptr<CFontReader> CInBmFontDlg::GetFontReader() {
    return std::make_unique<CBmFontReader>(GetReaderArguments());
}

void CInBmFontDlg::AddCommandArguments(CCommandLine& line) const {
    const CBmFontReader::Settings arguments = GetReaderArguments();
    line.Add(u"-i", u"fnt");
    line.AddPath(u"-if", arguments.descriptorPath);
    line.Add(u"-ic", kTextureFormatNames[arguments.format]);
}
