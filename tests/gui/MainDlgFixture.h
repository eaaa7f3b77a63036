#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
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
