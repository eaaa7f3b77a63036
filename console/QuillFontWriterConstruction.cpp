#include <algorithm>
#include <limits>

#include "console/CmdLine.h"
#include "console/FontFactory.h"
#include "console/Converters.h"
#include "writers/QuillFontWriter.h"

std::unique_ptr<CFontWriter> ConstructQuillFontWriter(const CCmdLine& cmdLine) {
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
    s.groupsPath = cmdLine.GetParam(u"op");
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
