#include "gui/PathHistoryManager.h"

#include <QFileDialog>
#include <filesystem>
#include <string>
#include <system_error>

#include "base/GlobalException.h"
#include "base/Text.h"
#include "gui/SettingsFile.h"

CPathHistoryManager::CPathHistoryManager(CSettingsFile& settings, const char* section,
                                         QComboBox& combo, QPushButton& browseButton,
                                         const char* filter, QString defaultExtension, Mode mode)
    : m_settings(settings),
      m_section(section),
      m_combo(combo),
      m_filter(filter),
      m_defaultExtension(std::move(defaultExtension)),
      m_mode(mode),
      m_recent(settings, section) {
    m_combo.setEditable(true);
    m_combo.setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(&browseButton, &QPushButton::clicked, [this] { Browse(); });
    QObject::connect(&m_combo, &QComboBox::editTextChanged, [this] { SavePath(); });
}

void CPathHistoryManager::LoadPathHistory() {
    m_recent.Load();
    if (m_recent.Entries().empty()) {
        std::error_code ec;
        const std::filesystem::path current = std::filesystem::current_path(ec);
        if (ec) {
            TL_THROW(kErrInternal, 118);
        }
        m_recent.Offer(Utf8ToUtf16(current.string()));
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
    m_recent.Add(path);
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
    QFileDialog dialog(m_combo.window(), tr("Select File"), QString(), tr(m_filter));
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

void CPathHistoryManager::FillList() {
    m_combo.clear();
    for (const std::u16string& entry : m_recent.Entries()) {
        m_combo.addItem(QString::fromStdU16String(entry));
    }
}
