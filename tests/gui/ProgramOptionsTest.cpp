#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

using testing_support::BinaryDir;
using testing_support::RunCommand;
using testing_support::ShellQuote;

// Asked for its usage or version, the desktop program answers without opening a window, so it
// needs no display: none is given here, and Qt is left to find one (it would abort).
TEST(ProgramOptions, AnswerWithoutADisplay) {
    const std::string program = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LANG=C " +
                                ShellQuote((BinaryDir() / "vela_typeloom").string());
    const auto version = RunCommand(program + " --version");
    EXPECT_EQ(version.exitCode, 0) << version.err;
    EXPECT_EQ(version.out, "VELA typeloom Version 1.5.0\n");
    for (const char* option : {" --help", " -h", " -platform offscreen --help"}) {
        const auto help = RunCommand(program + option);
        EXPECT_EQ(help.exitCode, 0) << option << help.err;
        EXPECT_TRUE(help.out.starts_with("Usage: vela_typeloom [--help] [--version]")) << help.out;
    }
}

}  // namespace
