#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <memory>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "base/GlobalException.h"
#include "base/ResString.h"
#include "gui/MainDlg.h"
#include "gui/SettingsFile.h"

namespace gui_testing {

// A main dialog on fresh settings, with the build's "xlor" and "xggp" folders, and its lists
// taken in before the test goes on.
class MainDlgFixture : public ::testing::Test {
protected:
    void Open(std::vector<std::u16string> dataFolders = {
                  testing_support::BinaryDir().u16string()}) {
        settings = std::make_unique<CSettingsFile>(CSettingsFile::DefaultPath());
        dialog = std::make_unique<CMainDlg>(*settings, std::move(dataFolders));
        QElapsedTimer clock;
        clock.start();
        while (!dialog->FileListsTaken() && clock.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        ASSERT_TRUE(dialog->FileListsTaken());
    }
    // Closes the program and starts it again on the same settings file.
    void Restart() {
        dialog.reset();
        settings.reset();
        Open();
    }
    template <typename T>
    T& Child(const char* name = nullptr) {
        T* child =
            name ? dialog->findChild<T*>(QString::fromLatin1(name)) : dialog->findChild<T*>();
        if (child == nullptr) {
            ADD_FAILURE() << "no child " << (name ? name : "of that type");
            throw std::runtime_error("missing child");
        }
        return *child;
    }
    QString Status() { return Child<QLabel>("status").text(); }
    // Settings that unfold every option, enable every field (an alpha gradation with outline
    // and shadow chosen) and show the preview, for the next Open().
    void WriteUnfoldedSettings() {
        std::filesystem::create_directories(home.IniPath().parent_path());
        testing_support::WriteFileText(
            home.IniPath(),
            "[Main]\nShowOption=1\nShowPreview=1\n[InWin]\nShowOption=1\n"
            "bpp=IA4\nOutline=1\nShadow=1\n");
    }
    QComboBox& Combo(const char* name) { return Child<QComboBox>(name); }
    QCheckBox& Check(const char* name) { return Child<QCheckBox>(name); }
    QLineEdit& Edit(const char* name) { return Child<QLineEdit>(name); }
    QTabWidget& Tabs(const char* name) { return Child<QTabWidget>(name); }
    // Selects the item of a letter order or glyph groups list whose text holds `fileName`.
    void SelectOrder(const char* combo, const QString& fileName) {
        QComboBox& order = Combo(combo);
        for (int i = 0; i < order.count(); ++i) {
            if (order.itemText(i).contains(fileName)) {
                order.setCurrentIndex(i);
                return;
            }
        }
        ADD_FAILURE() << "no item " << fileName.toStdString();
    }
    // An image font made by the console from an installed face, as an artist would start one.
    static std::string MakeImageFont(const testing_support::TempDir& dir) {
        using testing_support::ShellQuote;
        const std::string image = (dir / "font.bmp").string();
        // Only the picture matters here, so leaks of the font service are not this test's.
        const auto result = testing_support::RunCommand(
            "ASAN_OPTIONS=detect_leaks=0 " +
            ShellQuote((testing_support::BinaryDir() / "vela_typeloomc").string()) +
            " -i win -in 'DejaVu Sans' -is 16 -ic I4 -o image -of " + ShellQuote(image) + " -oo " +
            ShellQuote((testing_support::BinaryDir() / "xlor/ascii.xlor").string()));
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return image;
    }

    ScopedConfigHome home;
    std::unique_ptr<CSettingsFile> settings;
    std::unique_ptr<CMainDlg> dialog;
};

// Runs `action`, which must throw our error with this category and message text (the last line
// of the exception's text).
template <typename Action>
void ExpectError(Action&& action, int32_t category, const std::u16string& message) {
    try {
        action();
        ADD_FAILURE() << "nothing thrown";
    } catch (const CGeneralException& e) {
        EXPECT_EQ(e.GetCategory(), category);
        const std::u16string& text = e.What();
        const std::u16string last = text.substr(text.find(u'\n') + 1);
        EXPECT_EQ(QString::fromStdU16String(last), QString::fromStdU16String(message));
    }
}

inline QString Message(int number) {
    return QString::fromStdU16String(LoadResString(number));
}

}  // namespace gui_testing
