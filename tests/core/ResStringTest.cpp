#include "core/ResString.h"

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

TEST(ResStringTest, OwnTextsExactly) {
    EXPECT_EQ(LoadResString(102), u"Error: %s (GetLastError=%d)\n");
    EXPECT_EQ(LoadResString(185), u"%s : Line %d Row %d \n\n %s\nn");
    EXPECT_EQ(LoadResString(194), u"Unsupported TGA image type(image type=%d)\u3002");
    EXPECT_EQ(LoadResString(220),
              u"\"Use filter\" is checked, but the character filter file path is not specified. ");
    EXPECT_EQ(LoadResString(309), u"XML error");
    EXPECT_EQ(LoadResString(357), u"1024 KPixels (1024x1024 etc.)");
    EXPECT_EQ(LoadResString(227), u"");
    EXPECT_EQ(LoadResString(-1), u"");
}

TEST(ResStringTest, LanguageLibraryFallsBackPerNumber) {
    const ScopedLookup lookup(PartialTranslation);
    EXPECT_EQ(FormatResString(207, {u"x"}), u"Option inconnue (x).");
    EXPECT_EQ(LoadResString(208), u"Invalid character string encoding (%s).");
    EXPECT_EQ(LoadResString(132), u"File was not specified.");
    EXPECT_EQ(LoadResString(131).size(), 1023u);
}

TEST(ResStringTest, WarningsAreFormattedAndHandedOverNotQuiet) {
    testing_support::RecordingPgCtrl progress;
    ReportWarning(&progress, 257, {0x3042, 0x3042});
    ASSERT_EQ(progress.warnings.size(), 1u);
    EXPECT_EQ(progress.warnings[0],
              u"Character ('\u3042': U+3042) cannot be represented in the specified encoding. ");
    ReportWarning(nullptr, 257, {1, 1});
}

}  // namespace
