#include "platform/Language.h"

#include <dlfcn.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "base/ResString.h"
#include "base/Text.h"

namespace {

struct LocaleId {
    std::u16string_view name;
    int id;
};

// Full names first; a language alone stands for its main country.
constexpr std::array<LocaleId, 14> kLocaleIds = {{
    {u"ja_JP", 1041},
    {u"en_US", 1033},
    {u"en_GB", 2057},
    {u"de_DE", 1031},
    {u"fr_FR", 1036},
    {u"ko_KR", 1042},
    {u"zh_CN", 2052},
    {u"zh_TW", 1028},
    {u"ja", 1041},
    {u"en", 1033},
    {u"de", 1031},
    {u"fr", 1036},
    {u"ko", 1042},
    {u"zh", 2052},
}};

constexpr int kDefaultLanguageId = 1033;

int FindLocaleId(std::u16string_view name) {
    for (const auto& row : kLocaleIds) {
        if (row.name == name) {
            return row.id;
        }
    }
    return 0;
}

}  // namespace

std::u16string UserLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return Utf8ToUtf16(value);
        }
    }
    return {};
}

int LanguageIdOfLocale(const std::u16string& localeName) {
    std::u16string_view name = localeName;
    name = name.substr(0, name.find_first_of(u".@"));
    if (const int id = FindLocaleId(name)) {
        return id;
    }
    if (const int id = FindLocaleId(name.substr(0, name.find(u'_')))) {
        return id;
    }
    return kDefaultLanguageId;
}

CLanguageLibrary::CLanguageLibrary(const std::vector<std::u16string>& folders, int languageId) {
    // A missing library is the normal case; it must not show up as the error code of a
    // later, unrelated failure.
    const int savedError = errno;
    for (const std::u16string& folder : folders) {
        if (Load(folder, languageId)) {
            break;
        }
    }
    errno = savedError;
}

bool CLanguageLibrary::Load(const std::u16string& folder, int languageId) {
    const std::string path =
        Utf16ToUtf8(folder) + std::to_string(languageId) + "/typeloom_langRes.so";
    m_handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_handle == nullptr) {
        return false;
    }
    void* symbol = ::dlsym(m_handle, "LangResString");
    if (symbol == nullptr) {
        ::dlclose(m_handle);
        m_handle = nullptr;
        return false;
    }
    SetLanguageLookup(reinterpret_cast<LanguageLookup>(symbol));
    return true;
}

CLanguageLibrary::~CLanguageLibrary() {
    if (m_handle != nullptr) {
        // The lookup must not outlive the code it points into.
        SetLanguageLookup(nullptr);
        ::dlclose(m_handle);
    }
}
