#include "console/CmdLine.h"
#include "console/ConsoleConstruction.h"
#include "console/Converters.h"
#include "readers/ImageFontReader.h"

std::unique_ptr<CFontReader> ConstructImageFontReader(const CCmdLine& cmdLine) {
    return std::make_unique<CImageFontReader>(cmdLine.GetParam(u"if"), cmdLine.GetParam(u"io"),
                                              ToGlyphImageFormat(cmdLine.GetParam(u"ic")),
                                              cmdLine.HasOption(u"ia"));
}
