#include "base/ResString.h"

#include <gtest/gtest.h>

#include <string>

#include "core/PgCtrl.h"
#include "support/TestSupport.h"

namespace {

const char16_t* PartialTranslation(int number) {
    static const std::u16string kLong(1500, u'z');
    switch (number) {
        case 207:
            return u"Option inconnue (%s).";
        case 132:
            return u"";  // an empty entry counts as absent
        case 131:
            return kLong.c_str();
        default:
            return nullptr;
    }
}

// Installs a lookup for one test and removes it again.
class ScopedLookup {
public:
    explicit ScopedLookup(LanguageLookup lookup) { SetLanguageLookup(lookup); }
    ~ScopedLookup() { SetLanguageLookup(nullptr); }
};

TEST(ResStringTest, LanguageLibraryFallsBackPerNumber) {
    const ScopedLookup lookup(PartialTranslation);
    EXPECT_EQ(FormatResString(207, {u"x"}), u"Option inconnue (x).");
    EXPECT_EQ(LoadResString(208), u"Invalid character string encoding (%s).");
    EXPECT_EQ(LoadResString(132), u"File was not specified.");
    EXPECT_EQ(LoadResString(131).size(), 1023u);
}

}  // namespace
