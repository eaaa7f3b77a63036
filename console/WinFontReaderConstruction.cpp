#include "console/CmdLine.h"
#include "console/FontFactory.h"
#include "console/Converters.h"
#include "core/GlobalException.h"
#include "readers/WinFontReader.h"

std::unique_ptr<CFontReader> ConstructWinFontReader(const CCmdLine& cmdLine) {
    CWinFontReader::Settings s;
    if (cmdLine.HasOption(u"it")) {
        s.widthType = ToWidthType(cmdLine.GetParam(u"it"));
    }
    ReadBpp(cmdLine.GetParam(u"ic"), s.bitDepth, s.alpha);
    if (!cmdLine.HasOption(u"is")) {
        TL_THROW(kErrCommandLine, 136);
    }
    if (s.widthType == CLetterer::kWidthFixed && !cmdLine.HasOption(u"iw")) {
        TL_THROW(kErrCommandLine, 134);
    }
    s.faceName = cmdLine.GetParam(u"in");
    s.size = cmdLine.GetIntParam(u"is", -1);
    s.averageWidth = cmdLine.GetIntParam(u"isw", 0);
    s.fixedWidth = cmdLine.GetIntParam(u"iw", -1);
    s.softAntialias = cmdLine.HasOption(u"ia");
    return std::make_unique<CWinFontReader>(std::move(s));
}
