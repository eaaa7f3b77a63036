#include "console/CmdLine.h"
#include "console/FontFactory.h"
#include "readers/QuillFontReader.h"

std::unique_ptr<CFontReader> ConstructQuillFontReader(const CCmdLine& cmdLine) {
    return std::make_unique<CQuillFontReader>(CQuillFontReader::Settings{cmdLine.GetParam(u"if")});
}
