#include "console/ReaderConstruction.h"

#include <string>
#include <string_view>

#include "base/GlobalException.h"
#include "console/CmdLine.h"
#include "console/ConstructionTable.h"
#include "console/Converters.h"
#include "readers/BmFontReader.h"
#include "readers/ImageFontReader.h"
#include "readers/QuillFontReader.h"
#include "readers/WinFontReader.h"

namespace {

std::unique_ptr<CFontReader> ImageFontReader(const CCmdLine& cmdLine) {
    CImageFontReader::Settings s;
    s.imagePath = cmdLine.GetParam(u"if");
    s.orderPath = ToDefinitionFile(cmdLine.GetParam(u"io"), u"xlor");
    s.format = ToGlyphImageFormat(cmdLine.GetParam(u"ic"));
    s.linearAssist = cmdLine.HasOption(u"ia");
    return std::make_unique<CImageFontReader>(std::move(s));
}

std::unique_ptr<CFontReader> WinFontReader(const CCmdLine& cmdLine) {
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
    s.fallbackFaces = cmdLine.GetParams(u"inf");
    s.size = cmdLine.GetIntParam(u"is", -1);
    s.averageWidth = cmdLine.GetIntParam(u"isw", 0);
    s.fixedWidth = cmdLine.GetIntParam(u"iw", -1);
    s.softAntialias = cmdLine.HasOption(u"ia");
    if (cmdLine.HasOption(u"ieo")) {
        s.effects.outline = ToOutlineWidth(cmdLine.GetParam(u"ieo"));
    }
    if (cmdLine.HasOption(u"ies")) {
        s.effects.shadow = ToShadowOffset(cmdLine.GetParam(u"ies"));
    }
    return std::make_unique<CWinFontReader>(std::move(s));
}

std::unique_ptr<CFontReader> QuillFontReader(const CCmdLine& cmdLine) {
    return std::make_unique<CQuillFontReader>(CQuillFontReader::Settings{cmdLine.GetParam(u"if")});
}

std::unique_ptr<CFontReader> BmFontReader(const CCmdLine& cmdLine) {
    CBmFontReader::Settings s;
    s.descriptorPath = cmdLine.GetParam(u"if");
    s.format = ToGlyphImageFormat(cmdLine.GetParam(u"ic"));
    return std::make_unique<CBmFontReader>(std::move(s));
}

constexpr Construction<CFontReader> kReaders[] = {
    {u"image", ImageFontReader}, {u"bmp", ImageFontReader}, {u"win", WinFontReader},
    {u"bofnt", QuillFontReader}, {u"fnt", BmFontReader},
};

}  // namespace

std::unique_ptr<CFontReader> CreateReader(const CCmdLine& cmdLine) {
    return ConstructNamed<CFontReader>(kReaders, cmdLine, u"i", 182, 213);
}
