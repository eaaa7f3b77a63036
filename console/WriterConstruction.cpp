#include "console/WriterConstruction.h"

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>

#include "base/GlobalException.h"
#include "base/Util.h"
#include "console/CmdLine.h"
#include "console/ConstructionTable.h"
#include "console/Converters.h"
#include "core/PgCtrl.h"
#include "writers/BmFontWriter.h"
#include "writers/ImageFontWriter.h"
#include "writers/QuillFontWriter.h"

namespace {

// The image font's colours: the option that sets each and its colour when not given, 0xRRGGBB.
struct ColorOption {
    std::u16string_view name;
    uint32_t CImageFontWriter::Settings::*field;
    uint32_t defaultColor;
};

constexpr ColorOption kColorOptions[] = {
    {u"ocb", &CImageFontWriter::Settings::backgroundColor, 0xFFFFFF},
    {u"ocg", &CImageFontWriter::Settings::gridColor, 0x000000},
    {u"ocm", &CImageFontWriter::Settings::marginColor, 0x99AA99},
    {u"ocw", &CImageFontWriter::Settings::widthLineColor, 0xFF0000},
    {u"ocn", &CImageFontWriter::Settings::nullCellColor, 0xFF7F7F},
};

// The option's colour as the number typed, 0xRRGGBB, or the default when it is not given.
uint32_t ColorParam(const CCmdLine& cmdLine, const ColorOption& option) {
    if (!cmdLine.HasOption(option.name)) {
        return option.defaultColor;
    }
    // ToColor keeps red in the low byte; the writer takes red in the high one.
    const uint32_t color = ToColor(cmdLine.GetParam(option.name));
    return (color & 0xFFu) << 16 | (color & 0xFF00u) | (color >> 16 & 0xFFu);
}

std::unique_ptr<CFontWriter> ImageFontWriter(const CCmdLine& cmdLine) {
    CImageFontWriter::Settings s;
    s.outputPath = cmdLine.GetParam(u"of");
    s.orderPath = ToDefinitionFile(cmdLine.GetParam(u"oo"), u"xlor");
    s.outputFormat = cmdLine.HasOption(u"oi") ? ToImageFormat(cmdLine.GetParam(u"oi"))
                                              : CImageFontWriter::kByExtension;
    if (cmdLine.HasOption(u"ow") || cmdLine.HasOption(u"oh")) {
        if (cmdLine.HasOption(u"or")) {
            ReportWarning(g_pPgCtrl, 268);
        }
        if (cmdLine.HasOption(u"ob")) {
            ReportWarning(g_pPgCtrl, 267);
        }
        s.cellWidth = cmdLine.GetIntParam(u"ow", -1);
        s.cellHeight = cmdLine.GetIntParam(u"oh", -1);
        s.leftMargin = cmdLine.GetIntParam(u"ol", -1);
        s.topMargin = cmdLine.GetIntParam(u"ot", -1);
        s.rightMargin = 0;
        s.bottomMargin = 0;
    } else {
        s.leftMargin = cmdLine.GetIntParam(u"ol", 0);
        s.topMargin = cmdLine.GetIntParam(u"ot", 0);
        s.rightMargin = cmdLine.GetIntParam(u"or", s.leftMargin);
        s.bottomMargin = cmdLine.GetIntParam(u"ob", s.topMargin);
    }
    s.drawGrid = !cmdLine.HasOption(u"og");
    for (const ColorOption& option : kColorOptions) {
        s.*option.field = ColorParam(cmdLine, option);
    }
    return std::make_unique<CImageFontWriter>(std::move(s));
}

std::unique_ptr<CFontWriter> QuillFontWriter(const CCmdLine& cmdLine) {
    constexpr int32_t kNotGiven = CQuillFontWriter::kNotGiven;
    CQuillFontWriter::Settings s;
    s.encoding =
        cmdLine.HasOption(u"oe") ? ToEncodingType(cmdLine.GetParam(u"oe")) : kEncodingUtf16;
    if (cmdLine.HasOption(u"oa")) {
        s.alternateChar = ToCharCode(cmdLine.GetParam(u"oa"), s.encoding);
    }
    s.lineFeed = cmdLine.GetIntParam(u"oh", kNotGiven);
    s.defaultWidth = cmdLine.GetIntParam(u"ow", kNotGiven);
    s.defaultLeft = cmdLine.GetIntParam(u"ol", kNotGiven);
    s.defaultRight = cmdLine.GetIntParam(u"or", kNotGiven);
    s.outputPath = cmdLine.GetParam(u"of");
    s.groupsPath = ToDefinitionFile(cmdLine.GetParam(u"op"), u"xggp");
    if (!cmdLine.HasOption(u"os") && cmdLine.HasOption(u"ox")) {
        ToSheetSize(s.sheetWidth, s.sheetHeight, cmdLine.GetParam(u"ox"));
    } else {
        // The option counts thousands of pixels (1024 each); a count past 32 bits fits no sheet.
        const int64_t kiloPixels = cmdLine.GetIntParam(u"os", 0);
        s.sheetPixels = static_cast<int32_t>(
            std::clamp<int64_t>(kiloPixels * 1024, std::numeric_limits<int32_t>::min(),
                                std::numeric_limits<int32_t>::max()));
    }
    return std::make_unique<CQuillFontWriter>(std::move(s));
}

// The descriptor in text form unless -ofx (XML) or -ofb (binary) asks for another.
std::unique_ptr<CFontWriter> BmFontWriter(const CCmdLine& cmdLine) {
    const bool xml = cmdLine.HasOption(u"ofx");
    const bool binary = cmdLine.HasOption(u"ofb");
    if (xml && binary) {
        TL_THROW(kErrCommandLine, 454);
    }
    CBmFontWriter::Settings s;
    s.outputPath = cmdLine.GetParam(u"of");
    s.form = xml ? BmFontForm::kXml : binary ? BmFontForm::kBinary : BmFontForm::kText;
    return std::make_unique<CBmFontWriter>(std::move(s));
}

constexpr Construction<CFontWriter> kWriters[] = {
    {u"image", ImageFontWriter},
    {u"bmp", ImageFontWriter},
    {u"bofnt", QuillFontWriter},
    {u"fnt", BmFontWriter},
};

}  // namespace

std::unique_ptr<CFontWriter> CreateWriter(const CCmdLine& cmdLine) {
    return ConstructNamed<CFontWriter>(kWriters, cmdLine, u"o", 183, 215);
}
