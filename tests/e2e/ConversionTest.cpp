// The shared conversion run as a library: its preview shows what its run writes, with nothing
// written and no output path needed.
#include "core/Conversion.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/Text.h"
#include "format/ResFontPreview.h"
#include "format/TextureFormat.h"
#include "image/BitMapFile.h"
#include "readers/ImageFontReader.h"
#include "support/TestSupport.h"
#include "writers/ImageFontWriter.h"
#include "writers/QuillFontWriter.h"
#include "xml/CharSelection.h"

namespace {

using testing_support::BinaryDir;
using testing_support::SourceDir;
using testing_support::U16;

void ExpectSamePixels(const IImage& a, const IImage& b) {
    ASSERT_EQ(a.GetWidth(), b.GetWidth());
    ASSERT_EQ(a.GetHeight(), b.GetHeight());
    EXPECT_TRUE(std::equal(a.Pixels().begin(), a.Pixels().end(), b.Pixels().begin()));
}

TEST(ConversionTest, PreviewShowsWhatTheRunWrites) {
    const testing_support::ScopedPgCtrl progress;
    const testing_support::TempDir dir;
    const std::u16string order = U16(BinaryDir() / "xlor" / "ascii.xlor");
    const std::u16string groups = U16(BinaryDir() / "xggp" / "sample.xggp");
    const std::u16string sample = U16(SourceDir() / "data" / "sample" / "sample.bmp");
    for (const bool archived : {false, true}) {
        SCOPED_TRACE(archived);
        const auto output = dir / (archived ? "font.bofna" : "font.bofnt");
        CImageFontReader reader({.imagePath = sample, .orderPath = order, .format = kTexIA4});
        CQuillFontWriter previewer({.outputPath = u"",
                                    .groupsPath = archived ? groups : u"",
                                    .encoding = kEncodingShiftJis});
        CCharSelection characters;
        const FontPreview preview = CConversion(reader, previewer, characters).Preview();
        EXPECT_FALSE(std::filesystem::exists(output));

        CQuillFontWriter writer({.outputPath = U16(output),
                                 .groupsPath = archived ? groups : u"",
                                 .encoding = kEncodingShiftJis});
        CCharSelection again;
        CConversion(reader, writer, again).Run();
        const FontPreview written = LoadFontPreview(U16(output));
        ASSERT_FALSE(preview.pictures.empty());
        ASSERT_EQ(preview.pictures.size(), written.pictures.size());
        for (std::size_t n = 0; n < written.pictures.size(); ++n) {
            ExpectSamePixels(preview.pictures[n], written.pictures[n]);
        }
        ASSERT_EQ(preview.glyphs.size(), 95u);
        const PreviewGlyph* a = preview.Find(u'A');
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->glyphWidth, written.Find(u'A')->glyphWidth);
        EXPECT_EQ(a->cell, written.Find(u'A')->cell);
        EXPECT_EQ(preview.baseline, written.baseline);
    }
    const auto picture = dir / "font.bmp";
    CImageFontReader reader({.imagePath = sample, .orderPath = order, .format = kTexIA8});
    CImageFontWriter::Settings settings;
    settings.orderPath = order;
    CImageFontWriter previewer(settings);
    CCharSelection characters;
    const FontPreview preview = CConversion(reader, previewer, characters).Preview();
    settings.outputPath = U16(picture);
    CImageFontWriter writer(settings);
    CCharSelection again;
    CConversion(reader, writer, again).Run();
    ASSERT_EQ(preview.pictures.size(), 1u);
    ExpectSamePixels(preview.pictures[0], *CBitMapFile(U16(picture)).Load());
    EXPECT_EQ(preview.glyphs.size(), 95u);
}

}  // namespace
