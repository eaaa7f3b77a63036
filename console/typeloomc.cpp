#include "console/typeloomc.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/ResString.h"
#include "console/CmdLine.h"
#include "console/ConsoleOutput.h"
#include "console/Converters.h"
#include "console/InfoLists.h"
#include "console/ReaderConstruction.h"
#include "console/Usage.h"
#include "console/WriterConstruction.h"
#include "core/Conversion.h"
#include "core/FontReader.h"
#include "core/FontWriter.h"
#include "core/RunGuard.h"
#include "platform/FatalSignal.h"
#include "platform/InstallLayout.h"
#include "platform/Language.h"
#include "platform/Process.h"
#include "xml/CharSelection.h"
#include "xml/XmlLibrary.h"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitUsage = 1;
constexpr int kExitError = 2;

// Runs one stage of the program; whatever it throws ends the run with its exit code: message
// 102 on standard error (the exception's two lines and the system error code) for a failure,
// success for the cancel signal.
int Guarded(const std::function<int()>& stage) {
    int exitCode = kExitSuccess;
    const RunEnd end = GuardRun([&] { exitCode = stage(); });
    if (end.kind != RunEnd::Kind::kFailed) {
        return exitCode;
    }
    WriteText(stderr, FormatResString(102, {end.error.What(), end.systemError}));
    return kExitError;
}

// From the options to the written file.
int Convert(const std::vector<std::u16string>& arguments) {
    const CCmdLine cmdLine(arguments, ConsoleOptionTable());
    if (!cmdLine.HasAnyOption() || cmdLine.HasOption(u"h")) {
        PrintUsage();
        return kExitUsage;
    }
    // Declared reader first, so that the writer is deleted first, on every way out.
    const std::unique_ptr<CFontReader> reader = CreateReader(cmdLine);
    const std::unique_ptr<CFontWriter> writer = CreateWriter(cmdLine);
    CCharSelection characters(cmdLine.HasOption(u"f")
                                  ? [path = ToDefinitionFile(cmdLine.GetParam(u"f"), u"xllt")](
                                        CCharFilter& filter) { filter.Load(path); }
                                  : CCharSelection::FilterLoader());
    CConversion(*reader, *writer, characters).Run();
    return kExitSuccess;
}

}  // namespace

int RunConsole(int argc, char** argv) {
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
        if (AnswerListOption(arguments)) {
            return kExitSuccess;
        }
        // Errors are reported here, while the translations are still loaded.
        return Guarded([&] { return Convert(arguments); });
    });
}
