#include "console/CmdLine.h"
#include "console/FontFactory.h"
#include "console/Converters.h"
#include "readers/ImageFontReader.h"

std::unique_ptr<CFontReader> ConstructImageFontReader(const CCmdLine& cmdLine) {
    CImageFontReader::Settings s;
    s.imagePath = cmdLine.GetParam(u"if");
    s.orderPath = cmdLine.GetParam(u"io");
    s.format = ToGlyphImageFormat(cmdLine.GetParam(u"ic"));
    s.linearAssist = cmdLine.HasOption(u"ia");
    return std::make_unique<CImageFontReader>(std::move(s));
}
