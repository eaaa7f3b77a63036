#include "gui/PathHistoryManager.h"

#include <QFileDialog>
#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#include "core/GlobalException.h"
#include "gui/SettingsFile.h"
#include "platform/Text.h"

CPathHistoryManager::CPathHistoryManager(CSettingsFile& settings, const char* section,
                                         QComboBox& combo, QPushButton& browseButton,
                                         QString filter, QString defaultExtension, Mode mode)
    : m_settings(settings),
      m_section(section),
      m_combo(combo),
      m_filter(std::move(filter)),
      m_defaultExtension(std::move(defaultExtension)),
      m_mode(mode) {
    m_combo.setEditable(true);
    m_combo.setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(&browseButton, &QPushButton::clicked, [this] { Browse(); });
    QObject::connect(&m_combo, &QComboBox::editTextChanged, [this] { SavePath(); });
}

void CPathHistoryManager::LoadPathHistory() {
    m_entries.clear();
    for (int i = 0; i < kMaxHistory; ++i) {
        std::u16string path = m_settings.GetString(m_section, std::to_string(i).c_str(), u"");
        if (!path.empty()) {
            m_entries.push_back(std::move(path));
        }
    }
    if (m_entries.empty()) {
        std::error_code ec;
        const std::filesystem::path current = std::filesystem::current_path(ec);
        if (ec) {
            TL_THROW(kErrInternal, 118);
        }
        m_entries.push_back(Utf8ToUtf16(current.string()));
    }
    const QSignalBlocker quiet(m_combo);  // listing the entries is not an edit of the field
    const QString text = m_combo.currentText();
    FillList();
    m_combo.setEditText(text);
}

void CPathHistoryManager::RestorePath() {
    const QSignalBlocker quiet(m_combo);  // the stored text needs no storing again
    m_combo.setEditText(QString::fromStdU16String(m_settings.GetString(m_section, "Path", u"")));
}

void CPathHistoryManager::SavePath() {
    m_settings.SetString(m_section, "Path", Text());
}

void CPathHistoryManager::SetText(const std::u16string& path) {
    {
        const QSignalBlocker quiet(m_combo);  // stored once below, changed or not
        m_combo.setEditText(QString::fromStdU16String(path));
    }
    SavePath();
}

void CPathHistoryManager::AddPath(const std::u16string& path) {
    if (path.empty()) {
        return;  // an empty field is nothing to come back to
    }
    const CSettingsFile::Batch batch(m_settings);
    std::erase(m_entries, path);
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > static_cast<std::size_t>(kMaxHistory)) {
        m_entries.resize(kMaxHistory);
    }
    SaveHistory();
    {
        const QSignalBlocker quiet(m_combo);
        FillList();
        m_combo.setCurrentIndex(0);
    }
    SavePath();
}

void CPathHistoryManager::DropPath(const std::u16string& path) {
    SetText(path);
}

void CPathHistoryManager::Browse() {
    QFileDialog dialog(m_combo.window(), QStringLiteral("Select File"), QString(), m_filter);
    dialog.setAcceptMode(m_mode == Mode::kSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(m_mode == Mode::kSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(m_defaultExtension);
    dialog.setSizeGripEnabled(true);
    const QString current = m_combo.currentText();
    std::error_code ec;
    if (std::filesystem::is_directory(current.toStdString(), ec)) {
        dialog.setDirectory(current);
    } else if (!current.isEmpty()) {
        dialog.selectFile(current);
    }
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        SetText(dialog.selectedFiles().front().toStdU16String());
    }
}

void CPathHistoryManager::SaveHistory() {
    m_settings.DeleteSection(m_section);
    const std::size_t count = std::min<std::size_t>(m_entries.size(), kMaxHistory);
    for (std::size_t i = 0; i < count; ++i) {
        m_settings.SetString(m_section, std::to_string(i).c_str(), m_entries[i]);
    }
    m_settings.SetInt(m_section, "HistoryNum", kMaxHistory);
}

void CPathHistoryManager::FillList() {
    m_combo.clear();
    for (const std::u16string& entry : m_entries) {
        m_combo.addItem(QString::fromStdU16String(entry));
    }
}
