#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <cstdint>
#include <string>

class CSettingsFile;

// The modeless message window: the warnings of a conversion (the first 100 of them, then one
// line saying the rest are left out) and the error that ended it. It remembers its place and
// size in the settings (section "WarningWindow").
class CWarningWnd : public QDialog {
    Q_OBJECT

public:
    static constexpr int32_t kMaxWarnings = 100;

    CWarningWnd(CSettingsFile& settings, QWidget* parent);

    void AddWarning(const std::u16string& text);
    void AddError(const std::u16string& text);
    void Clear() { m_text.clear(); }
    void ResetWarningCount() { m_warningCount = 0; }
    bool HasText() const { return !m_text.empty(); }
    const std::u16string& Text() const { return m_text; }
    int32_t WarningCount() const { return m_warningCount; }

    // Opens the window at its stored place, or at the right edge of `owner` when that place
    // lies outside the screens now attached.
    void ShowWindow(QWidget& owner);
    void HideWindow();
    bool IsShown() const { return m_shown; }
    // Closed by the user (its close box or Escape).
    void reject() override;

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Refresh();
    void StoreGeometry();

    CSettingsFile& m_settings;
    std::u16string m_text;
    bool m_shown = false;
    bool m_placing = false;
    int32_t m_warningCount = 0;
    QVBoxLayout m_layout;
    QPlainTextEdit m_edit;
};
