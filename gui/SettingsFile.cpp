#include "gui/SettingsFile.h"

#define SI_CONVERT_ICU
#include <SimpleIni.h>

#include <QStandardPaths>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "base/GlobalException.h"
#include "base/Text.h"
#include "gui/ControlText.h"
#include "gui/IniEscape.h"
#include "platform/BinaryFile.h"

struct CSettingsFile::Store {
    CSimpleIniA ini;
};

CSettingsFile::CSettingsFile(std::u16string path)
    : m_path(std::move(path)), m_store(std::make_unique<Store>()) {
    m_store->ini.SetUnicode(false);  // no byte order mark: the values are plain ASCII
    m_store->ini.SetSpaces(false);   // key=value
    const std::filesystem::path file(Utf16ToUtf8(m_path));
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    m_store->ini.LoadFile(file.c_str());  // a missing or unreadable file means all defaults
}

CSettingsFile::~CSettingsFile() = default;

std::u16string CSettingsFile::DefaultPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return (folder + QStringLiteral("/vela_typeloom/vela_typeloom.ini")).toStdU16String();
}

bool CSettingsFile::HasKey(const char* section, const char* key) const {
    return m_store->ini.GetValue(section, key) != nullptr;
}

int32_t CSettingsFile::GetInt(const char* section, const char* key, int32_t defaultValue) const {
    const char* value = m_store->ini.GetValue(section, key);
    return value ? NumberFromText(Utf8ToUtf16(value)) : defaultValue;
}

bool CSettingsFile::GetBool(const char* section, const char* key, bool defaultValue) const {
    return GetInt(section, key, defaultValue ? 1 : 0) > 0;
}

std::u16string CSettingsFile::GetString(const char* section, const char* key,
                                        const std::u16string& defaultValue) const {
    const char* value = m_store->ini.GetValue(section, key);
    return value ? UnescapeIniString(Utf8ToUtf16(value)) : defaultValue;
}

void CSettingsFile::SetInt(const char* section, const char* key, int32_t value) {
    m_store->ini.SetValue(section, key, std::to_string(value).c_str());
    Save();
}

void CSettingsFile::SetBool(const char* section, const char* key, bool value) {
    SetInt(section, key, value ? 1 : 0);
}

void CSettingsFile::SetString(const char* section, const char* key, const std::u16string& value) {
    m_store->ini.SetValue(section, key, Utf16ToUtf8(EscapeIniString(value)).c_str());
    Save();
}

void CSettingsFile::DeleteSection(const char* section) {
    m_store->ini.Delete(section, nullptr);
    Save();
}

void CSettingsFile::Save() {
    if (m_batchDepth > 0) {
        return;
    }
    std::string text;
    if (m_store->ini.Save(text) < 0) {
        return;
    }
    // Settings are a convenience: a folder that cannot be written must not stop a conversion,
    // so a failed save keeps the values in memory and the old file untouched.
    try {
        CBinaryFile file(m_path);
        file.Open(CBinaryFile::Access::kWrite);
        file.Write(std::vector<uint8_t>(text.begin(), text.end()));
        file.Close();
    } catch (const CGeneralException&) {
    }
}
