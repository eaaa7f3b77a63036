#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QWheelEvent>
#include <map>

#include "MainDlgFixture.h"
#include "core/PgCtrl.h"
#include "gui/Translations.h"
#include "platform/Language.h"

namespace {

using gui_testing::MainDlgFixture;
using gui_testing::Message;
using gui_testing::MessageBoxResponder;
using testing_support::BinaryDir;
using testing_support::ReadFileBytes;
using testing_support::RunCommand;
using testing_support::ShellQuote;
using testing_support::TempDir;

class MainDlgTest : public MainDlgFixture {
protected:
    // Image font in, binary font out, every other field as on a fresh start.
    void SetUpImageToBinary(const std::string& image, const std::string& output) {
        Tabs("inputTabs").setCurrentIndex(0);
        Combo("inImagePath").setEditText(QString::fromStdString(image));
        SelectOrder("inImageOrder", QStringLiteral("ascii.xlor"));
        Combo("inImageFormat").setCurrentIndex(2);  // IA4
        Tabs("outputTabs").setCurrentIndex(1);
        Combo("outQuillPath").setEditText(QString::fromStdString(output));
    }
    void Drop(QWidget& target, const QString& file) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        const QPoint at(10, 10);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&target, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&target, &drop);
        EXPECT_TRUE(drop.isAccepted());
    }
};

TEST_F(MainDlgTest, EveryFieldSurvivesARestart) {
    Open();
    Tabs("inputTabs").setCurrentIndex(1);
    Tabs("outputTabs").setCurrentIndex(1);
    Child<QToolButton>("showOptions").setChecked(true);
    Check("useFilter").setChecked(true);
    Combo("filterPath").setEditText(QStringLiteral("/f/\u00E9.xllt"));
    Combo("inImagePath").setEditText(QStringLiteral("/in/font.tga"));
    SelectOrder("inImageOrder", QStringLiteral("ascii.xlor"));
    Combo("inImageFormat").setCurrentIndex(5);
    Check("inImageAssist").setChecked(true);
    Combo("inQuillPath").setEditText(QStringLiteral("/in/font.bofnt"));
    Combo("inWinSize").setEditText(QStringLiteral("22"));
    Combo("inWinDepth").setCurrentIndex(4);
    Check("inWinSoftAA").setChecked(false);
    Combo("inWinWidthType").setCurrentIndex(3);
    Edit("inWinFixed").setText(QStringLiteral("9"));
    Check("inWinEnableAverage").setChecked(true);
    Combo("inWinAverage").setEditText(QStringLiteral("11"));
    Child<QToolButton>("inWinOptions").setChecked(true);
    Combo("outImagePath").setEditText(QStringLiteral("/out/font.bmp"));
    SelectOrder("outImageOrder", QStringLiteral("cp932.xlor"));
    Combo("outImageFormat").setCurrentIndex(2);
    Check("outImageGrid").setChecked(false);
    Child<QRadioButton>("outImageSizeMode").setChecked(true);
    Edit("outImageSize0").setText(QStringLiteral("30"));
    Check("outImageCenter").setChecked(false);
    Combo("outQuillPath").setEditText(QStringLiteral("/out/font.bofna"));
    Combo("outQuillEncoding").setCurrentIndex(2);
    Combo("outQuillGroup").setCurrentIndex(1);
    Combo("outQuillSheet").setCurrentIndex(3);
    Check("outQuillAlterCharUseDef").setChecked(false);
    Edit("outQuillAlterChar").setText(QStringLiteral("\u3042"));
    Check("outQuillDefaultRightUseDef").setChecked(false);
    Edit("outQuillDefaultRight").setText(QStringLiteral("-3"));
    Combo("inBmFontPath").setEditText(QStringLiteral("/in/font.fnt"));
    Combo("inBmFontFormat").setCurrentIndex(6);
    Combo("outBmFontPath").setEditText(QStringLiteral("/out/font.fnt"));
    Combo("outBmFontForm").setCurrentIndex(2);

    Restart();
    EXPECT_EQ(Tabs("inputTabs").currentIndex(), 1);
    EXPECT_EQ(Tabs("outputTabs").currentIndex(), 1);
    EXPECT_TRUE(Child<QToolButton>("showOptions").isChecked());
    EXPECT_TRUE(Check("useFilter").isChecked());
    EXPECT_EQ(Combo("filterPath").currentText(), QStringLiteral("/f/\u00E9.xllt"));
    EXPECT_EQ(Combo("inImagePath").currentText(), QStringLiteral("/in/font.tga"));
    EXPECT_TRUE(Combo("inImageOrder").currentText().contains(QStringLiteral("ascii.xlor")));
    EXPECT_EQ(Combo("inImageFormat").currentIndex(), 5);
    EXPECT_TRUE(Check("inImageAssist").isChecked());
    EXPECT_EQ(Combo("inQuillPath").currentText(), QStringLiteral("/in/font.bofnt"));
    EXPECT_EQ(Combo("inWinSize").currentText(), QStringLiteral("22"));
    EXPECT_EQ(Combo("inWinDepth").currentIndex(), 4);
    EXPECT_FALSE(Check("inWinSoftAA").isChecked());
    EXPECT_EQ(Combo("inWinWidthType").currentIndex(), 3);
    EXPECT_EQ(Edit("inWinFixed").text(), QStringLiteral("9"));
    EXPECT_TRUE(Check("inWinEnableAverage").isChecked());
    EXPECT_EQ(Combo("inWinAverage").currentText(), QStringLiteral("11"));
    EXPECT_TRUE(Child<QToolButton>("inWinOptions").isChecked());
    EXPECT_EQ(Combo("outImagePath").currentText(), QStringLiteral("/out/font.bmp"));
    EXPECT_TRUE(Combo("outImageOrder").currentText().contains(QStringLiteral("cp932.xlor")));
    EXPECT_EQ(Combo("outImageFormat").currentIndex(), 2);
    EXPECT_FALSE(Check("outImageGrid").isChecked());
    EXPECT_TRUE(Child<QRadioButton>("outImageSizeMode").isChecked());
    EXPECT_EQ(Edit("outImageSize0").text(), QStringLiteral("30"));
    EXPECT_FALSE(Check("outImageCenter").isChecked());
    EXPECT_EQ(Combo("outQuillPath").currentText(), QStringLiteral("/out/font.bofna"));
    EXPECT_EQ(Combo("outQuillEncoding").currentIndex(), 2);
    EXPECT_EQ(Combo("outQuillGroup").currentIndex(), 1);
    EXPECT_EQ(Combo("outQuillSheet").currentIndex(), 3);
    EXPECT_FALSE(Check("outQuillAlterCharUseDef").isChecked());
    EXPECT_EQ(Edit("outQuillAlterChar").text(), QStringLiteral("\u3042"));
    EXPECT_EQ(Edit("outQuillDefaultRight").text(), QStringLiteral("-3"));
    EXPECT_EQ(Combo("inBmFontPath").currentText(), QStringLiteral("/in/font.fnt"));
    EXPECT_EQ(Combo("inBmFontFormat").currentIndex(), 6);
    EXPECT_EQ(Combo("outBmFontPath").currentText(), QStringLiteral("/out/font.fnt"));
    EXPECT_EQ(Combo("outBmFontForm").currentIndex(), 2);

    // The stored values are the keys' own texts.
    EXPECT_EQ(settings->GetString("InWin", "bpp", u""), u"IA4");
    EXPECT_EQ(settings->GetString("OutQuill", "Encoding", u""), u"Shift_JIS");
    EXPECT_EQ(settings->GetString("OutQuill", "Group", u""), u"sample.xggp");
    EXPECT_EQ(settings->GetString("InBmp", "Order", u""), u"ascii.xlor");
    EXPECT_EQ(settings->GetInt("OutBmp", "SizeType", 0), 1);
    EXPECT_EQ(settings->GetInt("OutBmp", "Width", 0), 30);
}

// Unfolded options grow the window and folded ones shrink it back; its place and size come
// back after a restart, onto the screen when the stored place is off every screen.
TEST_F(MainDlgTest, WindowFitsItsContentAndKeepsItsPlace) {
    Open();
    dialog->show();
    const auto settle = [] {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
        }
    };
    const int folded = dialog->height();
    Child<QToolButton>("showOptions").setChecked(true);
    settle();
    EXPECT_GT(dialog->height(), folded);
    Child<QToolButton>("showOptions").setChecked(false);
    settle();
    EXPECT_EQ(dialog->height(), folded);

    dialog->move(10, 40);
    dialog->resize(dialog->width() - 40, folded - 50);
    const QRect placed = dialog->geometry();
    Restart();
    dialog->show();
    settle();
    EXPECT_EQ(dialog->geometry(), placed);
    settings->SetInt("MainWindow", "x", 50000);
    Restart();
    EXPECT_TRUE(
        QGuiApplication::primaryScreen()->availableGeometry().contains(dialog->frameGeometry()));
}

// A letter order of the user's joins every letter order list, stays chosen after a restart,
// and a file that is none is refused with the reader's error.
TEST_F(MainDlgTest, AddedLetterOrdersJoinTheLists) {
    TempDir dir;
    const std::filesystem::path mine = dir / "mine.xlor";
    std::filesystem::copy_file(testing_support::SourceDir() / "data/xlor/ascii.xlor", mine);
    testing_support::WriteFileText(dir / "broken.xlor", "not xml");
    Open();
    auto& input = Child<COrderCombo>("inImageOrder");
    const int scanned = input.count();
    input.AddFile(mine.u16string());
    EXPECT_EQ(input.count(), scanned + 1);
    EXPECT_EQ(input.SelectedPath(), mine.u16string());
    EXPECT_THROW(input.AddFile((dir / "broken.xlor").u16string()), CGeneralException);
    EXPECT_EQ(input.SelectedPath(), mine.u16string());
    auto& output = Child<COrderCombo>("outImageOrder");
    output.showPopup();
    output.hidePopup();
    EXPECT_NE(output.findText(QStringLiteral("mine.xlor"), Qt::MatchContains), -1);

    Restart();
    EXPECT_EQ(Child<COrderCombo>("inImageOrder").SelectedPath(), mine.u16string());
    EXPECT_EQ(settings->GetString("OrderFiles", "0", u""), mine.u16string());
}

// Every text of the window, in the order its widgets were made.
std::vector<QString> WindowTexts(const QWidget& window) {
    std::vector<QString> texts;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            texts.push_back(label->text());
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            texts.push_back(button->text());
        } else if (const auto* box = qobject_cast<const QGroupBox*>(widget)) {
            texts.push_back(box->title());
        } else if (const auto* tabs = qobject_cast<const QTabWidget*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i) {
                texts.push_back(tabs->tabText(i));
            }
        }
    }
    return texts;
}

// Under a Japanese locale every label, button, box and tab of the window is Japanese: the
// window's own texts through Qt's translations, the numbered ones through the language library.
TEST_F(MainDlgTest, JapaneseLocaleTranslatesTheWholeWindow) {
    Open();
    const std::vector<QString> english = WindowTexts(*dialog);
    dialog.reset();
    const CDesktopTranslations translations(QLocale(QStringLiteral("ja_JP.UTF-8")));
    const CLanguageLibrary japanese({(BinaryDir() / "").u16string()}, 1041);
    ASSERT_TRUE(japanese.IsLoaded());
    Open();
    const std::vector<QString> translated = WindowTexts(*dialog);
    ASSERT_EQ(translated.size(), english.size());
    // Names of units, formats and the tab of the binary font read the same in both.
    const QStringList kept = {QStringLiteral("px"), QStringLiteral("bofnt / bofna"),
                              QStringLiteral("BMFont"), QString()};
    for (std::size_t i = 0; i < english.size(); ++i) {
        if (!kept.contains(english[i])) {
            EXPECT_NE(translated[i], english[i]);
        }
    }
}

TEST_F(MainDlgTest, MissingLetterOrdersAreReportedOnce) {
    TempDir empty;
    MessageBoxResponder responder(QMessageBox::Ok);
    Open({empty.Path().u16string()});
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    ASSERT_EQ(responder.Texts().size(), 1u);
    EXPECT_EQ(responder.Texts()[0], Message(262) + QStringLiteral("\n\nFolders searched:\n") +
                                        QString::fromStdU16String(empty.Path().u16string()) +
                                        QStringLiteral("/xlor"));
    EXPECT_EQ(responder.Captions()[0], QStringLiteral("Error"));
    EXPECT_EQ(Combo("inImageOrder").count(), 0);
    EXPECT_EQ(Combo("outQuillGroup").count(), 1);  // only "no groups"
}

TEST_F(MainDlgTest, ProgressBarMovesAtMost200Times) {
    Open();
    CPgCtrl& progress = dialog->Progress();
    const std::pair<int, int> cases[] = {{100, 1}, {200, 1}, {201, 2},
                                         {401, 2}, {402, 4}, {65536, 512}};
    for (const auto& [steps, divisor] : cases) {
        progress.SetProgressRange(steps);
        EXPECT_EQ(dialog->ProgressDivisor(), divisor) << steps;
    }
    QProgressBar& bar = Child<QProgressBar>("progress");
    int moves = 0;
    QObject::connect(&bar, &QProgressBar::valueChanged, [&moves] { ++moves; });
    // Reading fills its part of the bar; writing takes it on from there to the end.
    progress.SetStatus(249);
    progress.ResetProgress();
    const int readingStart = bar.value();
    moves = 0;
    progress.SetProgressRange(65536);
    for (int i = 0; i < 65536; ++i) {
        progress.StepProgress(1);
    }
    EXPECT_LE(moves, 128);
    const int readingEnd = bar.value();
    EXPECT_GT(readingEnd, readingStart);
    progress.SetStatus(252);
    progress.ResetProgress();
    EXPECT_EQ(bar.value(), readingEnd);
    progress.SetProgressRange(10);
    for (int i = 0; i < 10; ++i) {
        progress.StepProgress(1);
    }
    EXPECT_EQ(bar.value(), bar.maximum());
}

// One run moves the bar from 0 to full once, never back, and leaves it full.
TEST_F(MainDlgTest, ProgressRisesOncePerRun) {
    TempDir dir;
    const std::string image = MakeImageFont(dir);
    Open();
    SetUpImageToBinary(image, (dir / "font.bofnt").string());
    QProgressBar& bar = Child<QProgressBar>("progress");
    std::vector<int> values;
    QObject::connect(&bar, &QProgressBar::valueChanged, [&values](int v) { values.push_back(v); });
    dialog->RunConversion();
    ASSERT_EQ(Status(), Message(241));
    ASSERT_FALSE(values.empty());
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    EXPECT_EQ(bar.value(), bar.maximum());
}

// A file lands in the page of its kind, whichever tab was open; others in the current page.
TEST_F(MainDlgTest, DroppedFilesLandInThePageOfTheirKind) {
    Open();
    struct Case {
        const char* area;
        const char* file;
        const char* tabs;
        int tab;
        const char* field;
    };
    const Case cases[] = {
        {"inputArea", "/some where/font one.BMP", "inputTabs", 0, "inImagePath"},
        {"inputArea", "/x/font.bofna", "inputTabs", 1, "inQuillPath"},
        {"inputArea", "/x/font.tga", "inputTabs", 0, "inImagePath"},
        {"inputArea", "/x/font.xyz", "inputTabs", 0, "inImagePath"},
        {"outputArea", "/x/out.bofnt", "outputTabs", 1, "outQuillPath"},
        {"inputArea", "/x/font.FNT", "inputTabs", 3, "inBmFontPath"},
        {"outputArea", "/x/out.fnt", "outputTabs", 2, "outBmFontPath"},
        {"outputArea", "/x/out.tga", "outputTabs", 0, "outImagePath"},
        {"filterArea", "/x/list.xllt", "outputTabs", 0, "filterPath"},
    };
    for (const Case& c : cases) {
        Drop(Child<QGroupBox>(c.area), QString::fromLatin1(c.file));
        EXPECT_EQ(Tabs(c.tabs).currentIndex(), c.tab) << c.file;
        EXPECT_EQ(Combo(c.field).currentText(), QString::fromLatin1(c.file));
    }
    EXPECT_EQ(settings->GetString("InBmpPath", "Path", u""), u"/x/font.xyz");
}

// Tab visits every field that can take focus, the settings as the eye reads them (top to
// bottom, and left to right along a row), then the buttons under them, then the preview.
TEST_F(MainDlgTest, TabFollowsTheWindowAsItReads) {
    WriteUnfoldedSettings();
    Open();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    const QWidget& pane = Child<QWidget>("preview");
    const auto regionOf = [&pane](const QWidget* widget) {
        return pane.isAncestorOf(widget) ? 2 : widget->parentWidget() == widget->window() ? 1 : 0;
    };
    for (const auto& [input, output] : {std::pair{2, 0}, std::pair{0, 1}, std::pair{1, 1}}) {
        SCOPED_TRACE(testing::Message() << "tabs " << input << ", " << output);
        Tabs("inputTabs").setCurrentIndex(input);
        Tabs("outputTabs").setCurrentIndex(output);
        QCoreApplication::processEvents();
        Tabs("inputTabs").tabBar()->setFocus();
        std::vector<QWidget*> visited;
        for (int step = 0; step < 200; ++step) {
            QWidget* focus = QApplication::focusWidget();
            // A field's inner editor stands for the field.
            if (auto* combo = qobject_cast<QComboBox*>(focus->parentWidget())) {
                focus = combo;
            }
            if (std::find(visited.begin(), visited.end(), focus) != visited.end()) {
                break;  // round the window once
            }
            visited.push_back(focus);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        EXPECT_GT(visited.size(), 15u);
        for (std::size_t i = 1; i < visited.size(); ++i) {
            const QWidget* a = visited[i - 1];
            const QWidget* b = visited[i];
            ASSERT_LE(regionOf(a), regionOf(b))
                << a->objectName().toStdString() << " > " << b->objectName().toStdString();
            if (regionOf(a) != regionOf(b)) {
                continue;
            }
            const QRect ra(a->mapTo(dialog.get(), QPoint()), a->size());
            const QRect rb(b->mapTo(dialog.get(), QPoint()), b->size());
            const bool sameRow = ra.top() <= rb.bottom() && rb.top() <= ra.bottom();
            EXPECT_TRUE(sameRow ? rb.left() > ra.left() : rb.top() > ra.top())
                << a->metaObject()->className() << " " << a->objectName().toStdString() << " "
                << ra.x() << "," << ra.y() << " then " << b->metaObject()->className() << " "
                << b->objectName().toStdString() << " " << rb.x() << "," << rb.y();
        }
        // Every field in view is reached (of a group of radio buttons, the one chosen).
        for (QWidget* widget : dialog->findChildren<QWidget*>()) {
            const auto* radio = qobject_cast<QRadioButton*>(widget);
            const bool reachable = (widget->focusPolicy() & Qt::TabFocus) != 0 &&
                                   widget->isVisible() && widget->isEnabled() &&
                                   widget->focusProxy() == nullptr &&
                                   qobject_cast<QComboBox*>(widget->parentWidget()) == nullptr &&
                                   !(radio != nullptr && !radio->isChecked());
            if (reachable) {
                EXPECT_NE(std::find(visited.begin(), visited.end(), widget), visited.end())
                    << widget->metaObject()->className() << " "
                    << widget->objectName().toStdString();
            }
        }
    }
}

// The mnemonics of what is in view at one time differ, in English and in Japanese, whichever
// tabs are chosen.
TEST_F(MainDlgTest, MnemonicsAreUniqueInBothLanguages) {
    const auto mnemonicOf = [](const QString& text) -> QChar {
        for (qsizetype i = text.indexOf(QLatin1Char('&')); i >= 0 && i + 1 < text.size();
             i = text.indexOf(QLatin1Char('&'), i + 2)) {
            if (text[i + 1] != QLatin1Char('&')) {
                return text[i + 1].toUpper();
            }
        }
        return QChar();
    };
    const auto check = [&](const char* language) {
        Open();
        dialog->show();
        for (int input = 0; input < Tabs("inputTabs").count(); ++input) {
            for (int output = 0; output < Tabs("outputTabs").count(); ++output) {
                Tabs("inputTabs").setCurrentIndex(input);
                Tabs("outputTabs").setCurrentIndex(output);
                std::map<QChar, QString> seen;
                for (const QWidget* widget : dialog->findChildren<QWidget*>()) {
                    QString text;
                    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
                        text = button->text();
                    } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
                        text = label->buddy() != nullptr ? label->text() : QString();
                    }
                    const QChar key = mnemonicOf(text);
                    if (!widget->isVisible() || key.isNull()) {
                        continue;
                    }
                    EXPECT_FALSE(seen.contains(key))
                        << language << ", tabs " << input << ", " << output << ": Alt+"
                        << QString(key).toStdString() << " on " << text.toStdString() << " and "
                        << seen[key].toStdString();
                    seen[key] = text;
                }
            }
        }
        dialog.reset();
    };
    WriteUnfoldedSettings();
    check("English");
    const CDesktopTranslations translations(QLocale(QStringLiteral("ja_JP.UTF-8")));
    const CLanguageLibrary japanese({(BinaryDir() / "").u16string()}, 1041);
    ASSERT_TRUE(japanese.IsLoaded());
    check("Japanese");
}

// The wheel over a drop-down list or a spin box that has no focus leaves its value alone;
// once the field has focus, the wheel changes it.
TEST_F(MainDlgTest, WheelChangesOnlyAFocusedField) {
    WriteUnfoldedSettings();
    Open();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    Tabs("inputTabs").setCurrentIndex(2);
    for (QWidget* field : {static_cast<QWidget*>(&Combo("inWinWidthType")),
                           static_cast<QWidget*>(&Child<QSpinBox>("inWinOutlineWidth"))}) {
        SCOPED_TRACE(field->objectName().toStdString());
        const auto value = [field] {
            const auto* list = qobject_cast<const QComboBox*>(field);
            return list != nullptr ? list->currentIndex() : static_cast<QSpinBox*>(field)->value();
        };
        const int before = value();
        const auto turn = [field] {
            const QPointF at(field->width() / 2.0, field->height() / 2.0);
            QWheelEvent wheel(at, field->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(field, &wheel);
        };
        Child<QPushButton>("convert").setFocus();
        turn();
        EXPECT_EQ(value(), before);
        EXPECT_FALSE(field->hasFocus());
        field->setFocus();
        turn();
        EXPECT_NE(value(), before);
    }
}

// Escape keeps the window open; Return in a field does not convert, Ctrl+Return does.
TEST_F(MainDlgTest, EscapeAndReturnDoNotActByAccident) {
    Open();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    QWidget& path = *Combo("outImagePath").lineEdit();
    path.setFocus();
    QTest::keyClick(&path, Qt::Key_Escape);
    QTest::keyClick(&path, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Status(), Message(242));
    QTest::keyClick(&path, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Status(), Message(240));  // no output file given
}

// Under "Specify size/offset" a cell width or height of 0 is refused as typed, and a stored one
// is marked at its field; margins of 0 are fine.
TEST_F(MainDlgTest, ZeroCellSizeIsRefusedAtTheField) {
    Open();
    const auto marked = [this](const char* name) {
        const auto* mark = Edit(name).findChild<QAction*>(QStringLiteral("fieldProblem"));
        return mark != nullptr && mark->isVisible();
    };
    EXPECT_FALSE(marked("outImageSize0"));
    Child<QRadioButton>("outImageSizeMode").setChecked(true);
    for (const char* name : {"outImageSize0", "outImageSize1"}) {
        QLineEdit& field = Edit(name);
        EXPECT_TRUE(marked(name)) << name;  // the stored 0
        EXPECT_EQ(field.toolTip().endsWith(QStringLiteral("must be larger than 0. ")), true);
        field.clear();
        QTest::keyClicks(&field, QStringLiteral("012"));
        EXPECT_EQ(field.text(), QStringLiteral("12"));
        EXPECT_FALSE(marked(name));
    }
    Child<QRadioButton>("outImageMarginMode").setChecked(true);
    Edit("outImageSize0").clear();
    QTest::keyClicks(&Edit("outImageSize0"), QStringLiteral("0"));
    EXPECT_EQ(Edit("outImageSize0").text(), QStringLiteral("0"));
    EXPECT_FALSE(marked("outImageSize0"));
}

TEST_F(MainDlgTest, ConvertsLikeTheConsole) {
    TempDir dir;
    const std::string image = MakeImageFont(dir);
    const std::string byConsole = (dir / "console.bofnt").string();
    const auto result = RunCommand(ShellQuote((BinaryDir() / "vela_typeloomc").string()) +
                                   " -i image -if " + ShellQuote(image) + " -io " +
                                   ShellQuote((BinaryDir() / "xlor/ascii.xlor").string()) +
                                   " -ic IA4 -o bofnt -of " + ShellQuote(byConsole));
    ASSERT_EQ(result.exitCode, 0) << result.err;

    Open();
    const std::string byDialog = (dir / "dialog.bofnt").string();
    SetUpImageToBinary(image, byDialog);
    dialog->RunConversion();
    EXPECT_EQ(Status(), QStringLiteral(" Conversion complete"));
    EXPECT_EQ(Child<QPushButton>("convert").text(), QStringLiteral("Convert"));
    EXPECT_FALSE(dialog->IsRunning());
    EXPECT_FALSE(dialog->WarningWindow().IsShown()) << dialog->WarningWindow().Text().size();
    const std::vector<uint8_t> expected = ReadFileBytes(byConsole);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(ReadFileBytes(byDialog), expected);
    // Both paths the run used head their histories now.
    EXPECT_EQ(settings->GetString("InBmpPath", "0", u""), std::filesystem::path(image).u16string());
    EXPECT_EQ(settings->GetString("OutQuillPath", "0", u""),
              std::filesystem::path(byDialog).u16string());
}

// Cancel pressed while the reader or the writer is at work: nothing is written, an existing
// output stays as it was and no temporary is left beside it.
TEST_F(MainDlgTest, CancelWritesNothingAndKeepsAnExistingFile) {
    struct Case {
        const char* what;
        const char* status;  // the status line at which Cancel is pressed
        bool existing;
        bool preview;  // the Preview button's run, which writes nothing anyway
    };
    const Case cases[] = {
        {"while reading", " Reading DejaVu Sans...", false, false},
        {"while reading, over a file", " Reading DejaVu Sans...", true, false},
        {"while building the binary font, over a file", " Writing sheets...", true, false},
        {"preview, while reading", " Reading DejaVu Sans...", true, true},
        {"preview, while building the binary font", " Writing sheets...", false, true},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string output = (dir / "font.bofnt").string();
        const std::vector<uint8_t> old = {'o', 'l', 'd', 0xFF};
        if (c.existing) {
            testing_support::WriteFileBytes(output, old);
        }
        Tabs("inputTabs").setCurrentIndex(2);
        Combo("inWinFace").setCurrentText(QStringLiteral("DejaVu Sans"));
        Tabs("outputTabs").setCurrentIndex(1);
        Combo("outQuillPath").setEditText(QString::fromStdString(output));
        MessageBoxResponder overwrite(QMessageBox::Ok);
        QTimer watcher;
        bool pressed = false;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            if (!pressed && Status() == QString::fromLatin1(c.status)) {
                pressed = true;
                EXPECT_EQ(Child<QPushButton>("convert").text(), QStringLiteral("Cancel"));
                Child<QPushButton>("convert").click();
            }
        });
        watcher.start(0);
        if (c.preview) {
            dialog->RunPreview();
            EXPECT_EQ(dialog->PreviewPane().Preview(), nullptr);
        } else {
            dialog->RunConversion();
        }
        EXPECT_TRUE(pressed);
        EXPECT_EQ(Status(), QStringLiteral(" Cancelled"));
        if (c.existing) {
            EXPECT_EQ(ReadFileBytes(output), old);
        } else {
            EXPECT_FALSE(std::filesystem::exists(output));
        }
        std::size_t files = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
            ++files;
        }
        EXPECT_EQ(files, c.existing ? 1u : 0u);
        EXPECT_EQ(Child<QProgressBar>("progress").value(), 0);
        EXPECT_EQ(Child<QPushButton>("convert").text(), QStringLiteral("Convert"));
    }
}

TEST_F(MainDlgTest, KeepingAnExistingFileCancels) {
    Open();
    TempDir dir;
    const std::string output = (dir / "font.bofnt").string();
    testing_support::WriteFileText(output, "old");
    Tabs("inputTabs").setCurrentIndex(2);
    Combo("inWinFace").setCurrentText(QStringLiteral("DejaVu Sans"));
    Tabs("outputTabs").setCurrentIndex(1);
    Combo("outQuillPath").setEditText(QString::fromStdString(output));
    MessageBoxResponder responder(QMessageBox::Cancel);
    dialog->RunConversion();
    ASSERT_EQ(responder.Texts().size(), 1u);
    EXPECT_EQ(responder.Texts()[0], QStringLiteral("File \"%1\" is already exists.\nDo you "
                                                   "overwrite the file?")
                                        .arg(QString::fromStdString(output)));
    EXPECT_EQ(responder.Captions()[0], QStringLiteral("Overwriting file"));
    EXPECT_EQ(Status(), QStringLiteral(" Cancelled"));
    EXPECT_EQ(ReadFileBytes(output), (std::vector<uint8_t>{'o', 'l', 'd'}));
}

TEST_F(MainDlgTest, FailureOpensTheWarningWindow) {
    Open();
    TempDir dir;
    const std::string missing = (dir / "missing.bmp").string();
    SetUpImageToBinary(missing, (dir / "out.bofnt").string());
    dialog->RunConversion();
    EXPECT_EQ(Status(), QStringLiteral(" Conversion error"));
    CWarningWnd& window = dialog->WarningWindow();
    EXPECT_TRUE(window.IsShown());
    const QString text = QString::fromStdU16String(window.Text());
    EXPECT_TRUE(text.startsWith(Message(101))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromStdString(missing))) << text.toStdString();
    EXPECT_TRUE(
        window.findChild<QPlainTextEdit*>()->toPlainText().contains(QStringLiteral("missing.bmp")));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));

    // Closed by the user, it opens again at the next failure, with only that failure's text.
    window.reject();
    Combo("inImagePath").setEditText(QString());
    dialog->RunConversion();
    EXPECT_TRUE(window.IsShown());
    EXPECT_EQ(QString::fromStdU16String(window.Text()).count(Message(101)), 1);
    EXPECT_EQ(window.findChild<QPlainTextEdit*>()->toPlainText().count(QStringLiteral("Error --")),
              1);
}

TEST_F(MainDlgTest, FilterPathIsCheckedBeforeAndAtTheFilterStep) {
    Open();
    TempDir dir;
    const std::string image = MakeImageFont(dir);
    SetUpImageToBinary(image, (dir / "out.bofnt").string());
    Check("useFilter").setChecked(true);
    const std::string missing = (dir / "none.xllt").string();
    Combo("filterPath").setEditText(QString::fromStdString(missing));
    dialog->RunConversion();
    EXPECT_TRUE(dialog->WarningWindow().Text().ends_with(
        u"The filter file (" + std::filesystem::path(missing).u16string() +
        u") does not exist. \r\n"));
    Combo("filterPath").setEditText(QString());
    dialog->RunConversion();
    EXPECT_EQ(Status(), QStringLiteral(" Conversion error"));
    EXPECT_TRUE(dialog->WarningWindow().Text().ends_with(
        u"\"Use filter\" is checked, but the character filter file path is not specified. \r\n"));
    EXPECT_FALSE(std::filesystem::exists(dir / "out.bofnt"));

    Combo("filterPath")
        .setEditText(QString::fromStdString(
            (testing_support::SourceDir() / "data/xllt/sample.xllt").string()));
    dialog->RunConversion();
    EXPECT_EQ(Status(), QStringLiteral(" Conversion complete"));
    EXPECT_TRUE(std::filesystem::exists(dir / "out.bofnt"));
}

TEST_F(MainDlgTest, WarningsOfARunAreCappedAtAHundred) {
    Open();
    CPgCtrl& progress = dialog->Progress();
    for (int i = 0; i < 150; ++i) {
        progress.AddWarning(u"odd cell", i % 2 == 0);
    }
    CWarningWnd& window = dialog->WarningWindow();
    EXPECT_TRUE(window.IsShown());
    EXPECT_EQ(window.WarningCount(), 150);
    EXPECT_EQ(
        QString::fromStdU16String(window.Text()).count(QStringLiteral("Warning: odd cell\r\n")),
        100);
    EXPECT_EQ(QString::fromStdU16String(window.Text()).count(Message(265)), 1);
    window.UpdateSummary();
    EXPECT_EQ(window.findChild<QLabel*>("messageSummary")->text(),
              QStringLiteral("Warnings: 150, shown: 100"));
}

}  // namespace
