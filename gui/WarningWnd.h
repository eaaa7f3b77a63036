#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdint>
#include <string>

#include "gui/WindowPlacement.h"

// The modeless message window: the warnings of a conversion (the first 100 of them, then one
// line saying the rest are left out) and the error that ended it, with a summary line of how
// many warnings came and how many are shown. It remembers its place and size in the settings
// (section "WarningWindow").
//
// A run may raise thousands of warnings. Each one costs a few appended characters at most:
// only new text is laid out, nothing once the cap is reached, and the summary line is
// redrawn at most a few times a second.
class CWarningWnd : public QDialog {
    Q_OBJECT

public:
    static constexpr int32_t kMaxWarnings = 100;

    CWarningWnd(CSettingsFile& settings, QWidget* parent);

    void AddWarning(const std::u16string& text);
    void AddError(const std::u16string& text);
    // Empties the text and the window at once, so nothing of an earlier run stays in view.
    void Clear();
    void ResetWarningCount();
    bool HasText() const { return !m_text.empty(); }
    const std::u16string& Text() const { return m_text; }
    int32_t WarningCount() const { return m_warningCount; }
    // "Warnings: 5,012, shown: 100".
    QString SummaryText() const;
    // Brings the summary line up to date now rather than at its next timed redraw.
    void UpdateSummary();

    // Opens the window wholly on a screen, where it covers no button of `owner`: at its stored
    // place when that is so; else beside `owner` (right, left, below, above), and where the
    // screen has no room beside it, over `freeArea` (global coordinates; a part of `owner`
    // without buttons), or at last at the right edge of `owner`.
    void ShowWindow(QWidget& owner, const QRect& freeArea = QRect());
    void HideWindow();
    bool IsShown() const { return m_shown; }
    // Closed by the user (its close box, the Close button or Escape).
    void reject() override;

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Appends the text not yet in the edit control and keeps its end in view.
    void AppendNewText();
    void ScheduleSummary();
    void CopyToClipboard() const;
    void StoreGeometry();
    QRect PlaceFor(const QWidget& owner, const QRect& freeArea) const;

    CWindowPlacement m_placement;
    std::u16string m_text;
    std::size_t m_shownLength = 0;  // how much of m_text the edit control holds
    bool m_shown = false;
    bool m_placing = false;
    int32_t m_warningCount = 0;
    QVBoxLayout m_layout;
    QPlainTextEdit m_edit;
    QLabel m_summary;
    QDialogButtonBox m_buttons;
    QPushButton* m_copy;
    QTimer m_summaryTimer;
};
