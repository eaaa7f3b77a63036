#include <gtest/gtest.h>

#include <QDialog>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <string>

#include "GuiTestSupport.h"
#include "base/ResString.h"
#include "gui/SettingsFile.h"
#include "gui/WarningWnd.h"

namespace {

using gui_testing::ScopedConfigHome;

int CountOf(const std::u16string& text, std::u16string_view part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::u16string::npos;
         at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

class WarningWndTest : public ::testing::Test {
protected:
    ScopedConfigHome home;
    CSettingsFile settings{CSettingsFile::DefaultPath()};
    QDialog owner;
};

TEST_F(WarningWndTest, KeepsTheFirstHundredWarningsAndCountsAll) {
    CWarningWnd window(settings, &owner);
    for (int i = 0; i < 150; ++i) {
        window.AddWarning(u"w" + std::u16string(1, char16_t(u'0' + i % 10)));
    }
    EXPECT_EQ(window.WarningCount(), 150);
    EXPECT_EQ(CountOf(window.Text(), u"Warning: w"), 100);
    EXPECT_EQ(CountOf(window.Text(), u"\r\n"), 101);
    EXPECT_EQ(CountOf(window.Text(), LoadResString(265)), 1);
    EXPECT_TRUE(window.Text().ends_with(
        u"Warning: w9\r\n=== Number of warnings exceeded the max. No more warnings will be "
        u"displayed. ===\r\n"));

    window.AddError(u"Input value error: (F@f.cpp:1)\nbad");
    EXPECT_TRUE(window.Text().ends_with(
        u"displayed. ===\r\n---------------------- Error -------------------------------- "
        u"\r\nInput value error: (F@f.cpp:1)\nbad\r\n"));
}

TEST_F(WarningWndTest, ShowsTheTextAndFollowsItsEnd) {
    CWarningWnd window(settings, &owner);
    window.AddWarning(u"first");
    window.ShowWindow(owner);
    EXPECT_TRUE(window.IsShown());
    auto* edit = window.findChild<QPlainTextEdit*>();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("Warning: first\n"));
    for (int i = 0; i < 50; ++i) {
        window.AddWarning(u"more");
    }
    window.AddError(u"the end");
    EXPECT_TRUE(edit->toPlainText().endsWith(QStringLiteral("the end\n")));
    window.reject();  // closed by the user
    EXPECT_FALSE(window.IsShown());
    window.Clear();
    EXPECT_FALSE(window.HasText());
}

TEST_F(WarningWndTest, PlacesItselfFromTheSettings) {
    owner.setGeometry(50, 60, 300, 200);
    owner.show();
    const QRect screen = QGuiApplication::primaryScreen()->availableVirtualGeometry();
    {
        // Never placed: at the owner's right edge, default size.
        CWarningWnd window(settings, &owner);
        window.ShowWindow(owner);
        EXPECT_EQ(window.pos(),
                  QPoint(owner.frameGeometry().right() + 1, owner.frameGeometry().top()));
        EXPECT_EQ(window.size(), QSize(400, 200));
        // A move by the user is stored.
        window.move(120, 130);
        window.resize(420, 230);
        EXPECT_EQ(settings.GetInt("WarningWindow", "x", -1), 120);
        EXPECT_EQ(settings.GetInt("WarningWindow", "y", -1), 130);
        EXPECT_EQ(settings.GetInt("WarningWindow", "w", 0), 420);
        EXPECT_EQ(settings.GetInt("WarningWindow", "h", 0), 230);
    }
    {
        CWarningWnd window(settings, &owner);
        window.ShowWindow(owner);
        EXPECT_EQ(window.pos(), QPoint(120, 130));
        EXPECT_EQ(window.size(), QSize(420, 230));
    }
    {
        // Last placed on a screen that is gone: back at the owner's edge, the stored size kept.
        settings.SetInt("WarningWindow", "x", screen.x() + screen.width() + 10);
        CWarningWnd window(settings, &owner);
        window.ShowWindow(owner);
        EXPECT_EQ(window.pos(),
                  QPoint(owner.frameGeometry().right() + 1, owner.frameGeometry().top()));
        EXPECT_EQ(window.size(), QSize(420, 230));
    }
}

}  // namespace
