#include "console/CmdLine.h"
#include "console/FontFactory.h"
#include "console/Converters.h"
#include "core/PgCtrl.h"
#include "core/Util.h"
#include "writers/ImageFontWriter.h"

namespace {

// The option's colour as the number typed, 0xRRGGBB, or the default when it is not given.
uint32_t ColorOption(const CCmdLine& cmdLine, std::u16string_view name, uint32_t defaultColor) {
    if (!cmdLine.HasOption(name)) {
        return defaultColor;
    }
    // ToColor keeps red in the low byte; the writer takes red in the high one.
    const uint32_t color = ToColor(cmdLine.GetParam(name));
    return (color & 0xFFu) << 16 | (color & 0xFF00u) | (color >> 16 & 0xFFu);
}

}  // namespace

std::unique_ptr<CFontWriter> ConstructImageFontWriter(const CCmdLine& cmdLine) {
    CImageFontWriter::Settings s;
    s.outputPath = cmdLine.GetParam(u"of");
    s.orderPath = cmdLine.GetParam(u"oo");
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
    s.backgroundColor = ColorOption(cmdLine, u"ocb", 0xFFFFFF);
    s.gridColor = ColorOption(cmdLine, u"ocg", 0x000000);
    s.marginColor = ColorOption(cmdLine, u"ocm", 0x99AA99);
    s.widthLineColor = ColorOption(cmdLine, u"ocw", 0xFF0000);
    s.nullCellColor = ColorOption(cmdLine, u"ocn", 0xFF7F7F);
    return std::make_unique<CImageFontWriter>(std::move(s));
}
