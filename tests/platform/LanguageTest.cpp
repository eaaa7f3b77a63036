#include "platform/Language.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "base/MessageTable.h"
#include "base/ResString.h"
#include "support/TestSupport.h"

namespace {

// Beside the names LcAllBeatsLcMessagesBeatsLang uses.
TEST(LanguageTest, LocaleNamesMapToLanguageIds) {
    const std::vector<std::pair<std::u16string, int>> cases = {
        {u"ja_JP.eucJP", 1041},  {u"ja", 1041},         {u"en_US.UTF-8", 1033},
        {u"en_GB", 2057},        {u"en_AU", 1033},      {u"de_DE@euro", 1031},
        {u"zh_CN.GB2312", 2052}, {u"zh_TW.Big5", 1028}, {u"C", 1033},
        {u"POSIX", 1033},        {u"C.UTF-8", 1033},    {u"", 1033},
        {u"xx_YY", 1033},        {u"jpn", 1033},
    };
    for (const auto& [name, id] : cases) {
        EXPECT_EQ(LanguageIdOfLocale(name), id) << std::string(name.begin(), name.end());
    }
}

TEST(LanguageTest, LcAllBeatsLcMessagesBeatsLang) {
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::optional<std::string>> saved;
    for (const char* name : names) {
        saved.push_back(std::getenv(name) ? std::optional<std::string>(std::getenv(name))
                                          : std::nullopt);
    }
    const auto set = [&](std::vector<std::optional<std::string>> values) {
        for (std::size_t i = 0; i < 3; ++i) {
            values[i] ? ::setenv(names[i], values[i]->c_str(), 1) : ::unsetenv(names[i]);
        }
    };
    set({std::nullopt, std::nullopt, "ja_JP.UTF-8"});
    EXPECT_EQ(UserLocaleName(), u"ja_JP.UTF-8");
    EXPECT_EQ(UserLanguageId(), 1041);
    set({std::nullopt, "de_DE.UTF-8", "ja_JP.UTF-8"});
    EXPECT_EQ(UserLanguageId(), 1031);
    set({"fr_FR", "de_DE.UTF-8", "ja_JP.UTF-8"});
    EXPECT_EQ(UserLanguageId(), 1036);
    // An empty variable counts as unset.
    set({"", "", "ko_KR"});
    EXPECT_EQ(UserLanguageId(), 1042);
    set({std::nullopt, std::nullopt, std::nullopt});
    EXPECT_EQ(UserLocaleName(), u"");
    EXPECT_EQ(UserLanguageId(), 1033);
    set(saved);
}

TEST(LanguageTest, MissingLibraryIsHarmlessAndKeepsErrno) {
    errno = 0;
    {
        const CLanguageLibrary library({u"/nonexistent/folder/"}, 1041);
        EXPECT_FALSE(library.IsLoaded());
        EXPECT_EQ(errno, 0);
        EXPECT_EQ(LoadResString(207), u"Invalid option (%s).");
    }
    EXPECT_EQ(LoadResString(207), u"Invalid option (%s).");
}

// The printf conversions of a message ("%s", "%04X", ...) in order: a translation that swaps or
// drops one would print the wrong argument or read one that was never passed.
std::vector<std::u16string> Conversions(std::u16string_view text) {
    std::vector<std::u16string> conversions;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'%') {
            continue;
        }
        const std::size_t start = i++;
        while (i < text.size() &&
               std::u16string_view(u"-+ #0123456789.").find(text[i]) != std::u16string_view::npos) {
            ++i;
        }
        if (i < text.size() && text[i] != u'%') {
            conversions.emplace_back(text.substr(start, i - start + 1));
        }
    }
    return conversions;
}

TEST(LanguageTest, JapaneseLibraryTranslatesEveryMessage) {
    const std::string path = (testing_support::BinaryDir() / "1041/typeloom_langRes.so").string();
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    const auto lookup = reinterpret_cast<const char16_t* (*)(int)>(dlsym(library, "LangResString"));
    ASSERT_NE(lookup, nullptr);
    for (int number = 0; number < 1000; ++number) {
        const char16_t* own = FindOwnMessage(number);
        if (own == nullptr) {
            continue;
        }
        const char16_t* translated = lookup(number);
        ASSERT_NE(translated, nullptr) << "message " << number << " has no Japanese text";
        EXPECT_EQ(Conversions(translated), Conversions(own)) << "message " << number;
    }
    dlclose(library);
}

}  // namespace
