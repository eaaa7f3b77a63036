#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>
#include <filesystem>

#include "MainDlgFixture.h"
#include "format/FontFileCheck.h"
#include "format/ResFont.h"
#include "format/ResFontPreview.h"
#include "gui/PreviewPane.h"

namespace {

using gui_testing::MainDlgFixture;
using gui_testing::Message;
using testing_support::TempDir;

// DejaVu Sans at 16 pixels into a binary font, normal or archived.
class PreviewTest : public MainDlgFixture {
protected:
    void Convert(int groupSet) {
        Open();
        Child<QTabWidget>("inputTabs").setCurrentIndex(2);
        Child<QComboBox>("inWinFace").setCurrentText(QStringLiteral("DejaVu Sans"));
        Child<QTabWidget>("outputTabs").setCurrentIndex(1);
        Child<QComboBox>("outQuillGroup").setCurrentIndex(groupSet);
        Child<QComboBox>("outQuillPath").setEditText(QString::fromStdU16String(output));
        dialog->RunConversion();
        ASSERT_EQ(Status(), Message(241));
        output = Child<QComboBox>("outQuillPath").currentText().toStdU16String();
        ASSERT_NE(dialog->PreviewPane().Preview(), nullptr);
    }

    TempDir dir;
    std::u16string output = (dir / "font.bofnt").u16string();
};

void ExpectSamePreview(const FontPreview& a, const FontPreview& b) {
    ASSERT_EQ(a.pictures.size(), b.pictures.size());
    for (std::size_t i = 0; i < a.pictures.size(); ++i) {
        EXPECT_TRUE(std::ranges::equal(a.pictures[i].Pixels(), b.pictures[i].Pixels())) << i;
    }
    ASSERT_EQ(a.glyphs.size(), b.glyphs.size());
    for (std::size_t i = 0; i < a.glyphs.size(); ++i) {
        const PreviewGlyph& x = a.glyphs[i];
        const PreviewGlyph& y = b.glyphs[i];
        EXPECT_TRUE(x.code == y.code && x.index == y.index && x.picture == y.picture &&
                    x.cell == y.cell && x.left == y.left && x.glyphWidth == y.glyphWidth &&
                    x.advance == y.advance)
            << "U+" << std::hex << int{x.code};
    }
    EXPECT_EQ(std::tie(a.cellWidth, a.cellHeight, a.baseline, a.textureFormat, a.alternate),
              std::tie(b.cellWidth, b.cellHeight, b.baseline, b.textureFormat, b.alternate));
}

// What a conversion shows from memory, and what the Preview button shows without writing, is
// what the written file holds, pixel for pixel and entry for entry, normal or archived; the file
// chosen as input shows the same as it stands.
TEST_F(PreviewTest, InMemoryConversionIsTheWrittenFont) {
    for (const int groupSet : {0, 1}) {
        SCOPED_TRACE(groupSet);
        Convert(groupSet);
        const FontPreview written = LoadFontPreview(output);
        EXPECT_GT(written.pictures.size(), 1u);
        ExpectSamePreview(*dialog->PreviewPane().Preview(), written);
        const std::filesystem::path unwritten = dir / "unwritten.bofnt";
        Child<QComboBox>("outQuillPath").setEditText(QString::fromStdString(unwritten.string()));
        dialog->RunPreview();
        ExpectSamePreview(*dialog->PreviewPane().Preview(), written);
        EXPECT_FALSE(std::filesystem::exists(unwritten));

        Child<QTabWidget>("inputTabs").setCurrentIndex(1);
        Child<QComboBox>("inQuillPath").setEditText(QString::fromStdU16String(output));
        dialog->PreviewInputFont();
        ExpectSamePreview(*dialog->PreviewPane().Preview(), written);
        dialog.reset();
    }
}

// The sample line puts each character where the font's width entries put it.
TEST_F(PreviewTest, SampleGlyphsSitWhereTheWidthEntriesSay) {
    Convert(0);
    const CResFont font = LoadFontFile(output);
    Child<QLineEdit>("previewSample").setText(QStringLiteral("Typeloom, 16 px! \u00E9j\u2014W"));
    const std::vector<SamplePlace>& places = dialog->PreviewPane().SampleView().Places();
    ASSERT_EQ(places.size(), 21u);
    int32_t pen = 0;
    for (const SamplePlace& place : places) {
        const WidthEntry entry = font.WidthOfIndex(font.CodeToIndex(place.code));
        ASSERT_NE(place.glyph, nullptr) << int{place.code};
        EXPECT_EQ(place.pen, pen) << int{place.code};
        EXPECT_EQ(place.glyph->left, entry.left) << int{place.code};
        EXPECT_EQ(place.glyph->glyphWidth, entry.glyphWidth) << int{place.code};
        EXPECT_EQ(place.glyph->advance, entry.advance) << int{place.code};
        pen += entry.advance;
    }
}

// Every sheet is counted and can be chosen; a character the font lacks is boxed in the sample;
// a change of a setting marks the preview out of date and a failed run takes it away.
TEST_F(PreviewTest, SheetsMissingCharactersAndStaleness) {
    Convert(0);
    CPreviewPane& pane = dialog->PreviewPane();
    const int sheets = static_cast<int>(pane.Preview()->pictures.size());
    ASSERT_GT(sheets, 1);
    EXPECT_EQ(pane.SheetText(), QStringLiteral("Sheet 1 of %1").arg(sheets));
    QListWidget& strip = Child<QListWidget>("previewSheets");
    EXPECT_EQ(strip.count(), sheets);
    strip.setCurrentRow(sheets - 1);
    EXPECT_EQ(pane.Picture(), sheets - 1);
    EXPECT_EQ(pane.SheetText(), QStringLiteral("Sheet %1 of %1").arg(sheets));

    Child<QLineEdit>("previewSample").setText(QStringLiteral("A\uE000B"));
    const std::vector<SamplePlace>& places = pane.SampleView().Places();
    ASSERT_EQ(places.size(), 3u);
    EXPECT_FALSE(places[0].missing);
    EXPECT_TRUE(places[1].missing);
    EXPECT_GT(places[1].advance, 0);
    EXPECT_EQ(places[2].pen, places[1].pen + places[1].advance);

    EXPECT_FALSE(pane.IsOutOfDate());
    Child<QComboBox>("inWinSize").setEditText(QStringLiteral("0"));
    EXPECT_TRUE(pane.IsOutOfDate());
    EXPECT_TRUE(Child<QLabel>("previewNotice").isVisibleTo(&pane));
    dialog->RunPreview();
    EXPECT_EQ(Status(), Message(240));
    EXPECT_EQ(pane.Preview(), nullptr);
    EXPECT_EQ(strip.count(), 0);
}

}  // namespace
