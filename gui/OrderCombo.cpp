#include "gui/OrderCombo.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QSignalBlocker>

#include "base/GlobalException.h"
#include "gui/FieldRow.h"
#include "gui/MessageText.h"
#include "gui/SettingsFile.h"

namespace {
constexpr int kPathRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;

// Files added by the user, shared by every list of the kind.
const char* AddedFilesSection(COrderCombo::Kind kind) {
    return kind == COrderCombo::Kind::kLetterOrder ? "OrderFiles" : "GroupFiles";
}
}  // namespace

COrderCombo::COrderCombo(CSettingsFile& settings, Kind kind, const char* section, const char* key,
                         std::u16string defaultName, QWidget* parent)
    : QComboBox(parent),
      m_settings(settings),
      m_kind(kind),
      m_section(section),
      m_key(key),
      m_defaultName(std::move(defaultName)),
      m_label(kind == Kind::kLetterOrder ? tr("&Letter order:") : tr("&Group Set:"), parent),
      m_browse(tr("Browse..."), parent),
      m_added(settings, AddedFilesSection(kind)) {
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(24);
    m_label.setBuddy(this);
    m_browse.setToolTip(m_kind == Kind::kLetterOrder ? tr("Add a letter order file to the list")
                                                     : tr("Add a glyph groups file to the list"));
    connect(this, &QComboBox::currentIndexChanged, [this](int index) {
        if (index >= 0) {
            m_settings.SetString(m_section, m_key,
                                 itemData(index, kNameRole).toString().toStdU16String());
        }
    });
    connect(&m_browse, &QPushButton::clicked, this, &COrderCombo::Browse);
}

void COrderCombo::Place(QGridLayout& grid, int row, int span) {
    AddFieldRow(grid, row, m_label, *this, span, &m_browse);
}

void COrderCombo::SetFiles(const std::vector<XmlFileInfo>& files) {
    const QSignalBlocker quiet(this);
    clear();
    if (!m_leadingItem.isEmpty()) {
        addItem(m_leadingItem);
        setItemData(0, QString(), kNameRole);
    }
    for (const XmlFileInfo& file : files) {
        AddItem(file, QString::fromStdU16String(file.fileName));
    }
    m_scannedCount = count();
    m_added.Load();
    ListAddedFiles();
    const QString stored =
        QString::fromStdU16String(m_settings.GetString(m_section, m_key, m_defaultName));
    setCurrentIndex(findData(stored, kNameRole));
    m_filled = true;
}

void COrderCombo::AddItem(const XmlFileInfo& file, const QString& storedName) {
    const QString name = QString::fromStdU16String(file.fileName);
    const QString title = QString::fromStdU16String(file.title).trimmed();
    addItem(title.isEmpty() ? name : title + QStringLiteral(" (") + name + QLatin1Char(')'));
    const int index = count() - 1;
    setItemData(index, QString::fromStdU16String(file.path), kPathRole);
    setItemData(index, storedName, kNameRole);
    setItemData(index, QString::fromStdU16String(file.comment).trimmed(), Qt::ToolTipRole);
}

void COrderCombo::ListAddedFiles() {
    while (count() > m_scannedCount) {
        removeItem(count() - 1);
    }
    CVsxXmlFile reader;
    for (const std::u16string& path : m_added.Entries()) {
        const QString shown = QString::fromStdU16String(path);
        if (findData(shown, kPathRole) >= 0) {
            continue;
        }
        XmlFileInfo file;
        try {
            reader.Load(file, path);
        } catch (const CGeneralException&) {
            continue;  // gone or changed since it was added: not offered, still remembered
        }
        AddItem(file, shown);
    }
}

void COrderCombo::AddFile(const std::u16string& path) {
    XmlFileInfo file;
    CVsxXmlFile().Load(file, path);
    m_added.Add(path);
    if (!m_filled) {
        m_settings.SetString(m_section, m_key, path);  // selected once the scan has reported
        return;
    }
    {
        const QSignalBlocker quiet(this);
        const QString selected = itemData(currentIndex(), kPathRole).toString();
        ListAddedFiles();
        setCurrentIndex(findData(selected, kPathRole));
    }
    setCurrentIndex(findData(QString::fromStdU16String(path), kPathRole));
}

void COrderCombo::showPopup() {
    CRecentList stored(m_settings, AddedFilesSection(m_kind));
    stored.Load();
    if (m_filled && stored.Entries() != m_added.Entries()) {
        const QSignalBlocker quiet(this);
        const QString selected = itemData(currentIndex(), kPathRole).toString();
        m_added.Load();
        ListAddedFiles();
        setCurrentIndex(findData(selected, kPathRole));
    }
    QComboBox::showPopup();
}

void COrderCombo::Browse() {
    const QString filter = m_kind == Kind::kLetterOrder
                               ? tr("Letter Order (*.xlor);;all files (*)")
                               : tr("Glyph Groups (*.xggp);;all files (*)");
    const QString path = QFileDialog::getOpenFileName(
        window(), tr("Select File"), itemData(currentIndex(), kPathRole).toString(), filter);
    if (path.isEmpty()) {
        return;
    }
    try {
        AddFile(path.toStdU16String());
    } catch (const CGeneralException& e) {
        QMessageBox::critical(window(), MessageText(100), QString::fromStdU16String(e.What()));
    }
}

std::u16string COrderCombo::SelectedPath() const {
    const int index = currentIndex();
    return index < 0 ? std::u16string() : itemData(index, kPathRole).toString().toStdU16String();
}
