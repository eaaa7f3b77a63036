#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <algorithm>
#include <string>

#include "GuiTestSupport.h"
#include "gui/GroupFileList.h"
#include "gui/OrderFileList.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFileText;

std::string Header(const std::string& title) {
    return "<?xml version=\"1.0\"?>\n<letter-order version=\"1.1\"><head><title>" + title +
           "</title><comment>about " + title + "</comment></head><body/></letter-order>\n";
}

// Runs the scan and waits for its report on this thread.
std::vector<XmlFileInfo> Scan(CVsxXmlFileList& list, const std::vector<std::u16string>& bases,
                              int& reports) {
    QObject receiver;
    const int before = reports;
    list.StartScan(bases, &receiver, [&reports] { ++reports; });
    list.Wait();
    EXPECT_TRUE(list.IsFinished());
    QElapsedTimer waited;
    waited.start();
    while (reports == before && waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return list.Files();
}

TEST(VsxXmlFileList, ReadsTheHeadersOfTheFilesWithItsExtension) {
    TempDir dir;
    std::filesystem::create_directories(dir / "xlor");
    WriteFileText(dir / "xlor/latin.xlor", Header("Latin"));
    WriteFileText(dir / "xlor/UPPER.XLOR", Header("Upper"));
    WriteFileText(dir / "xlor/broken.xlor", "<letter-order><head><title>x</head>");
    WriteFileText(dir / "xlor/notes.txt", Header("Notes"));
    COrderFileList list;
    int reports = 0;
    std::vector<XmlFileInfo> files = Scan(list, {dir.Path().u16string()}, reports);
    EXPECT_EQ(reports, 1);
    std::sort(files.begin(), files.end(),
              [](const XmlFileInfo& a, const XmlFileInfo& b) { return a.fileName < b.fileName; });
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].fileName, u"UPPER.XLOR");
    EXPECT_EQ(files[1].fileName, u"latin.xlor");
    EXPECT_EQ(files[1].title, u"Latin");
    EXPECT_EQ(files[1].comment, u"about Latin");
    EXPECT_EQ(files[1].path, (dir / "xlor/latin.xlor").u16string());
}

TEST(VsxXmlFileList, MissingFolderGivesAnEmptyList) {
    TempDir dir;
    COrderFileList list;
    int reports = 0;
    EXPECT_TRUE(Scan(list, {dir.Path().u16string()}, reports).empty());
    EXPECT_EQ(reports, 1);
}

TEST(VsxXmlFileList, FallsBackToTheNextFolderThatHasIt) {
    TempDir program;
    TempDir installed;
    std::filesystem::create_directories(installed / "xggp");
    WriteFileText(installed / "xggp/groups.xggp",
                  "<glyph-groups version=\"1.0\"><head><title>G</title></head></glyph-groups>");
    CGroupFileList list;
    int reports = 0;
    const std::vector<XmlFileInfo> files =
        Scan(list, {program.Path().u16string() + u"/", installed.Path().u16string()}, reports);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].title, u"G");
    EXPECT_EQ(files[0].path, (installed / "xggp/groups.xggp").u16string());
}

TEST(VsxXmlFileList, ShipsTheBuildsDefinitionFiles) {
    COrderFileList orders;
    CGroupFileList groups;
    int reports = 0;
    const std::vector<std::u16string> bases = {testing_support::BinaryDir().u16string()};
    const std::vector<XmlFileInfo> orderFiles = Scan(orders, bases, reports);
    EXPECT_TRUE(std::any_of(orderFiles.begin(), orderFiles.end(),
                            [](const XmlFileInfo& f) { return f.fileName == u"cp1252.xlor"; }));
    EXPECT_FALSE(Scan(groups, bases, reports).empty());
}

}  // namespace
