#include "gui/ProgramOptions.h"

#include <cstdio>
#include <string_view>

#include "base/ResString.h"
#include "base/Text.h"
#include "platform/InstallLayout.h"
#include "platform/Language.h"
#include "platform/Process.h"

namespace {
constexpr int kUsageMessage = 491;
}  // namespace

const char* ProgramTitle() {
    return "VELA typeloom Version 1.5.0";
}

std::optional<int> AnswerProgramOptions(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--version") {
            std::printf("%s\n", ProgramTitle());
            return 0;
        }
        if (option == "--help" || option == "-h") {
            const CLanguageLibrary language(LanguageLibraryFolders(ProgramFolder()),
                                            UserLanguageId());
            std::fputs(Utf16ToUtf8(FormatResString(kUsageMessage, {u"vela_typeloom"})).c_str(),
                       stdout);
            return 0;
        }
    }
    return std::nullopt;
}
