#include "console/FontFactory.h"

#include <string>

#include "console/CmdLine.h"
#include "core/FontReader.h"
#include "core/FontWriter.h"
#include "core/GlobalException.h"

std::unique_ptr<CFontReader> CreateReader(const CCmdLine& cmdLine) {
    const std::u16string format = cmdLine.GetParam(u"i");
    if (format == u"bmp" || format == u"image") {
        return ConstructImageFontReader(cmdLine);
    }
    if (format == u"win") {
        return ConstructWinFontReader(cmdLine);
    }
    if (format == u"bofnt") {
        return ConstructQuillFontReader(cmdLine);
    }
    // One branch per reader class above this line, each calling its construction function.
    if (format.empty()) {
        TL_THROW(kErrCommandLine, 182);
    }
    TL_THROW(kErrCommandLine, 213, format);
}

std::unique_ptr<CFontWriter> CreateWriter(const CCmdLine& cmdLine) {
    const std::u16string format = cmdLine.GetParam(u"o");
    if (format == u"bmp" || format == u"image") {
        return ConstructImageFontWriter(cmdLine);
    }
    if (format == u"bofnt") {
        return ConstructQuillFontWriter(cmdLine);
    }
    // One branch per writer class above this line, each calling its construction function.
    if (format.empty()) {
        TL_THROW(kErrCommandLine, 183);
    }
    TL_THROW(kErrCommandLine, 215, format);
}
