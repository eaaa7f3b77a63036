#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "MainDlgFixture.h"
#include "gui/CommandLine.h"

namespace {

using gui_testing::MainDlgFixture;
using testing_support::BinaryDir;
using testing_support::ReadFileBytes;
using testing_support::RunCommand;
using testing_support::ShellQuote;
using testing_support::SourceDir;
using testing_support::TempDir;

TEST(CommandLine, QuotesWhatAShellWouldChange) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"-i", u"-i"},
        {u"/a/b_c.bofnt", u"/a/b_c.bofnt"},
        {u"DejaVu Sans", u"'DejaVu Sans'"},
        {u"it's", u"'it'\\''s'"},
        {u"", u"''"},
        {u"$HOME*`x`", u"'$HOME*`x`'"},
        {u"\u00E9", u"'\u00E9'"},
    };
    for (const auto& [word, quoted] : cases) {
        EXPECT_EQ(ShellQuoted(word), quoted);
    }
}

TEST(CommandLine, RefusesValuesThatReadAsOptions) {
    CCommandLine line;
    line.AddNumber(u"-ol", 3);
    gui_testing::ExpectError([&line] { line.AddNumber(u"-or", -1); }, kErrInputValue,
                             u"Option -or cannot take the value (-1) on the command line: a value "
                             u"starting with a hyphen is read as an option. ");
    EXPECT_EQ(line.Arguments(), (std::vector<std::u16string>{u"-ol", u"3"}));
}

class CommandLineTest : public MainDlgFixture {
protected:
    // In tab order.
    enum Input { kImage, kBinary, kInstalled, kBmFont };
    enum Output { kImageOut, kBinaryOut, kBmFontOut };

    // Each source and target with settings away from their defaults, so that every option
    // the pages give has to reach the console.
    void SetInput(Input input) {
        Tabs("inputTabs").setCurrentIndex(input);
        if (input == kImage) {
            Combo("inImagePath").setEditText(QString::fromStdString(image));
            SelectOrder("inImageOrder", QStringLiteral("ascii.xlor"));
            Combo("inImageFormat").setCurrentIndex(5);  // RGB5A3
            Check("inImageAssist").setChecked(true);
        } else if (input == kBinary) {
            Combo("inQuillPath").setEditText(QString::fromStdString(binary));
        } else if (input == kBmFont) {
            Combo("inBmFontPath").setEditText(QString::fromStdString(bmFont));
            Combo("inBmFontFormat").setCurrentIndex(3);  // IA8
        } else {
            Combo("inWinFace").setCurrentText(QStringLiteral("DejaVu Sans"));
            Combo("inWinSize").setEditText(QStringLiteral("14"));
            Combo("inWinDepth").setCurrentIndex(4);  // IA4
            Check("inWinEnableAverage").setChecked(true);
            Combo("inWinAverage").setEditText(QStringLiteral("7"));
            Combo("inWinWidthType").setCurrentIndex(3);  // fixed
            Edit("inWinFixed").setText(QStringLiteral("9"));
        }
    }
    void SetOutput(Output output, const std::filesystem::path& path) {
        Tabs("outputTabs").setCurrentIndex(output);
        if (output == kImageOut) {
            Combo("outImagePath").setEditText(QString::fromStdString(path.string()));
            SelectOrder("outImageOrder", QStringLiteral("ascii.xlor"));
            Combo("outImageFormat").setCurrentIndex(2);  // TGA
            Check("outImageGrid").setChecked(false);
            Child<QRadioButton>("outImageMarginMode").setChecked(true);
            Check("outImageCenter").setChecked(false);
            for (int i = 0; i < 4; ++i) {
                Edit(("outImageSize" + std::to_string(i)).c_str()).setText(QString::number(i + 1));
            }
            settings->SetString("OutBmp", "GridColor", u"102030");
        } else if (output == kBmFontOut) {
            Combo("outBmFontPath").setEditText(QString::fromStdString(path.string()));
            Combo("outBmFontForm").setCurrentIndex(2);  // binary
        } else {
            Combo("outQuillPath").setEditText(QString::fromStdString(path.string()));
            Combo("outQuillEncoding").setCurrentIndex(2);  // Shift_JIS
            SelectOrder("outQuillGroup", QStringLiteral("sample.xggp"));
            Combo("outQuillSheet").setCurrentIndex(2);
            Check("outQuillAlterCharUseDef").setChecked(false);
            Edit("outQuillAlterChar").setText(QStringLiteral("-"));
            Check("outQuillLineHeightUseDef").setChecked(false);
            Edit("outQuillLineHeight").setText(QStringLiteral("21"));
        }
    }

    TempDir dir;
    std::string image;
    std::string binary;
    const std::string bmFont = (SourceDir() / "tests/golden/fnt-dejavu.fnt").string();
};

// The command copied for each source and target, run by a shell, writes the very bytes the
// desktop program writes. The output folder's name needs quoting.
TEST_F(CommandLineTest, WritesTheSameFileAsTheDesktopProgram) {
    image = MakeImageFont(dir);
    binary = (dir / "font.bofnt").string();
    const auto made = RunCommand(ShellQuote((BinaryDir() / "vela_typeloomc").string()) +
                                 " -i image -if " + ShellQuote(image) + " -io " +
                                 ShellQuote((BinaryDir() / "xlor/ascii.xlor").string()) +
                                 " -ic IA4 -o bofnt -of " + ShellQuote(binary));
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const std::filesystem::path folder = dir / "it's a folder";
    std::filesystem::create_directory(folder);

    Open();
    Check("useFilter").setChecked(true);
    Combo("filterPath")
        .setEditText(QString::fromStdString((SourceDir() / "data/xllt/sample.xllt").string()));
    for (const Input input : {kImage, kBinary, kInstalled, kBmFont}) {
        for (const Output output : {kImageOut, kBinaryOut, kBmFontOut}) {
            SCOPED_TRACE(testing::Message() << "input " << input << ", output " << output);
            SetInput(input);
            SetOutput(output, folder / "font");
            const std::string command =
                QString::fromStdU16String(dialog->CommandLine()).toStdString();
            dialog->RunConversion();
            ASSERT_EQ(Status(), gui_testing::Message(241)) << dialog->WarningWindow().Text().size();
            // The path as the run settled it: font.tga, or font.bofna for glyph groups; a
            // BMFont font's page beside it.
            const char* const fields[] = {"outImagePath", "outQuillPath", "outBmFontPath"};
            std::vector<std::filesystem::path> written = {
                Combo(fields[output]).currentText().toStdString()};
            if (output == kBmFontOut) {
                written.push_back(folder / "font_0.png");
                EXPECT_NE(
                    command.find(" -o fnt -of " +
                                 QString::fromStdU16String(ShellQuoted(written[0].u16string()))
                                     .toStdString() +
                                 " -ofb"),
                    std::string::npos)
                    << command;
            }
            if (input == kBmFont) {
                EXPECT_NE(command.find(" -i fnt -if " + bmFont + " -ic IA8 "), std::string::npos)
                    << command;
            }
            for (std::size_t i = 0; i < written.size(); ++i) {
                std::filesystem::rename(written[i], dir / ("desktop" + std::to_string(i)));
            }
            // The test program has no console program beside it: the command names it alone,
            // and the search path finds the build's.
            const auto result =
                RunCommand("ASAN_OPTIONS=detect_leaks=0 PATH=" + ShellQuote(BinaryDir().string()) +
                           ":\"$PATH\" " + command);
            ASSERT_EQ(result.exitCode, 0) << command << "\n" << result.err;
            for (std::size_t i = 0; i < written.size(); ++i) {
                EXPECT_EQ(ReadFileBytes(written[i]),
                          ReadFileBytes(dir / ("desktop" + std::to_string(i))))
                    << command;
                std::filesystem::remove(written[i]);
            }
        }
    }
}

// The button and the window's menu put the command on the clipboard; a value the console
// cannot take is said in the message window instead.
TEST_F(CommandLineTest, CopiedByTheButtonAndTheMenu) {
    Open();
    SetInput(kInstalled);
    SetOutput(kImageOut, dir / "font");
    QGuiApplication::clipboard()->clear();
    Child<QPushButton>("copyCommand").click();
    const QString command = QString::fromStdU16String(dialog->CommandLine());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), command);
    EXPECT_TRUE(
        command.contains(QStringLiteral(" -i win -in 'DejaVu Sans' -is 14 -isw 7 -ic IA4 "
                                        "-ia -it fixed -iw 9 -o image -of ")))
        << command.toStdString();
    EXPECT_EQ(dialog->contextMenuPolicy(), Qt::ActionsContextMenu);
    ASSERT_EQ(dialog->actions().size(), 1);
    Edit("outImageSize2").setText(QStringLiteral("-2"));
    QGuiApplication::clipboard()->clear();
    dialog->actions().front()->trigger();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
    EXPECT_TRUE(dialog->WarningWindow().IsShown());
    EXPECT_NE(dialog->WarningWindow().Text().find(u"Option -or cannot take the value (-2)"),
              std::u16string::npos);
}

}  // namespace
