#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "MainDlgFixture.h"
#include "base/Text.h"
#include "base/TextFormat.h"
#include "core/FontReader.h"
#include "gui/CommandLine.h"
#include "gui/InImageDlg.h"
#include "gui/InWinDlg.h"
#include "gui/OutImageDlg.h"
#include "gui/OutQuillDlg.h"
#include "platform/FontCatalog.h"

namespace {

using gui_testing::ExpectError;
using gui_testing::MainDlgFixture;

class PagesTest : public MainDlgFixture {
protected:
    void SetUp() override { Open(); }
};

TEST_F(PagesTest, GradationsGiveBitDepthAndAlpha) {
    struct Case {
        int item;
        const char16_t* stored;
        int32_t bitDepth;
        bool alpha;
    };
    const Case cases[] = {{0, u"I1", 1, false}, {1, u"I4", 4, false}, {2, u"I8", 6, false},
                          {3, u"IA1", 1, true}, {4, u"IA4", 4, true}, {5, u"IA8", 6, true}};
    CInWinDlg& page = Child<CInWinDlg>();
    for (const Case& c : cases) {
        Combo("inWinDepth").setCurrentIndex(c.item);
        EXPECT_EQ(settings->GetString("InWin", "bpp", u""), c.stored);
        const CWinFontReader::Settings arguments = page.GetReaderArguments();
        EXPECT_EQ(arguments.bitDepth, c.bitDepth) << c.item;
        EXPECT_EQ(arguments.alpha, c.alpha) << c.item;
    }
    EXPECT_EQ(Combo("inWinDepth").itemText(2), QStringLiteral("64 gradations (I8)"));
}

TEST_F(PagesTest, SystemFontNumbersComeFromTheControls) {
    CInWinDlg& page = Child<CInWinDlg>();
    Combo("inWinAverage").setEditText(QStringLiteral("20"));
    Combo("inWinSize").setEditText(QStringLiteral("24px"));
    Combo("inWinWidthType").setCurrentIndex(3);
    Edit("inWinFixed").setText(QStringLiteral("-7"));
    Check("inWinSoftAA").setChecked(false);
    Check("inWinEnableAverage").setChecked(false);
    CWinFontReader::Settings arguments = page.GetReaderArguments();
    EXPECT_EQ(arguments.averageWidth, 0);  // unchecked: whatever the list shows
    EXPECT_EQ(arguments.size, 24);
    EXPECT_EQ(arguments.widthType, 3);
    EXPECT_EQ(arguments.fixedWidth, -7);
    EXPECT_FALSE(arguments.softAntialias);
    Check("inWinEnableAverage").setChecked(true);
    EXPECT_EQ(page.GetReaderArguments().averageWidth, 20);
}

// Outline and shadow reach the reader and the console command only with a gradation that has
// alpha; a shadow may fall left or up.
TEST_F(PagesTest, EffectsReachTheReaderOnlyWithAlpha) {
    CInWinDlg& page = Child<CInWinDlg>();
    Combo("inWinFace").setCurrentText(QStringLiteral("DejaVu Sans"));
    Combo("inWinDepth").setCurrentIndex(4);  // IA4
    Check("inWinOutline").setChecked(true);
    Child<QSpinBox>("inWinOutlineWidth").setValue(3);
    Check("inWinShadow").setChecked(true);
    Child<QSpinBox>("inWinShadowX").setValue(-2);
    Child<QSpinBox>("inWinShadowY").setValue(1);
    const GlyphEffects effects = page.GetReaderArguments().effects;
    EXPECT_EQ(effects.outline, 3);
    ASSERT_TRUE(effects.shadow);
    EXPECT_EQ(effects.shadow->x, -2);
    EXPECT_EQ(effects.shadow->y, 1);
    EXPECT_EQ(settings->GetInt("InWin", "ShadowX", 0), -2);
    CCommandLine line;
    page.AddCommandArguments(line);
    EXPECT_NE(line.ShellText(u"c").find(u" -ieo 3 -ies -2,1"), std::u16string::npos);

    Combo("inWinDepth").setCurrentIndex(1);  // I4: not offered, not given
    EXPECT_FALSE(Check("inWinOutline").isEnabled());
    EXPECT_FALSE(Child<QSpinBox>("inWinShadowX").isEnabled());
    EXPECT_FALSE(page.GetReaderArguments().effects.Any());
}

TEST_F(PagesTest, SizeWithoutDigitsReachesTheReadersCheck) {
    CInWinDlg& page = Child<CInWinDlg>();
    Combo("inWinFace").setCurrentText(QStringLiteral("DejaVu Sans"));
    Combo("inWinSize").setEditText(QStringLiteral("large"));
    EXPECT_EQ(page.GetReaderArguments().size, 0);
    const std::unique_ptr<CFontReader> reader = page.GetFontReader();
    ExpectError([&] { reader->ValidateInput(); }, kErrInternal, u"Invalid font size (=0).");
}

TEST_F(PagesTest, AFontFileJoinsTheFaceListAndIsRestored) {
    QComboBox& face = Combo("inWinFace");
    EXPECT_EQ(face.itemText(face.count() - 1), QStringLiteral("Add font file..."));
    const auto file = FindFaceFile(u"DejaVu Sans", 400, false);
    ASSERT_TRUE(file);
    const QString path = QString::fromStdString(file->path);
    Child<CInWinDlg>().AddFontFile(path);
    EXPECT_EQ(face.currentText(), path);
    EXPECT_EQ(Child<CInWinDlg>().GetReaderArguments().faceName, path.toStdU16String());
    CInWinDlg reopened(*settings, nullptr);
    EXPECT_EQ(reopened.GetReaderArguments().faceName, path.toStdU16String());
}

TEST_F(PagesTest, StyleAndFallbackFacesReachTheReaderAndAreKept) {
    CInWinDlg& page = Child<CInWinDlg>();
    QComboBox& face = Combo("inWinFace");
    face.setCurrentIndex(face.findText(QStringLiteral("DejaVu Sans")));
    QComboBox& style = Combo("inWinStyle");
    ASSERT_GT(style.count(), 1);
    EXPECT_EQ(style.itemText(0), QStringLiteral("Book"));
    EXPECT_EQ(page.GetReaderArguments().faceName, u"DejaVu Sans");
    style.setCurrentIndex(style.findText(QStringLiteral("Bold")));
    EXPECT_EQ(page.GetReaderArguments().faceName, u"DejaVu Sans:Bold");
    // Added once each, in order; the last one added is raised above the first.
    for (const char* name : {"IPAGothic", "DejaVu Serif", "IPAGothic"}) {
        Combo("inWinFallbackFace").setEditText(QString::fromUtf8(name));
        Child<QPushButton>("inWinAddFallback").click();
    }
    Child<QPushButton>("inWinRaiseFallback").click();
    const std::vector<std::u16string> fallbacks{u"DejaVu Serif", u"IPAGothic"};
    EXPECT_EQ(page.GetReaderArguments().fallbackFaces, fallbacks);
    CInWinDlg reopened(*settings, nullptr);
    EXPECT_EQ(reopened.GetReaderArguments().faceName, u"DejaVu Sans:Bold");
    EXPECT_EQ(reopened.GetReaderArguments().fallbackFaces, fallbacks);
    Child<QPushButton>("inWinRemoveFallback").click();
    EXPECT_EQ(page.GetReaderArguments().fallbackFaces, std::vector<std::u16string>{u"IPAGothic"});
    // A font file is one face: no styles to choose.
    const auto file = FindFaceFile(u"DejaVu Sans", 400, false);
    ASSERT_TRUE(file);
    page.AddFontFile(QString::fromStdString(file->path));
    EXPECT_EQ(style.count(), 0);
    EXPECT_EQ(page.GetReaderArguments().faceName, Utf8ToUtf16(file->path));
}

TEST_F(PagesTest, ImagePageNeedsItsLetterOrder) {
    CInImageDlg& page = Child<CInImageDlg>();
    Combo("inImageFormat").setCurrentIndex(2);
    CImageFontReader::Settings arguments = page.GetReaderArguments();
    EXPECT_TRUE(arguments.orderPath.ends_with(u"/xlor/cp1252.xlor"));
    EXPECT_EQ(arguments.format, 2);
    EXPECT_TRUE(Check("inImageAssist").isEnabled());
    Combo("inImageFormat").setCurrentIndex(1);  // I8 has no alpha to prepare
    EXPECT_FALSE(Check("inImageAssist").isEnabled());
    Combo("inImageOrder").setCurrentIndex(-1);
    ExpectError([&] { page.GetReaderArguments(); }, kErrInputValue,
                u"Letter order file was not selected.");

    // Before the folder scan has reported, the page cannot build its reader.
    CInImageDlg early(*settings, nullptr);
    ExpectError([&] { early.GetReaderArguments(); }, kErrInputValue, u"Now loading. Please wait.");
}

TEST_F(PagesTest, BinaryFontExtensionFollowsTheGroupSet) {
    COutQuillDlg& page = Child<COutQuillDlg>();
    QComboBox& group = Combo("outQuillGroup");
    ASSERT_GE(group.count(), 2);
    EXPECT_EQ(group.itemText(0), QStringLiteral("no groups(no compression/normal font)"));
    struct Case {
        const char16_t* typed;
        int group;
        const char16_t* final;
    };
    const Case cases[] = {
        {u"/out/font.BOFNT", 1, u"/out/font.bofna"},
        {u"/out/font.bofna", 0, u"/out/font.bofnt"},
        {u"/out/font.BofNa", 1, u"/out/font.bofna"},
        {u"/out/font.fnt", 1, u"/out/font.fnt"},
        {u"/out/font", 0, u"/out/font"},
    };
    for (const Case& c : cases) {
        Combo("outQuillPath").setEditText(QString::fromStdU16String(c.typed));
        group.setCurrentIndex(c.group);
        const CQuillFontWriter::Settings arguments = page.GetWriterArguments();
        EXPECT_EQ(QString::fromStdU16String(arguments.outputPath),
                  QString::fromStdU16String(c.final));
        EXPECT_EQ(arguments.groupsPath.empty(), c.group == 0);
    }
    group.setCurrentIndex(-1);
    ExpectError([&] { page.GetWriterArguments(); }, kErrInputValue, u"glyph-group not selected");
}

TEST_F(PagesTest, SheetItemsGivePixelCounts) {
    COutQuillDlg& page = Child<COutQuillDlg>();
    const int32_t expected[] = {0, 16384, 32768, 65536, 131072, 262144, 524288, 1048576};
    QComboBox& sheet = Combo("outQuillSheet");
    ASSERT_EQ(sheet.count(), 8);
    EXPECT_EQ(sheet.itemText(0), QStringLiteral("auto"));
    EXPECT_EQ(sheet.itemText(1), QStringLiteral("16 KPixels (128x128 etc.)"));
    EXPECT_EQ(sheet.itemText(7), QStringLiteral("1024 KPixels (1024x1024 etc.)"));
    for (int item = 0; item < 8; ++item) {
        sheet.setCurrentIndex(item);
        EXPECT_EQ(page.GetWriterArguments().sheetPixels, expected[item]) << item;
    }
}

TEST_F(PagesTest, UseDefaultBoxesGive65535) {
    COutQuillDlg& page = Child<COutQuillDlg>();
    CQuillFontWriter::Settings arguments = page.GetWriterArguments();
    EXPECT_EQ(arguments.alternateChar, 0xFFFF);
    EXPECT_EQ(arguments.lineFeed, 65535);
    EXPECT_EQ(arguments.defaultLeft, 65535);
    EXPECT_EQ(arguments.defaultWidth, 65535);
    EXPECT_EQ(arguments.defaultRight, 65535);
    EXPECT_FALSE(Edit("outQuillLineHeight").isEnabled());

    const char* const boxes[] = {"outQuillAlterCharUseDef", "outQuillLineHeightUseDef",
                                 "outQuillDefaultLeftUseDef", "outQuillDefaultWidthUseDef",
                                 "outQuillDefaultRightUseDef"};
    for (const char* box : boxes) {
        Check(box).setChecked(false);
    }
    EXPECT_TRUE(Edit("outQuillLineHeight").isEnabled());
    Edit("outQuillAlterChar").setText(QStringLiteral("?"));
    Edit("outQuillLineHeight").setText(QStringLiteral("20"));
    Edit("outQuillDefaultLeft").setText(QStringLiteral("-2"));
    Edit("outQuillDefaultWidth").setText(QStringLiteral("12"));
    Edit("outQuillDefaultRight").setText(QStringLiteral("x"));
    arguments = page.GetWriterArguments();
    EXPECT_EQ(arguments.alternateChar, u'?');
    EXPECT_EQ(arguments.lineFeed, 20);
    EXPECT_EQ(arguments.defaultLeft, -2);
    EXPECT_EQ(arguments.defaultWidth, 12);
    EXPECT_EQ(arguments.defaultRight, 0);
}

TEST_F(PagesTest, SubstituteCharacterMustExistInTheCodePage) {
    COutQuillDlg& page = Child<COutQuillDlg>();
    Check("outQuillAlterCharUseDef").setChecked(false);
    QComboBox& encoding = Combo("outQuillEncoding");
    struct Case {
        int encoding;
        char16_t ch;
        bool accepted;
    };
    const Case cases[] = {{1, u'\u00E9', true}, {2, u'\u3042', true},  {2, u'\u00E9', false},
                          {3, u'\u00E9', true}, {3, u'\u3042', false}, {0, u'\u3042', true}};
    for (const Case& c : cases) {
        encoding.setCurrentIndex(c.encoding);
        Edit("outQuillAlterChar").setText(QString(QChar(c.ch)));
        if (c.accepted) {
            EXPECT_EQ(page.GetWriterArguments().alternateChar, c.ch);
        } else {
            const MessageArg code[] = {static_cast<int>(c.ch)};
            ExpectError([&] { page.GetWriterArguments(); }, kErrInputValue,
                        FormatText(u"Cannot show substitute character (0x%04X) in Unicode. Use "
                                   u"another character. ",
                                   code));
        }
    }
    encoding.setCurrentIndex(-1);
    ExpectError([&] { page.GetWriterArguments(); }, kErrInputValue,
                u"The output encoding is not selected. ");
}

TEST_F(PagesTest, ImageFormatDecidesTheExtension) {
    COutImageDlg& page = Child<COutImageDlg>();
    struct Case {
        int format;
        const char16_t* typed;
        const char16_t* final;
    };
    const Case cases[] = {
        {1, u"/o/font.tga", u"/o/font.bmp"},     {1, u"/o/font", u"/o/font.bmp"},
        {1, u"/o/font.png", u"/o/font.png.bmp"}, {1, u"/o/font.BMP", u"/o/font.BMP"},
        {2, u"/o/font.Bmp", u"/o/font.tga"},     {2, u"/o/font.tga", u"/o/font.tga"},
        {0, u"/o/font.png", u"/o/font.png"},     {3, u"/o/font.tga", u"/o/font.png"},
        {3, u"/o/font.png", u"/o/font.png"},
    };
    for (const Case& c : cases) {
        Combo("outImageFormat").setCurrentIndex(c.format);
        Combo("outImagePath").setEditText(QString::fromStdU16String(c.typed));
        EXPECT_EQ(QString::fromStdU16String(page.GetWriterArguments().outputPath),
                  QString::fromStdU16String(c.final));
    }
}

TEST_F(PagesTest, ImageCellsFromSizeOrMargins) {
    COutImageDlg& page = Child<COutImageDlg>();
    Child<QRadioButton>("outImageSizeMode").setChecked(true);
    const char* const fields[] = {"outImageSize0", "outImageSize1", "outImageSize2",
                                  "outImageSize3"};
    const int values[] = {20, 24, 3, 4};
    for (int i = 0; i < 4; ++i) {
        Edit(fields[i]).setText(QString::number(values[i]));
    }
    CImageFontWriter::Settings s = page.GetWriterArguments();
    EXPECT_EQ(s.cellWidth, 20);
    EXPECT_EQ(s.cellHeight, 24);
    EXPECT_EQ(s.leftMargin, -1);  // centred
    EXPECT_EQ(s.topMargin, -1);
    Check("outImageCenter").setChecked(false);
    s = page.GetWriterArguments();
    EXPECT_EQ(s.leftMargin, 3);
    EXPECT_EQ(s.topMargin, 4);
    EXPECT_EQ(settings->GetInt("OutBmp", "Width", 0), 20);

    Child<QRadioButton>("outImageMarginMode").setChecked(true);
    EXPECT_EQ(Edit(fields[0]).text(), QStringLiteral("0"));  // the margins have their own keys
    for (int i = 0; i < 4; ++i) {
        Edit(fields[i]).setText(QString::number(values[i] + 1));
    }
    s = page.GetWriterArguments();
    EXPECT_EQ(s.cellWidth, -1);
    EXPECT_EQ(s.leftMargin, 21);
    EXPECT_EQ(s.topMargin, 25);
    EXPECT_EQ(s.rightMargin, 4);
    EXPECT_EQ(s.bottomMargin, 5);
    Check("outImageCenter").setChecked(true);
    s = page.GetWriterArguments();
    EXPECT_EQ(s.rightMargin, 21);
    EXPECT_EQ(s.bottomMargin, 25);
    EXPECT_EQ(settings->GetInt("OutBmp", "MarginRight", 0), 4);

    settings->SetString("OutBmp", "GridColor", u"FF7F00");
    EXPECT_EQ(page.GetWriterArguments().gridColor, 0xFF7F00u);
    settings->SetString("OutBmp", "BackgroundColor", u"0X123456");
    ExpectError([&] { page.GetWriterArguments(); }, kErrInputValue,
                u"Invalid color parameter format(0X123456)");
}

}  // namespace
