#include <algorithm>
#include <limits>

#include "console/CmdLine.h"
#include "console/ConsoleConstruction.h"
#include "console/Converters.h"
#include "writers/QuillFontWriter.h"

std::unique_ptr<CFontWriter> ConstructQuillFontWriter(const CCmdLine& cmdLine) {
    constexpr int32_t kNotGiven = CQuillFontWriter::kNotGiven;
    constexpr int32_t kFontType = 1;
    const int32_t encoding = cmdLine.HasOption(u"oe") ? ToEncodingType(cmdLine.GetParam(u"oe")) : 1;
    const uint16_t alternate =
        cmdLine.HasOption(u"oa") ? ToCharCode(cmdLine.GetParam(u"oa"), encoding) : 0xFFFF;
    const int32_t lineFeed = cmdLine.GetIntParam(u"oh", kNotGiven);
    const int32_t defaultWidth = cmdLine.GetIntParam(u"ow", kNotGiven);
    const int32_t left = cmdLine.GetIntParam(u"ol", kNotGiven);
    const int32_t right = cmdLine.GetIntParam(u"or", kNotGiven);
    std::u16string output = cmdLine.GetParam(u"of");
    std::u16string groups = cmdLine.GetParam(u"op");
    if (!cmdLine.HasOption(u"os") && cmdLine.HasOption(u"ox")) {
        int32_t width = 0;
        int32_t height = 0;
        ToSheetSize(width, height, cmdLine.GetParam(u"ox"));
        return std::make_unique<CQuillFontWriter>(std::move(output), std::move(groups), kFontType,
                                                  alternate, lineFeed, defaultWidth, left, right,
                                                  encoding, width, height);
    }
    // The option counts thousands of pixels (1024 each); a count past 32 bits fits no sheet.
    const int64_t kiloPixels = cmdLine.GetIntParam(u"os", 0);
    const auto pixels = static_cast<int32_t>(
        std::clamp<int64_t>(kiloPixels * 1024, std::numeric_limits<int32_t>::min(),
                            std::numeric_limits<int32_t>::max()));
    return std::make_unique<CQuillFontWriter>(std::move(output), std::move(groups), kFontType,
                                              alternate, lineFeed, defaultWidth, left, right,
                                              encoding, pixels);
}
