#pragma once

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <optional>
#include <string>
#include <vector>

#include "core/PgCtrl.h"
#include "gui/FittingScrollArea.h"
#include "gui/GroupFileList.h"
#include "gui/InBmFontDlg.h"
#include "gui/InImageDlg.h"
#include "gui/InQuillDlg.h"
#include "gui/InWinDlg.h"
#include "gui/OptionsButton.h"
#include "gui/OrderFileList.h"
#include "gui/OutBmFontDlg.h"
#include "gui/OutImageDlg.h"
#include "gui/OutQuillDlg.h"
#include "gui/PathField.h"
#include "gui/PreviewPane.h"
#include "gui/RunProgress.h"
#include "gui/SettingsFile.h"
#include "gui/WarningWnd.h"
#include "gui/WheelGuard.h"
#include "gui/WindowPlacement.h"

class CCharFilter;

// The desktop program's one window: input pages, output pages, the character filter row, the
// progress bar, the status line and the Convert/Cancel button. Conversions run on the user
// interface thread; every progress call processes pending events, which keeps the window alive
// and lets a press of Cancel stop the run at the next movement of the bar.
class CMainDlg : public QDialog, private CPgCtrl {
    Q_OBJECT

public:
    // `dataFolders`: where the "xlor" and "xggp" folders are looked for, first match wins.
    CMainDlg(CSettingsFile& settings, std::vector<std::u16string> dataFolders);
    ~CMainDlg() override;

    // One whole conversion with the current fields, as the Convert button starts it; the
    // preview shows its result.
    void RunConversion();
    // The conversion without writing anything, into the preview, as the Preview button starts it.
    void RunPreview();
    // A binary font chosen as input, into the preview as it stands.
    void PreviewInputFont();
    // The console command that writes the same file as Convert would, quoted for a POSIX shell;
    // throws when a field cannot give one.
    std::u16string CommandLine();
    // The command line to the clipboard, or the reason there is none to the message window.
    void CopyCommandLine();
    CPreviewPane& PreviewPane() { return m_previewPane; }
    // While a conversion runs: the next movement of the progress bar cancels it.
    void RequestCancel() { m_cancelRequested = true; }
    bool IsRunning() const { return m_running; }
    int32_t ProgressDivisor() const { return m_runProgress.Divisor(); }
    CWarningWnd& WarningWindow() { return m_warningWnd; }
    // Both folder scans have been taken into the pages.
    bool FileListsTaken() const { return m_orderListTaken && m_groupListTaken; }

    // The progress interface the readers and writers report to (through g_pPgCtrl).
    CPgCtrl& Progress() { return *this; }

    // Closing while a conversion runs cancels it first.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape does not close the window, and Enter in a field does not convert: only the
    // Convert button and Ctrl+Return do.
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool IsCanceled() override;
    void SetStatus(int number) override;
    void ResetProgress() override;
    void SetProgressRange(int steps) override;
    void StepProgress(int steps) override;
    void AddWarning(const std::u16string& text, bool quiet) override;
    // Takes pending events unless that was done a moment ago.
    void PumpEvents();

    void BuildLayout();
    void SetTabOrder();
    // Any change of a setting after a preview marks that preview out of date.
    void WatchSettings();
    // Opens at the stored place and size, or at the content's size in the middle of the screen.
    void RestorePlacement();
    // As tall as the content and at least as wide, within the screen: options unfolded grow the
    // window and folded shrink it again.
    void FitToContent();
    // The window at the wanted size (without its frame), frame and all within the screen.
    void FitWindow(QSize wanted);
    // Keeps the place and size the user gave the window.
    void WindowPlaced();
    // A file dropped on an input or output area, on the page of its kind.
    void DropOnArea(QObject* area, const std::u16string& path);
    void TakeFinishedFileLists();
    void SetOptionsShown(bool shown);
    void UpdateFilterRow();
    void UpdateInputFontOffered();
    void SetControlsEnabled(bool enabled);
    void ShowError(const std::u16string& text);
    void ValidateInput() const;
    void LoadFilter(CCharFilter& filter);
    // What a run does between its start and its end; each is guarded and reported alike, and
    // Cancel stops each alike.
    enum class RunKind { kConvert, kPreview, kInputFont };
    void Run(RunKind kind);
    void Convert(RunKind kind);
    void SetPreviewShown(bool shown);
    void ShowMessageWindow();
    CInDlg& CurrentInputPage();
    COutDlg& CurrentOutputPage();

    CSettingsFile& m_settings;
    std::vector<std::u16string> m_dataFolders;
    CPgCtrl* m_previousPgCtrl;
    // What the pages store while they are built goes to the file once, at the end.
    std::optional<CSettingsFile::Batch> m_startupBatch;

    QVBoxLayout m_layout;
    QSplitter m_splitter;
    CFittingScrollArea m_scroll;
    QWidget m_settingsPane;
    QVBoxLayout m_paneLayout;
    QGroupBox m_inputArea;
    QVBoxLayout m_inputLayout;
    QTabWidget m_inputTabs;
    CInImageDlg m_inImage;
    CInQuillDlg m_inQuill;
    CInWinDlg m_inWin;
    CInBmFontDlg m_inBmFont;
    QGroupBox m_filterArea;
    QGridLayout m_filterLayout;
    QCheckBox m_useFilter;
    CPathField m_filter;
    QGroupBox m_outputArea;
    QVBoxLayout m_outputLayout;
    QTabWidget m_outputTabs;
    COutImageDlg m_outImage;
    COutQuillDlg m_outQuill;
    COutBmFontDlg m_outBmFont;
    COptionsButton m_optionsButton;
    QProgressBar m_progress;
    QGridLayout m_bottomLayout;
    QLabel m_status;
    QToolButton m_previewShown;
    QPushButton m_previewRun;
    QPushButton m_convert;
    QAction m_copyCommand;
    QPushButton m_copyCommandButton;
    CPreviewPane m_previewPane;
    CWarningWnd m_warningWnd;
    CWheelGuard m_wheelGuard;
    QShortcut m_convertKey;
    QShortcut m_convertKeypadKey;
    CWindowPlacement m_placement;
    QSize m_contentSize;  // the settings' size the window was last fitted to

    bool m_running = false;
    bool m_cancelRequested = false;
    bool m_closeAfterRun = false;
    CRunProgress m_runProgress;
    QElapsedTimer m_pumpClock;
    bool m_initialised = false;
    bool m_frameFitted = false;
    bool m_orderListTaken = false;
    bool m_groupListTaken = false;

    // Last, so that they are destroyed first: their destruction waits for the scans, which
    // report to this dialog.
    COrderFileList m_orderList;
    CGroupFileList m_groupList;
};
