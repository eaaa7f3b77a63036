#include "console/typeloomc.h"

#include <exception>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "console/CmdLine.h"
#include "console/ConsoleOutput.h"
#include "console/FontFactory.h"
#include "console/Usage.h"
#include "core/FontData.h"
#include "core/FontReader.h"
#include "core/FontWriter.h"
#include "core/GlobalException.h"
#include "core/PgCtrl.h"
#include "core/ResString.h"
#include "platform/FatalSignal.h"
#include "platform/InstallLayout.h"
#include "platform/Language.h"
#include "platform/Process.h"
#include "xml/CharFilter.h"
#include "xml/GlyphOrder.h"
#include "xml/XmlLibrary.h"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitUsage = 1;
constexpr int kExitError = 2;

// Message 102 on standard error: the exception's two lines and the system error code.
int ReportError(const CGeneralException& exception, int systemError) {
    WriteText(stderr, FormatResString(102, {exception.What(), systemError}));
    return kExitError;
}

// Runs one stage of the program; whatever it throws ends the run with its exit code. Besides
// our own errors and the cancel signal, exhausted memory and any foreign exception are
// reported as errors too, so that no run ends in an uncaught exception.
template <typename Stage>
int Guarded(Stage&& stage) {
    try {
        return stage();
    } catch (const CGeneralException& e) {
        return ReportError(e, LastSystemError());
    } catch (int) {
        return kExitSuccess;
    } catch (const std::bad_alloc&) {
        const int error = LastSystemError();
        return ReportError(MakeException(__FILE__, __LINE__, "RunConsole", kErrInternal, 179),
                           error);
    } catch (...) {
        const int error = LastSystemError();
        return ReportError(MakeException(__FILE__, __LINE__, "RunConsole", kErrUnknown, 209),
                           error);
    }
}

// Steps 6 to 16 of a run: options, reader and writer, checks, filter, read, settle, write.
int Convert(const std::vector<std::u16string>& arguments, CFontData& font, CCharFilter& filter,
            CGlyphOrder& order) {
    const CCmdLine cmdLine(arguments, ConsoleOptionTable());
    if (!cmdLine.HasAnyOption() || cmdLine.HasOption(u"h")) {
        PrintUsage();
        return kExitUsage;
    }
    // Declared reader first, so that the writer is deleted first, on every way out.
    const std::unique_ptr<CFontReader> reader = CreateReader(cmdLine);
    const std::unique_ptr<CFontWriter> writer = CreateWriter(cmdLine);
    // Both checks run before any file is read, so bad settings fail before work starts.
    reader->ValidateInput();
    writer->ValidateInput();
    writer->LoadGlyphOrder(order);
    const bool filtered = cmdLine.HasOption(u"f");
    if (filtered) {
        filter.Load(cmdLine.GetParam(u"f"));
    }
    // The reader produces only what the filter lets through, so the filter is settled first.
    filter.CombineWithOrder(order);
    reader->ReadFontData(font, filter);
    if (filtered) {
        filter.CheckMissing(font);
    }
    font.ReflectGlyph();
    writer->WriteFontData(font, order);
    return kExitSuccess;
}

}  // namespace

int RunConsole(int argc, char** argv) {
    CFontData font;
    CCharFilter filter;
    CGlyphOrder order;
    InstallFatalSignalHandler();
    if (AnswerInfoOption(argc, argv)) {
        return kExitSuccess;
    }
    // The runtime locale is left as it is: console text is written as UTF-8 bytes by us.
    const std::vector<std::u16string> arguments = CommandLineArguments(argc, argv);
    return Guarded([&] {
        const CXmlLibrary xml;
        const CLanguageLibrary language(LanguageLibraryFolders(ProgramFolder()), UserLanguageId());
        // Built once the translations are in, since the first exception fixes the category
        // names for the run.
        PrepareFatalSignalText();
        // Errors are reported here, while the translations are still loaded.
        return Guarded([&] { return Convert(arguments, font, filter, order); });
    });
}
