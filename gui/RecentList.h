#pragma once

#include <string>
#include <vector>

class CSettingsFile;

// Up to ten texts, newest first, kept in one settings section as the keys "0" to "9" and
// "HistoryNum" (the section holds nothing else of the list, so it is rewritten whole).
class CRecentList {
public:
    static constexpr int kMaxEntries = 10;

    CRecentList(CSettingsFile& settings, const char* section)
        : m_settings(settings), m_section(section) {}

    // The entries stored in the section; empty ones are skipped.
    void Load();
    // Moves `entry` to the front (dropping the oldest past ten) and stores the list.
    void Add(const std::u16string& entry);
    // An entry held in front without being stored; the next Add stores it with the rest.
    void Offer(std::u16string entry) { m_entries.push_back(std::move(entry)); }
    const std::vector<std::u16string>& Entries() const { return m_entries; }
    const char* Section() const { return m_section; }

private:
    void Save();

    CSettingsFile& m_settings;
    const char* m_section;
    std::vector<std::u16string> m_entries;
};
