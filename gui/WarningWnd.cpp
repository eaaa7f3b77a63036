#include "gui/WarningWnd.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QScrollBar>
#include <algorithm>

#include "base/ResString.h"
#include "gui/ScreenPlacement.h"

namespace {
// The summary line follows a stream of warnings this often at most.
constexpr int kSummaryMilliseconds = 200;

QString ForDisplay(std::u16string_view text) {
    QString shown = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    shown.remove(QLatin1Char('\r'));
    return shown;
}
}  // namespace

CWarningWnd::CWarningWnd(CSettingsFile& settings, QWidget* parent)
    : QDialog(parent),
      m_placement(settings, "WarningWindow", QSize(400, 200)),
      m_layout(this),
      m_edit(this),
      m_summary(this),
      m_buttons(QDialogButtonBox::Close, this),
      m_copy(m_buttons.addButton(tr("&Copy"), QDialogButtonBox::ActionRole)) {
    setWindowTitle(tr("typeloom message"));
    setModal(false);
    setSizeGripEnabled(true);
    m_edit.setObjectName(QStringLiteral("messageText"));
    m_summary.setObjectName(QStringLiteral("messageSummary"));
    m_copy->setObjectName(QStringLiteral("messageCopy"));
    m_edit.setReadOnly(true);
    m_edit.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_summary.setText(SummaryText());
    m_layout.addWidget(&m_edit, 1);
    m_layout.addWidget(&m_summary);
    m_layout.addWidget(&m_buttons);
    connect(&m_buttons, &QDialogButtonBox::rejected, this, &CWarningWnd::reject);
    connect(m_copy, &QPushButton::clicked, this, &CWarningWnd::CopyToClipboard);
    m_summaryTimer.setSingleShot(true);
    m_summaryTimer.setInterval(kSummaryMilliseconds);
    connect(&m_summaryTimer, &QTimer::timeout, this, &CWarningWnd::UpdateSummary);
}

void CWarningWnd::AddWarning(const std::u16string& text) {
    if (m_warningCount < kMaxWarnings) {
        m_text += LoadResString(255) + u": " + text + u"\r\n";
    } else if (m_warningCount == kMaxWarnings) {
        m_text += LoadResString(265);
    }
    ++m_warningCount;
    if (m_shown) {
        AppendNewText();
        ScheduleSummary();
    }
}

void CWarningWnd::AddError(const std::u16string& text) {
    m_text += LoadResString(101) + text + u"\r\n";
    if (m_shown) {
        AppendNewText();
        UpdateSummary();
    }
    m_edit.verticalScrollBar()->setValue(m_edit.verticalScrollBar()->maximum());
}

void CWarningWnd::Clear() {
    m_text.clear();
    m_shownLength = 0;
    m_edit.clear();
    UpdateSummary();
}

void CWarningWnd::ResetWarningCount() {
    m_warningCount = 0;
    UpdateSummary();
}

QString CWarningWnd::SummaryText() const {
    const QLocale locale;
    return tr("Warnings: %1, shown: %2")
        .arg(locale.toString(m_warningCount),
             locale.toString(std::min(m_warningCount, kMaxWarnings)));
}

void CWarningWnd::UpdateSummary() {
    m_summaryTimer.stop();
    m_summary.setText(SummaryText());
}

void CWarningWnd::ScheduleSummary() {
    if (!m_summaryTimer.isActive()) {
        m_summaryTimer.start();
    }
}

void CWarningWnd::AppendNewText() {
    if (m_shownLength == m_text.size()) {
        return;  // past the cap a warning changes nothing on screen
    }
    QTextCursor end(m_edit.document());
    end.movePosition(QTextCursor::End);
    end.insertText(ForDisplay(std::u16string_view(m_text).substr(m_shownLength)));
    m_shownLength = m_text.size();
    m_edit.verticalScrollBar()->setValue(m_edit.verticalScrollBar()->maximum());
}

void CWarningWnd::CopyToClipboard() const {
    QGuiApplication::clipboard()->setText(ForDisplay(m_text) + SummaryText() + QLatin1Char('\n'));
}

namespace {
bool CoversButton(const QWidget& owner, const QRect& place) {
    const auto buttons = owner.findChildren<QAbstractButton*>();
    return std::any_of(buttons.begin(), buttons.end(), [&place](const QAbstractButton* button) {
        return button->isVisible() &&
               QRect(button->mapToGlobal(QPoint(0, 0)), button->size()).intersects(place);
    });
}
}  // namespace

QRect CWarningWnd::PlaceFor(const QWidget& owner, const QRect& freeArea) const {
    const QRect stored = m_placement.Stored();
    if (CWindowPlacement::IsUsable(stored) && !CoversButton(owner, FitOnScreen(stored))) {
        return FitOnScreen(stored);
    }
    const QRect frame = owner.frameGeometry();
    // This window's frame is taken to be as thick as the owner's.
    const QSize border = frame.size() - owner.size();
    const QSize outer = stored.size() + border;
    const auto inside = [&border](const QRect& framed) {
        return QRect(framed.topLeft(), framed.size() - border);
    };
    const QPoint beside[] = {{frame.right() + 1, frame.top()},
                             {frame.left() - outer.width(), frame.top()},
                             {frame.left(), frame.bottom() + 1},
                             {frame.left(), frame.top() - outer.height()}};
    for (const QPoint& at : beside) {
        const QRect fitted = FitOnScreen(QRect(at, outer));
        if (!fitted.intersects(frame)) {
            return inside(fitted);
        }
    }
    if (!freeArea.isEmpty()) {
        // In the free area's lower right corner, no larger than the area.
        QRect corner(QPoint(), outer.boundedTo(freeArea.size()));
        corner.moveBottomRight(freeArea.bottomRight());
        return inside(FitOnScreen(corner));
    }
    return inside(FitOnScreen(QRect(QPoint(frame.right() + 1, frame.top()), outer)));
}

void CWarningWnd::ShowWindow(QWidget& owner, const QRect& freeArea) {
    m_shown = true;
    AppendNewText();
    UpdateSummary();
    const QRect place = PlaceFor(owner, freeArea);
    m_placing = true;
    resize(place.size());
    move(place.topLeft());
    m_placing = false;
    show();
}

void CWarningWnd::HideWindow() {
    m_shown = false;
    hide();
}

void CWarningWnd::StoreGeometry() {
    if (!m_placing && isVisible()) {
        m_placement.Store(*this);
    }
}

void CWarningWnd::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    StoreGeometry();
}

void CWarningWnd::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);  // the layout fits the text to the window
    StoreGeometry();
}

void CWarningWnd::reject() {
    m_shown = false;
    QDialog::reject();
}
