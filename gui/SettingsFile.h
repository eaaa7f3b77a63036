#pragma once

#include <cstdint>
#include <memory>
#include <string>

// The desktop program's settings: one INI file read once and written back after every change,
// as the pages store each field the moment it changes. String values pass through our own
// escaping (IniEscape.h) and are otherwise kept byte for byte.
class CSettingsFile {
public:
    // Opens (or prepares) the file at `path`, creating missing folders on the way.
    explicit CSettingsFile(std::u16string path);
    ~CSettingsFile();
    CSettingsFile(const CSettingsFile&) = delete;
    CSettingsFile& operator=(const CSettingsFile&) = delete;

    // $XDG_CONFIG_HOME/vela_typeloom/vela_typeloom.ini, or ~/.config/... without the variable.
    static std::u16string DefaultPath();

    const std::u16string& GetPath() const { return m_path; }

    int32_t GetInt(const char* section, const char* key, int32_t defaultValue) const;
    // True when the stored number is above 0.
    bool GetBool(const char* section, const char* key, bool defaultValue) const;
    std::u16string GetString(const char* section, const char* key,
                             const std::u16string& defaultValue) const;
    bool HasKey(const char* section, const char* key) const;

    void SetInt(const char* section, const char* key, int32_t value);
    void SetBool(const char* section, const char* key, bool value);
    void SetString(const char* section, const char* key, const std::u16string& value);
    void DeleteSection(const char* section);

    // Changes made while one lives are written to the file once, when the last one ends.
    class Batch {
    public:
        explicit Batch(CSettingsFile& settings) : m_settings(settings) {
            ++m_settings.m_batchDepth;
        }
        ~Batch() {
            if (--m_settings.m_batchDepth == 0) {
                m_settings.Save();
            }
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        CSettingsFile& m_settings;
    };

private:
    void Save();

    std::u16string m_path;
    struct Store;  // the INI library's object, kept out of this header
    std::unique_ptr<Store> m_store;
    int m_batchDepth = 0;
};
