#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <filesystem>
#include <string>

#include "GuiTestSupport.h"
#include "gui/PathHistoryManager.h"
#include "gui/SettingsFile.h"

namespace {

using gui_testing::ScopedConfigHome;

class PathHistoryTest : public ::testing::Test {
protected:
    CPathHistoryManager Make() {
        return CPathHistoryManager(settings, "InBmpPath", combo, button, kImageFileFilter,
                                   QString(), CPathHistoryManager::Mode::kOpen);
    }
    std::string IniText() const {
        const auto bytes = testing_support::ReadFileBytes(home.IniPath());
        return std::string(bytes.begin(), bytes.end());
    }

    ScopedConfigHome home;
    CSettingsFile settings{CSettingsFile::DefaultPath()};
    QComboBox combo;
    QPushButton button;
};

TEST_F(PathHistoryTest, KeepsTheTenNewestOfTwelvePaths) {
    CPathHistoryManager history = Make();
    history.LoadPathHistory();
    for (int i = 1; i <= 12; ++i) {
        history.AddPath(u"/fonts/font" + std::u16string(1, char16_t(u'a' + i - 1)) + u".bmp");
    }
    ASSERT_EQ(history.Entries().size(), 10u);
    EXPECT_EQ(history.Entries().front(), u"/fonts/fontl.bmp");
    EXPECT_EQ(history.Entries().back(), u"/fonts/fontc.bmp");
    EXPECT_EQ(combo.count(), 10);
    EXPECT_EQ(combo.currentText(), QStringLiteral("/fonts/fontl.bmp"));

    const std::string ini = IniText();
    for (int key = 0; key < 10; ++key) {
        const char letter = static_cast<char>('l' - key);
        EXPECT_NE(ini.find("\n" + std::to_string(key) + "=/fonts/font" + letter + ".bmp\n"),
                  std::string::npos)
            << key << "\n"
            << ini;
    }
    EXPECT_EQ(ini.find("\n10="), std::string::npos);
    EXPECT_NE(ini.find("\nHistoryNum=10\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("\nPath=/fonts/fontl.bmp\n"), std::string::npos) << ini;

    // A second field manager on the same section reads the same list back.
    QComboBox other;
    CPathHistoryManager again(settings, "InBmpPath", other, button, kImageFileFilter, QString(),
                              CPathHistoryManager::Mode::kOpen);
    again.LoadPathHistory();
    again.RestorePath();
    EXPECT_EQ(again.Entries(), history.Entries());
    EXPECT_EQ(other.currentText(), QStringLiteral("/fonts/fontl.bmp"));
}

TEST_F(PathHistoryTest, UsingAPathAgainMovesItToTheFront) {
    CPathHistoryManager history = Make();
    history.LoadPathHistory();
    history.AddPath(u"/a.bmp");
    history.AddPath(u"/b.bmp");
    history.AddPath(u"/a.bmp");
    history.AddPath(u"");  // an empty field adds nothing
    // The current folder offered by the empty history stays behind the used paths.
    const std::u16string current = std::filesystem::current_path().u16string();
    EXPECT_EQ(history.Entries(), (std::vector<std::u16string>{u"/a.bmp", u"/b.bmp", current}));
}

TEST_F(PathHistoryTest, EmptyHistoryOffersTheCurrentFolder) {
    CPathHistoryManager history = Make();
    history.LoadPathHistory();
    history.RestorePath();
    ASSERT_EQ(history.Entries().size(), 1u);
    EXPECT_EQ(std::filesystem::path(history.Entries().front()), std::filesystem::current_path());
    EXPECT_EQ(combo.count(), 1);
    EXPECT_EQ(combo.currentText(), QString());  // the field itself stays as it was left
}

TEST_F(PathHistoryTest, SkipsEmptyKeysAndKeepsPathsWithAnyCharacters) {
    settings.SetString("InBmpPath", "0", u"");
    settings.SetString("InBmpPath", "3", u"/home/\u00E9t\u00E9/font one.bmp");
    settings.SetString("InBmpPath", "Path", u"/typed\tpath");
    CPathHistoryManager history = Make();
    history.LoadPathHistory();
    history.RestorePath();
    EXPECT_EQ(history.Entries(),
              (std::vector<std::u16string>{u"/home/\u00E9t\u00E9/font one.bmp"}));
    EXPECT_EQ(history.Text(), u"/typed\tpath");
    history.DropPath(u"/dropped.tga");
    EXPECT_EQ(settings.GetString("InBmpPath", "Path", u""), u"/dropped.tga");
}

}  // namespace
