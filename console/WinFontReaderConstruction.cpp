#include "console/CmdLine.h"
#include "console/ConsoleConstruction.h"
#include "console/Converters.h"
#include "core/GlobalException.h"
#include "readers/Letterer.h"
#include "readers/WinFontReader.h"

std::unique_ptr<CFontReader> ConstructWinFontReader(const CCmdLine& cmdLine) {
    const int32_t widthType =
        cmdLine.HasOption(u"it") ? ToWidthType(cmdLine.GetParam(u"it")) : CLetterer::kWidthChar;
    int32_t bitDepth = 0;
    bool alpha = false;
    ReadBpp(cmdLine.GetParam(u"ic"), bitDepth, alpha);
    if (!cmdLine.HasOption(u"is")) {
        TL_THROW(kErrCommandLine, 136);
    }
    if (widthType == CLetterer::kWidthFixed && !cmdLine.HasOption(u"iw")) {
        TL_THROW(kErrCommandLine, 134);
    }
    const int32_t averageWidth = cmdLine.HasOption(u"isw") ? cmdLine.GetIntParam(u"isw", 0) : 0;
    return std::make_unique<CWinFontReader>(
        cmdLine.GetParam(u"in"), cmdLine.GetIntParam(u"is", -1), averageWidth, bitDepth, alpha,
        widthType, cmdLine.GetIntParam(u"iw", -1), cmdLine.HasOption(u"ia"));
}
