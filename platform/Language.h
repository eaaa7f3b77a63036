#pragma once

#include <string>
#include <vector>

// The user's language, and the optional library of translated messages.

// The locale name the user chose: the first non-empty of LC_ALL, LC_MESSAGES and LANG (empty
// when none is set). The runtime's own locale is not asked: it is often not installed.
std::u16string UserLocaleName();

// The Windows-style language identifier of a locale name such as "ja_JP.UTF-8" (1041):
// codeset and modifier are dropped, then the name is looked up, then its language alone;
// anything unknown, "C" and "POSIX" give 1033 (English, United States).
int LanguageIdOfLocale(const std::u16string& localeName);
inline int UserLanguageId() {
    return LanguageIdOfLocale(UserLocaleName());
}

// "<folder><language id>/typeloom_langRes.so" from the first of the folders that has one, loaded
// for the life of the object. Its `LangResString(number)` is asked first for every message; a
// missing library, or one without that function, is no error: our own texts are used.
class CLanguageLibrary {
public:
    CLanguageLibrary(const std::vector<std::u16string>& folders, int languageId);
    CLanguageLibrary(const CLanguageLibrary&) = delete;
    CLanguageLibrary& operator=(const CLanguageLibrary&) = delete;
    ~CLanguageLibrary();

    bool IsLoaded() const { return m_handle != nullptr; }

private:
    bool Load(const std::u16string& folder, int languageId);

    void* m_handle = nullptr;
};
