#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "support/TestSupport.h"

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace gui_testing {

// Points XDG_CONFIG_HOME at a fresh folder for the life of the object, so every test starts
// with no settings file.
class ScopedConfigHome {
public:
    ScopedConfigHome() { setenv("XDG_CONFIG_HOME", m_dir.Path().c_str(), 1); }
    ~ScopedConfigHome() { unsetenv("XDG_CONFIG_HOME"); }
    const std::filesystem::path& Path() const { return m_dir.Path(); }
    std::filesystem::path IniPath() const { return m_dir / "vela_typeloom/vela_typeloom.ini"; }

private:
    testing_support::TempDir m_dir;
};

// Answers every message box that opens while it lives with `button`, and records their texts.
class MessageBoxResponder {
public:
    explicit MessageBoxResponder(QMessageBox::StandardButton button) : m_button(button) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Answer(); });
        m_timer.start(5);
    }
    const std::vector<QString>& Texts() const { return m_texts; }
    const std::vector<QString>& Captions() const { return m_captions; }

private:
    void Answer() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box && box->isVisible()) {
                m_texts.push_back(box->text());
                m_captions.push_back(box->windowTitle());
                if (QAbstractButton* button = box->button(m_button)) {
                    button->click();
                } else {
                    box->reject();
                }
            }
        }
    }

    QMessageBox::StandardButton m_button;
    QTimer m_timer;
    std::vector<QString> m_texts;
    std::vector<QString> m_captions;
};

}  // namespace gui_testing
