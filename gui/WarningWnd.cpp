#include "gui/WarningWnd.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>

#include "core/ResString.h"
#include "gui/SettingsFile.h"

namespace {
constexpr const char* kSection = "WarningWindow";

QString ForDisplay(const std::u16string& text) {
    QString shown = QString::fromStdU16String(text);
    shown.remove(QLatin1Char('\r'));
    return shown;
}
}  // namespace

CWarningWnd::CWarningWnd(CSettingsFile& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_layout(this), m_edit(this) {
    setWindowTitle(QStringLiteral("typeloom message"));
    setModal(false);
    setSizeGripEnabled(true);
    m_edit.setReadOnly(true);
    m_edit.setLineWrapMode(QPlainTextEdit::NoWrap);
    m_layout.setContentsMargins(0, 0, 0, 0);
    m_layout.addWidget(&m_edit);
}

void CWarningWnd::AddWarning(const std::u16string& text) {
    if (m_warningCount < kMaxWarnings) {
        m_text += LoadResString(255) + u": " + text + u"\r\n";
    } else if (m_warningCount == kMaxWarnings) {
        m_text += LoadResString(265);
    }
    ++m_warningCount;
    if (m_shown) {
        Refresh();
    }
}

void CWarningWnd::AddError(const std::u16string& text) {
    m_text += LoadResString(101) + text + u"\r\n";
    if (m_shown) {
        Refresh();
    }
    m_edit.verticalScrollBar()->setValue(m_edit.verticalScrollBar()->maximum());
}

void CWarningWnd::Refresh() {
    m_edit.setPlainText(ForDisplay(m_text));
    m_edit.verticalScrollBar()->setValue(m_edit.verticalScrollBar()->maximum());
}

void CWarningWnd::ShowWindow(QWidget& owner) {
    m_shown = true;
    Refresh();
    const int x = m_settings.GetInt(kSection, "x", -1);
    const int y = m_settings.GetInt(kSection, "y", -1);
    const int w = m_settings.GetInt(kSection, "w", 400);
    const int h = m_settings.GetInt(kSection, "h", 200);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableVirtualGeometry() : QRect();
    const bool placed =
        (x >= 0 || y >= 0) && x < area.x() + area.width() && y < area.y() + area.height();
    m_placing = true;
    resize(w, h);
    if (placed) {
        move(x, y);
    } else {
        const QRect ownerFrame = owner.frameGeometry();
        move(ownerFrame.right() + 1, ownerFrame.top());
    }
    m_placing = false;
    show();
}

void CWarningWnd::HideWindow() {
    m_shown = false;
    hide();
}

void CWarningWnd::StoreGeometry() {
    if (m_placing || !isVisible()) {
        return;
    }
    m_settings.SetInt(kSection, "x", pos().x());
    m_settings.SetInt(kSection, "y", pos().y());
    m_settings.SetInt(kSection, "w", width());
    m_settings.SetInt(kSection, "h", height());
}

void CWarningWnd::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    StoreGeometry();
}

void CWarningWnd::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);  // the layout fits the text to the whole window
    StoreGeometry();
}

void CWarningWnd::reject() {
    m_shown = false;
    QDialog::reject();
}
