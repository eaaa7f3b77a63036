#include "gui/InImageDlg.h"

#include "base/GlobalException.h"
#include "gui/CommandLine.h"
#include "gui/FieldRow.h"
#include "gui/SettingBinding.h"
#include "gui/TextureFormatNames.h"
#include "readers/ImageFontReader.h"

namespace {
constexpr const char* kSection = "InBmp";

// Only formats with alpha have transparent edges to prepare for linear filtering.
bool FormatHasAlpha(int format) {
    return format == 2 || format == 3 || format == 5 || format == 6;
}
}  // namespace

CInImageDlg::CInImageDlg(CSettingsFile& settings, QWidget* parent)
    : CInDlg(settings, parent),
      m_layout(this),
      m_path(settings, "InBmpPath", QT_TRANSLATE_NOOP("CPathField", "&Image file:"),
             kImageFileFilter, QString(), CPathHistoryManager::Mode::kOpen, this),
      m_order(settings, COrderCombo::Kind::kLetterOrder, kSection, "Order", u"cp1252.xlor", this),
      m_formatLabel(tr("&Color format:"), this),
      m_format(this),
      m_assist(tr("Assist TX_LINEAR"), this) {
    m_path.Field().setObjectName(QStringLiteral("inImagePath"));
    m_order.setObjectName(QStringLiteral("inImageOrder"));
    m_format.setObjectName(QStringLiteral("inImageFormat"));
    m_assist.setObjectName(QStringLiteral("inImageAssist"));
    m_formatLabel.setBuddy(&m_format);

    m_path.Place(m_layout, 0, 2);
    m_order.Place(m_layout, 1, 2);
    AddFieldRow(m_layout, 2, m_formatLabel, m_format, 1);
    m_layout.addWidget(&m_assist, 2, 2, 1, 2);
    m_layout.setColumnStretch(2, 1);
    m_layout.setRowStretch(3, 1);

    for (const char16_t* name : kTextureFormatNames) {
        m_format.addItem(QString::fromStdU16String(name));
    }
    BindSelection(m_format, settings, kSection, "Format", 0);
    BindCheckBox(m_assist, settings, kSection, "AntiLinear", false);
    connect(&m_format, &QComboBox::currentIndexChanged, [this] { UpdateAssistEnabled(); });
    UpdateAssistEnabled();
}

void CInImageDlg::UpdateAssistEnabled() {
    m_assist.setEnabled(FormatHasAlpha(std::max(m_format.currentIndex(), 0)));
}

CImageFontReader::Settings CInImageDlg::GetReaderArguments() const {
    if (!m_order.HasFiles()) {
        TL_THROW(kErrInputValue, 272);
    }
    CImageFontReader::Settings arguments;
    arguments.imagePath = m_path.History().Text();
    arguments.orderPath = m_order.SelectedPath();
    if (arguments.orderPath.empty()) {
        TL_THROW(kErrInputValue, 167);
    }
    arguments.format = static_cast<TextureFormat>(std::max(m_format.currentIndex(), 0));
    arguments.linearAssist = m_assist.isChecked();
    return arguments;
}

std::unique_ptr<CFontReader> CInImageDlg::GetFontReader() {
    return std::make_unique<CImageFontReader>(GetReaderArguments());
}

void CInImageDlg::AddCommandArguments(CCommandLine& line) const {
    const CImageFontReader::Settings arguments = GetReaderArguments();
    line.Add(u"-i", u"image");
    line.AddPath(u"-if", arguments.imagePath);
    line.AddPath(u"-io", arguments.orderPath);
    line.Add(u"-ic", kTextureFormatNames[arguments.format]);
    if (arguments.linearAssist) {
        line.Add(u"-ia");
    }
}
