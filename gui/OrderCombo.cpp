#include "gui/OrderCombo.h"

#include <QSignalBlocker>

#include "gui/SettingsFile.h"

namespace {
constexpr int kPathRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;
}  // namespace

COrderCombo::COrderCombo(CSettingsFile& settings, const char* section, const char* key,
                         std::u16string defaultName, QWidget* parent)
    : QComboBox(parent),
      m_settings(settings),
      m_section(section),
      m_key(key),
      m_defaultName(std::move(defaultName)) {
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(24);
    connect(this, &QComboBox::currentIndexChanged, [this](int index) {
        if (index >= 0) {
            m_settings.SetString(m_section, m_key,
                                 itemData(index, kNameRole).toString().toStdU16String());
        }
    });
}

void COrderCombo::SetFiles(const std::vector<XmlFileInfo>& files) {
    const QSignalBlocker quiet(this);
    clear();
    if (!m_leadingItem.isEmpty()) {
        addItem(m_leadingItem);
        setItemData(0, QString(), kNameRole);
    }
    for (const XmlFileInfo& file : files) {
        const QString name = QString::fromStdU16String(file.fileName);
        const QString title = QString::fromStdU16String(file.title).trimmed();
        addItem(title.isEmpty() ? name : title + QStringLiteral(" (") + name + QLatin1Char(')'));
        const int index = count() - 1;
        setItemData(index, QString::fromStdU16String(file.path), kPathRole);
        setItemData(index, name, kNameRole);
        setItemData(index, QString::fromStdU16String(file.comment).trimmed(), Qt::ToolTipRole);
    }
    const QString stored =
        QString::fromStdU16String(m_settings.GetString(m_section, m_key, m_defaultName));
    setCurrentIndex(findData(stored, kNameRole));
    m_filled = true;
}

std::u16string COrderCombo::SelectedPath() const {
    const int index = currentIndex();
    return index < 0 ? std::u16string() : itemData(index, kPathRole).toString().toStdU16String();
}
