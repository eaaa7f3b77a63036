#include "gui/RecentList.h"

#include <algorithm>
#include <string>

#include "gui/SettingsFile.h"

void CRecentList::Load() {
    m_entries.clear();
    for (int i = 0; i < kMaxEntries; ++i) {
        std::u16string entry = m_settings.GetString(m_section, std::to_string(i).c_str(), u"");
        if (!entry.empty()) {
            m_entries.push_back(std::move(entry));
        }
    }
}

void CRecentList::Add(const std::u16string& entry) {
    std::erase(m_entries, entry);
    m_entries.insert(m_entries.begin(), entry);
    if (m_entries.size() > static_cast<std::size_t>(kMaxEntries)) {
        m_entries.resize(kMaxEntries);
    }
    Save();
}

void CRecentList::Save() {
    const CSettingsFile::Batch once(m_settings);
    m_settings.DeleteSection(m_section);
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        m_settings.SetString(m_section, std::to_string(i).c_str(), m_entries[i]);
    }
    m_settings.SetInt(m_section, "HistoryNum", kMaxEntries);
}
