#include "gui/MainDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <algorithm>
#include <initializer_list>
#include <limits>

#include "base/GlobalException.h"
#include "base/ResString.h"
#include "base/Text.h"
#include "core/Conversion.h"
#include "core/FontReader.h"
#include "core/FontWriter.h"
#include "core/RunGuard.h"
#include "format/ResFontPreview.h"
#include "gui/CommandLine.h"
#include "gui/MessageText.h"
#include "gui/ProgramOptions.h"
#include "gui/ScreenPlacement.h"
#include "gui/SettingsFile.h"
#include "gui/TabChain.h"
#include "platform/FileSystem.h"
#include "xml/CharSelection.h"

namespace {
constexpr const char* kSection = "Main";
constexpr int kInputPages = 4;

void ProcessPendingEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// Margins inside the input, filter and output areas.
constexpr int kAreaMargin = 6;
// The preview pane's width, and the window's least height, when it first opens.
constexpr int kPreviewWidth = 680;
constexpr int kPreviewHeight = 700;

// Pending events are taken at most this often during a run: a user sees no difference, and a
// reader that steps through 65,536 codes no longer waits for the window system at each one.
constexpr qint64 kPumpMilliseconds = 10;

enum InputTab { kImageTab, kQuillTab, kWinTab, kBmFontTab };
enum OutputTab { kImageOutTab, kQuillOutTab, kBmFontOutTab };

// The input tab that reads a file, by its extension; -1 when none is clearly meant.
int InputTabOf(const std::u16string& path) {
    const std::u16string extension = ToLowerAscii(fs::SplitPath(path).extension);
    if (extension == u".bmp" || extension == u".tga" || extension == u".png") {
        return kImageTab;
    }
    if (extension == u".bofnt" || extension == u".bofna") {
        return kQuillTab;
    }
    if (extension == u".fnt") {
        return kBmFontTab;
    }
    for (const char16_t* font : {u".ttf", u".otf", u".ttc", u".otc"}) {
        if (extension == font) {
            return kWinTab;
        }
    }
    return -1;
}

// The output tab that writes a file: the image tab for pictures, the binary or BMFont tab for
// fonts.
int OutputTabOf(const std::u16string& path) {
    switch (InputTabOf(path)) {
        case kImageTab:
            return kImageOutTab;
        case kQuillTab:
            return kQuillOutTab;
        case kBmFontTab:
            return kBmFontOutTab;
        default:
            return -1;
    }
}

// A tab widget as tall as its current page (see CPageWidget): asked again at every switch.
void SizeToCurrentPage(QTabWidget& tabs) {
    QObject::connect(&tabs, &QTabWidget::currentChanged, &tabs, &QWidget::updateGeometry);
}

// The first local file of a drag, or nothing.
QString DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) {
        return {};
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            return url.toLocalFile();
        }
    }
    return {};
}
}  // namespace

CMainDlg::CMainDlg(CSettingsFile& settings, std::vector<std::u16string> dataFolders)
    : m_settings(settings),
      m_dataFolders(std::move(dataFolders)),
      m_previousPgCtrl(g_pPgCtrl),
      m_startupBatch(std::in_place, settings),
      m_layout(this),
      m_splitter(this),
      m_scroll(&m_splitter),
      m_settingsPane(&m_scroll),
      m_paneLayout(&m_settingsPane),
      m_inputArea(tr("Input"), &m_settingsPane),
      m_inputLayout(&m_inputArea),
      m_inputTabs(&m_inputArea),
      m_inImage(settings, nullptr),
      m_inQuill(settings, nullptr),
      m_inWin(settings, nullptr),
      m_inBmFont(settings, nullptr),
      m_filterArea(tr("Character filter"), &m_settingsPane),
      m_filterLayout(&m_filterArea),
      m_useFilter(tr("&Use filter"), &m_filterArea),
      m_filter(settings, "FilterPath", nullptr, kFilterFileFilter, QStringLiteral("xllt"),
               CPathHistoryManager::Mode::kOpen, &m_filterArea),
      m_outputArea(tr("Output"), &m_settingsPane),
      m_outputLayout(&m_outputArea),
      m_outputTabs(&m_outputArea),
      m_outImage(settings, nullptr),
      m_outQuill(settings, nullptr),
      m_outBmFont(settings, nullptr),
      m_optionsButton(settings, kSection, &m_outputArea),
      m_progress(this),
      m_status(this),
      m_previewShown(this),
      m_previewRun(tr("&Preview"), this),
      m_convert(MessageText(226), this),
      m_copyCommand(tr("Copy co&mmand line"), this),
      m_copyCommandButton(this),
      m_previewPane(settings, &m_splitter),
      m_warningWnd(settings, this),
      m_wheelGuard(this),
      m_convertKey(QKeySequence(Qt::CTRL | Qt::Key_Return), this),
      m_convertKeypadKey(QKeySequence(Qt::CTRL | Qt::Key_Enter), this),
      m_placement(settings, "MainWindow", QSize()) {
    g_pPgCtrl = this;
    // The scans start first, so they run while the window is being built.
    const auto taken = [this] { TakeFinishedFileLists(); };
    m_orderList.StartScan(m_dataFolders, this, taken);
    m_groupList.StartScan(m_dataFolders, this, taken);

    BuildLayout();
    m_progress.setRange(0, CRunProgress::kFull);
    m_progress.setValue(0);
    m_status.setText(MessageText(242));

    m_useFilter.setChecked(settings.GetBool(kSection, "UseFilter", false));
    UpdateFilterRow();
    connect(&m_useFilter, &QCheckBox::toggled, [this](bool checked) {
        m_settings.SetBool(kSection, "UseFilter", checked);
        UpdateFilterRow();
    });

    setWindowTitle(QString::fromLatin1(ProgramTitle()));
    for (QGroupBox* area : {&m_inputArea, &m_outputArea, &m_filterArea}) {
        area->setAcceptDrops(true);
        area->installEventFilter(this);
    }

    m_inputTabs.addTab(&m_inImage, tr("Image"));
    m_inputTabs.addTab(&m_inQuill, QStringLiteral("bofnt / bofna"));
    m_inputTabs.addTab(&m_inWin, tr("Windows Font"));
    m_inputTabs.addTab(&m_inBmFont, QStringLiteral("BMFont"));
    m_inputTabs.setCurrentIndex(
        std::clamp(settings.GetInt(kSection, "InputSelect", 2), 0, kInputPages - 1));
    m_outputTabs.addTab(&m_outImage, tr("Image"));
    m_outputTabs.addTab(&m_outQuill, QStringLiteral("bofnt / bofna"));
    m_outputTabs.addTab(&m_outBmFont, QStringLiteral("BMFont"));
    const int32_t output = settings.GetInt(kSection, "OutputSelect", 0);
    m_outputTabs.setCurrentIndex(output >= 0 && output < m_outputTabs.count() ? output : 0);
    SizeToCurrentPage(m_inputTabs);
    SizeToCurrentPage(m_outputTabs);
    connect(&m_inputTabs, &QTabWidget::currentChanged,
            [this](int index) { m_settings.SetInt(kSection, "InputSelect", index); });
    m_optionsButton.setVisible(CurrentOutputPage().HasOptions());
    connect(&m_outputTabs, &QTabWidget::currentChanged, [this](int index) {
        m_settings.SetInt(kSection, "OutputSelect", index);
        m_optionsButton.setVisible(CurrentOutputPage().HasOptions());
    });

    SetOptionsShown(m_optionsButton.isChecked());
    connect(&m_optionsButton, &QToolButton::toggled,
            [this](bool shown) { SetOptionsShown(shown); });
    connect(&m_previewRun, &QPushButton::clicked, [this] { RunPreview(); });
    connect(&m_previewPane.InputFontButton(), &QPushButton::clicked,
            [this] { PreviewInputFont(); });
    UpdateInputFontOffered();
    connect(&m_inputTabs, &QTabWidget::currentChanged, [this] { UpdateInputFontOffered(); });
    connect(&m_inQuill.PathCombo(), &QComboBox::currentTextChanged,
            [this] { UpdateInputFontOffered(); });
    m_previewShown.setChecked(settings.GetBool(kSection, "ShowPreview", false));
    SetPreviewShown(m_previewShown.isChecked());
    connect(&m_previewShown, &QToolButton::toggled, [this](bool shown) {
        m_settings.SetBool(kSection, "ShowPreview", shown);
        SetPreviewShown(shown);
    });
    connect(&m_convert, &QPushButton::clicked, [this] {
        if (m_running) {
            RequestCancel();
        } else {
            RunConversion();
        }
    });
    connect(&m_copyCommand, &QAction::triggered, [this] { CopyCommandLine(); });
    connect(&m_copyCommandButton, &QPushButton::clicked, &m_copyCommand, &QAction::trigger);
    for (QShortcut* key : {&m_convertKey, &m_convertKeypadKey}) {
        connect(key, &QShortcut::activated, [this] { RunConversion(); });
    }
    SetTabOrder();
    WatchSettings();
    m_settingsPane.installEventFilter(this);
    RestorePlacement();

    if (m_warningWnd.HasText() && !m_warningWnd.IsShown()) {
        ShowMessageWindow();
    }
    m_startupBatch.reset();
    m_initialised = true;
    TakeFinishedFileLists();
}

CMainDlg::~CMainDlg() {
    // Taking the pages out of their tabs is no choice of the user's.
    m_inputTabs.disconnect();
    m_outputTabs.disconnect();
    // The options button goes before the pages, whose removal lays the tab bar out again.
    m_outputTabs.setCornerWidget(nullptr);
    m_orderList.Wait();
    m_groupList.Wait();
    g_pPgCtrl = m_previousPgCtrl;
}

void CMainDlg::BuildLayout() {
    m_inputArea.setObjectName(QStringLiteral("inputArea"));
    m_inputTabs.setObjectName(QStringLiteral("inputTabs"));
    m_filterArea.setObjectName(QStringLiteral("filterArea"));
    m_useFilter.setObjectName(QStringLiteral("useFilter"));
    m_filter.Field().setObjectName(QStringLiteral("filterPath"));
    m_outputArea.setObjectName(QStringLiteral("outputArea"));
    m_outputTabs.setObjectName(QStringLiteral("outputTabs"));
    m_optionsButton.setObjectName(QStringLiteral("showOptions"));
    m_progress.setObjectName(QStringLiteral("progress"));
    m_status.setObjectName(QStringLiteral("status"));
    m_convert.setObjectName(QStringLiteral("convert"));
    m_previewRun.setObjectName(QStringLiteral("previewRun"));
    m_previewShown.setObjectName(QStringLiteral("previewShown"));
    m_copyCommandButton.setObjectName(QStringLiteral("copyCommand"));

    // Tight margins inside the three areas: the window with every option unfolded has to fit a
    // small screen.
    for (QLayout* area :
         std::initializer_list<QLayout*>{&m_inputLayout, &m_filterLayout, &m_outputLayout}) {
        area->setContentsMargins(kAreaMargin, kAreaMargin / 2, kAreaMargin, kAreaMargin);
    }
    m_inputLayout.addWidget(&m_inputTabs);
    m_filter.Place(m_filterLayout, 0, 1, &m_useFilter);
    m_filterLayout.setColumnStretch(1, 1);
    m_outputLayout.addWidget(&m_outputTabs);
    m_optionsButton.setAutoRaise(true);
    m_outputTabs.setCornerWidget(&m_optionsButton);
    m_progress.setTextVisible(true);
    m_status.setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_status.setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_convert.setMinimumWidth(100);
    m_convert.setToolTip(tr("Convert (Ctrl+Return)"));

    // Only the settings scroll; progress, status and the button stay in view.
    m_paneLayout.setContentsMargins(0, 0, 0, 0);
    m_paneLayout.addWidget(&m_inputArea);
    m_paneLayout.addWidget(&m_filterArea);
    m_paneLayout.addWidget(&m_outputArea);
    m_paneLayout.addStretch(1);
    m_scroll.setWidget(&m_settingsPane);
    m_splitter.addWidget(&m_scroll);
    m_splitter.addWidget(&m_previewPane);
    m_splitter.setStretchFactor(0, 0);
    m_splitter.setStretchFactor(1, 1);
    m_splitter.setChildrenCollapsible(false);
    m_layout.addWidget(&m_splitter, 1);
    // The page scrolls by the wheel and by the fields Tab brings into view; it takes no focus.
    m_scroll.setFocusPolicy(Qt::NoFocus);
    m_previewShown.setCheckable(true);
    m_previewShown.setText(tr("Show p&review"));
    m_previewShown.setToolTip(tr("Show or hide the preview of the converted font"));
    m_previewRun.setToolTip(tr("Convert without writing a file, and show the result"));
    m_copyCommand.setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    m_copyCommand.setToolTip(
        tr("Copy the console command that writes the same file (Ctrl+Shift+C)"));
    m_copyCommandButton.setText(m_copyCommand.text());
    m_copyCommandButton.setToolTip(m_copyCommand.toolTip());
    // Also the window's menu, on a right click anywhere outside a field.
    addAction(&m_copyCommand);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    // One row, so that the settings keep the height a small screen has.
    m_bottomLayout.addWidget(&m_status, 0, 0);
    m_bottomLayout.addWidget(&m_progress, 0, 1);
    m_bottomLayout.addWidget(&m_copyCommandButton, 0, 2);
    m_bottomLayout.addWidget(&m_previewShown, 0, 3);
    m_bottomLayout.addWidget(&m_previewRun, 0, 4);
    m_bottomLayout.addWidget(&m_convert, 0, 5);
    m_bottomLayout.setColumnStretch(0, 3);
    m_bottomLayout.setColumnStretch(1, 2);
    m_layout.addLayout(&m_bottomLayout);

    m_useFilter.setToolTip(tr("Convert only the characters of a filter list"));
    m_optionsButton.setToolTip(tr("Show or hide the output options"));
    m_inputArea.setToolTip(tr("Drop a source file here"));
    m_outputArea.setToolTip(tr("Drop a target file here"));
    m_filterArea.setToolTip(tr("Drop a filter list here"));
}

void CMainDlg::SetTabOrder() {
    // The settings as the eye reads them, then the buttons under them, then the preview beside.
    std::vector<QWidget*> chain;
    CollectTabChain(m_paneLayout, chain);
    CollectTabChain(m_bottomLayout, chain);
    CollectTabChain(*m_previewPane.layout(), chain);
    SetTabChain(chain);
}

void CMainDlg::WatchSettings() {
    const auto changed = [this] {
        if (!m_running) {
            m_previewPane.MarkOutOfDate();
        }
    };
    for (QComboBox* combo : m_settingsPane.findChildren<QComboBox*>()) {
        connect(combo, &QComboBox::currentTextChanged, this, changed);
    }
    for (QLineEdit* edit : m_settingsPane.findChildren<QLineEdit*>()) {
        connect(edit, &QLineEdit::textChanged, this, changed);
    }
    for (QAbstractButton* button : m_settingsPane.findChildren<QAbstractButton*>()) {
        // Folding options away changes no setting.
        if (button->isCheckable() && qobject_cast<COptionsButton*>(button) == nullptr) {
            connect(button, &QAbstractButton::toggled, this, changed);
        }
    }
    for (QTabWidget* tabs : m_settingsPane.findChildren<QTabWidget*>()) {
        connect(tabs, &QTabWidget::currentChanged, this, changed);
    }
}

void CMainDlg::RestorePlacement() {
    // Before the first showing, the layouts still hold the sizes from before the pages were
    // filled: they are asked afresh.
    ensurePolished();
    for (QWidget* widget : findChildren<QWidget*>()) {
        widget->updateGeometry();
    }
    const QRect stored = m_placement.Stored();
    QRect place(QPoint(), sizeHint());
    if (m_previewPane.isVisibleTo(this)) {
        place.setSize(place.size().expandedTo(
            QSize(m_scroll.sizeHint().width() + kPreviewWidth, kPreviewHeight)));
    }
    if (CWindowPlacement::IsUsable(stored)) {
        place = stored;
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        place.moveCenter(screen->availableGeometry().center());
    }
    place = FitOnScreen(place);
    resize(place.size());
    move(place.topLeft());
    m_contentSize = m_settingsPane.sizeHint();
}

void CMainDlg::FitToContent() {
    const QSize content = m_settingsPane.sizeHint();
    if (content == m_contentSize) {
        return;  // a change that leaves the content's size alone keeps the user's size
    }
    m_contentSize = content;
    // The scroll area is asked directly: the dialog's layout still holds its old size. The
    // window is fitted with its frame, which the window system adds around the dialog.
    const QSize outside = size() - m_scroll.size();
    FitWindow(QSize(std::max(width(), outside.width() + m_scroll.sizeHint().width()),
                    outside.height() + m_scroll.sizeHint().height()));
}

void CMainDlg::FitWindow(QSize wanted) {
    const QRect frame = frameGeometry();
    const QSize border = frame.size() - size();
    const QRect fitted = FitOnScreen(QRect(frame.topLeft(), wanted + border));
    resize(fitted.size() - border);
    move(fitted.topLeft());
}

void CMainDlg::TakeFinishedFileLists() {
    if (!m_initialised) {
        return;  // the end of the initialisation takes whatever has finished by then
    }
    if (!m_orderListTaken && m_orderList.IsFinished()) {
        m_orderListTaken = true;
        m_orderList.Wait();
        if (m_orderList.Files().empty()) {
            QString text = MessageText(262) + QStringLiteral("\n\n") + tr("Folders searched:");
            for (const std::u16string& folder : m_orderList.SearchedFolders()) {
                text += QLatin1Char('\n') + QString::fromStdU16String(folder);
            }
            QMessageBox::critical(this, MessageText(100), text);
        }
        for (CInDlg* page : std::initializer_list<CInDlg*>{&m_inImage, &m_inQuill, &m_inWin}) {
            page->SetOrderFiles(m_orderList.Files());
        }
        m_outImage.SetOrderFiles(m_orderList.Files());
        m_outQuill.SetOrderFiles(m_orderList.Files());
    }
    if (!m_groupListTaken && m_groupList.IsFinished()) {
        m_groupListTaken = true;
        m_groupList.Wait();
        m_outImage.SetGroupFiles(m_groupList.Files());
        m_outQuill.SetGroupFiles(m_groupList.Files());
    }
}

void CMainDlg::SetOptionsShown(bool shown) {
    m_outImage.SetOptionsShown(shown);
    m_outQuill.SetOptionsShown(shown);
}

void CMainDlg::UpdateFilterRow() {
    const bool enabled = m_useFilter.isChecked() && m_useFilter.isEnabled();
    m_filter.Field().setEnabled(enabled);
    m_filter.Button().setEnabled(enabled);
}

void CMainDlg::SetPreviewShown(bool shown) {
    const bool wasShown = m_previewPane.isVisibleTo(this);
    m_previewPane.setVisible(shown);
    m_previewShown.setText(shown ? tr("Hide p&review") : tr("Show p&review"));
    if (!m_initialised || shown == wasShown) {
        return;
    }
    // The window widens by the pane and narrows again, within the screen.
    const int paneWidth = std::max(m_previewPane.sizeHint().width(), kPreviewWidth);
    FitWindow(shown ? QSize(width() + paneWidth, std::max(height(), kPreviewHeight))
                    : QSize(width() - m_previewPane.width(),
                            height() - m_scroll.height() + m_scroll.sizeHint().height()));
}

void CMainDlg::UpdateInputFontOffered() {
    // Offered on the binary font tab once a file is named.
    m_previewPane.InputFontButton().setEnabled(
        !m_running && m_inputTabs.currentIndex() == kQuillTab && !m_inQuill.Path().empty());
}

void CMainDlg::SetControlsEnabled(bool enabled) {
    for (QWidget* widget : std::initializer_list<QWidget*>{&m_inputTabs, &m_outputTabs,
                                                           &m_useFilter, &m_optionsButton}) {
        widget->setEnabled(enabled);
    }
    UpdateFilterRow();
    m_previewRun.setEnabled(enabled);
    m_copyCommand.setEnabled(enabled);
    m_copyCommandButton.setEnabled(enabled);
    UpdateInputFontOffered();
    m_convert.setText(MessageText(enabled ? 226 : 225));
}

CInDlg& CMainDlg::CurrentInputPage() {
    switch (m_inputTabs.currentIndex()) {
        case kImageTab:
            return m_inImage;
        case kQuillTab:
            return m_inQuill;
        case kBmFontTab:
            return m_inBmFont;
        default:
            return m_inWin;
    }
}

COutDlg& CMainDlg::CurrentOutputPage() {
    switch (m_outputTabs.currentIndex()) {
        case kQuillOutTab:
            return m_outQuill;
        case kBmFontOutTab:
            return m_outBmFont;
        default:
            return m_outImage;
    }
}

void CMainDlg::ValidateInput() const {
    const std::u16string path = m_filter.History().Text();
    if (m_useFilter.isChecked() && !path.empty() && !fs::Exists(path)) {
        TL_THROW(kErrInputValue, 133, path);
    }
}

void CMainDlg::LoadFilter(CCharFilter& filter) {
    const std::u16string path = m_filter.History().Text();
    m_filter.History().AddPath(path);
    if (path.empty()) {
        TL_THROW(kErrInputValue, 220);
    }
    filter.Load(path);
}

void CMainDlg::Convert(RunKind kind) {
    CInDlg& input = CurrentInputPage();
    if (kind == RunKind::kInputFont) {
        input.AddPathToHistory();
        m_previewPane.SetPreview(LoadFontPreview(m_inQuill.Path()));
        return;
    }
    ValidateInput();
    COutDlg& output = CurrentOutputPage();
    input.AddPathToHistory();
    if (kind == RunKind::kConvert) {
        output.AddPathToHistory();
    }
    // Declared reader first, so that the writer is deleted first, on every way out.
    const std::unique_ptr<CFontReader> reader = input.GetFontReader();
    const std::unique_ptr<CFontWriter> writer =
        kind == RunKind::kConvert ? output.GetFontWriter() : output.GetPreviewWriter();
    m_runProgress.SetTargetName(
        QFileInfo(QString::fromStdU16String(writer->GetOutputPath())).fileName());
    CCharSelection characters(m_useFilter.isChecked() ? [this](CCharFilter& filter) {
        SetStatus(243);
        LoadFilter(filter);
    } : CCharSelection::FilterLoader());
    CConversion conversion(*reader, *writer, characters);
    if (kind == RunKind::kPreview) {
        m_previewPane.SetPreview(conversion.Preview());
        return;
    }
    FontPreview written;
    conversion.Run(&written);
    m_previewPane.SetPreview(std::move(written));
}

std::u16string CMainDlg::CommandLine() {
    CCommandLine line;
    CurrentInputPage().AddCommandArguments(line);
    CurrentOutputPage().AddCommandArguments(line);
    if (m_useFilter.isChecked()) {
        const std::u16string path = m_filter.History().Text();
        if (path.empty()) {
            TL_THROW(kErrInputValue, 220);
        }
        line.AddPath(u"-f", path);
    }
    return line.ShellText(ConsoleProgram());
}

void CMainDlg::CopyCommandLine() {
    try {
        QGuiApplication::clipboard()->setText(QString::fromStdU16String(CommandLine()));
        m_status.setText(tr(" Command line copied"));
    } catch (const CGeneralException& e) {
        m_warningWnd.AddError(e.What());
        if (!m_warningWnd.IsShown()) {
            ShowMessageWindow();
        }
    }
}

void CMainDlg::RunConversion() {
    Run(RunKind::kConvert);
}

void CMainDlg::RunPreview() {
    Run(RunKind::kPreview);
}

void CMainDlg::PreviewInputFont() {
    Run(RunKind::kInputFont);
}

void CMainDlg::Run(RunKind kind) {
    if (m_running) {
        return;
    }
    m_cancelRequested = false;
    m_running = true;
    m_runProgress.Start(CurrentInputPage().SourceName());
    SetStatus(245);
    SetControlsEnabled(false);
    // A run's messages stand alone: the window starts empty, the warning cap anew.
    m_warningWnd.Clear();
    m_warningWnd.ResetWarningCount();
    const RunEnd end = GuardRun([this, kind] { Convert(kind); });
    if (end.kind == RunEnd::Kind::kDone) {
        // A run that succeeded leaves the bar full.
        m_runProgress.Finish();
        if (kind != RunKind::kConvert) {
            m_status.setText(tr(" Preview ready"));
            m_previewShown.setChecked(true);
        }
    } else {
        // What an earlier run showed is no longer what the settings make.
        m_previewPane.Clear(end.kind == RunEnd::Kind::kCancelled
                                ? tr("The run was cancelled.")
                                : tr("The run failed; the message window says why."));
        m_runProgress.Start(QString());
        if (end.kind == RunEnd::Kind::kCancelled) {
            SetStatus(239);
        } else {
            ShowError(end.foreignMessage != 0 ? LoadResString(end.foreignMessage)
                                              : end.error.What());
        }
    }
    m_progress.setValue(m_runProgress.Value());
    m_warningWnd.UpdateSummary();
    m_running = false;
    SetControlsEnabled(true);
    if (m_closeAfterRun) {
        m_closeAfterRun = false;
        QDialog::reject();
    }
}

void CMainDlg::ShowMessageWindow() {
    // Where no button of this window is, when nothing is free beside it: over the sheets.
    QRect free;
    if (m_previewPane.isVisible()) {
        free = m_previewPane.SheetArea();
        free.moveTopLeft(m_previewPane.mapToGlobal(free.topLeft()));
    }
    m_warningWnd.ShowWindow(*this, free);
}

void CMainDlg::ShowError(const std::u16string& text) {
    m_warningWnd.AddError(text);
    if (!m_warningWnd.IsShown()) {
        ShowMessageWindow();
    }
    SetStatus(240);
}

void CMainDlg::reject() {
    if (m_running) {
        RequestCancel();
        m_closeAfterRun = true;
        return;
    }
    QDialog::reject();
}

bool CMainDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_settingsPane && event->type() == QEvent::LayoutRequest) {
        // After the layout has taken the change in: the content's new height is known then.
        QMetaObject::invokeMethod(this, &CMainDlg::FitToContent, Qt::QueuedConnection);
        return QDialog::eventFilter(watched, event);
    }
    const bool isArea =
        watched == &m_inputArea || watched == &m_outputArea || watched == &m_filterArea;
    if (!isArea) {
        return QDialog::eventFilter(watched, event);
    }
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDropEvent*>(event);
        if (!m_running && !DroppedFile(drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
        } else {
            drag->ignore();
        }
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString file = DroppedFile(drop->mimeData());
        if (m_running || file.isEmpty()) {
            drop->ignore();
            return true;
        }
        DropOnArea(watched, file.toStdU16String());
        drop->acceptProposedAction();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CMainDlg::DropOnArea(QObject* area, const std::u16string& path) {
    if (area == &m_inputArea) {
        if (const int tab = InputTabOf(path); tab >= 0) {
            m_inputTabs.setCurrentIndex(tab);
        }
        CurrentInputPage().DropFile(path);
    } else if (area == &m_outputArea) {
        if (const int tab = OutputTabOf(path); tab >= 0) {
            m_outputTabs.setCurrentIndex(tab);
        }
        CurrentOutputPage().DropFile(path);
    } else {
        m_filter.History().DropPath(path);
    }
}

void CMainDlg::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (event->key() == Qt::Key_Escape ||
        (enter && !qobject_cast<QAbstractButton*>(focusWidget()))) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CMainDlg::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    WindowPlaced();
}

void CMainDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    WindowPlaced();
}

void CMainDlg::WindowPlaced() {
    if (!m_initialised || !isVisible()) {
        return;
    }
    // The window was placed before the window system framed it; once the frame's size is known
    // the whole frame, title bar included, is brought onto the screen.
    if (!m_frameFitted && frameGeometry().size() != size()) {
        m_frameFitted = true;
        FitWindow(size());
    }
    m_placement.Store(*this);
}

void CMainDlg::PumpEvents() {
    if (!m_pumpClock.isValid() || m_pumpClock.elapsed() >= kPumpMilliseconds) {
        ProcessPendingEvents();
        m_pumpClock.start();
    }
}

bool CMainDlg::IsCanceled() {
    PumpEvents();
    return m_cancelRequested;
}

void CMainDlg::SetStatus(int number) {
    m_status.setText(m_runProgress.EnterStatus(number));
    m_progress.setValue(m_runProgress.Value());
    ProcessPendingEvents();
}

void CMainDlg::ResetProgress() {
    m_runProgress.Reset();
    PumpEvents();
}

void CMainDlg::SetProgressRange(int steps) {
    m_runProgress.SetRange(steps);
    PumpEvents();
}

void CMainDlg::StepProgress(int steps) {
    if (m_runProgress.Step(steps)) {
        m_progress.setValue(m_runProgress.Value());
        if (IsCanceled()) {
            throw kCancelSignal;
        }
    }
    PumpEvents();
}

void CMainDlg::AddWarning(const std::u16string& text, bool quiet) {
    m_warningWnd.AddWarning(text);
    if (!quiet && !m_warningWnd.IsShown()) {
        ShowMessageWindow();
    }
}
