// The Debian packages of this build, as cpack makes them, installed into a scratch root with
// dpkg: the console package needs nothing of Qt or X, converts on its own, and the two packages
// remove without a trace.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "support/TestSupport.h"

namespace {

using testing_support::RunCommand;
using testing_support::RunResult;
using testing_support::ShellQuote;
using testing_support::TempDir;

std::string Quoted(const std::filesystem::path& path) {
    return ShellQuote(path.string());
}

// Runs a command that must succeed and gives its output.
std::string Succeed(const std::string& commandLine) {
    const RunResult run = RunCommand(commandLine);
    EXPECT_EQ(run.exitCode, 0) << commandLine << "\n" << run.out << run.err;
    return run.out;
}

// Every path under `root`, one a line, except dpkg's own records.
std::string FilesUnder(const std::filesystem::path& root) {
    std::string files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::string path = entry.path().lexically_relative(root).string();
        if (!path.starts_with("var")) {
            files += path + "\n";
        }
    }
    return files;
}

TEST(PackageTest, TheConsolePackageWorksWithoutTheDesktopAndBothRemoveCleanly) {
    const TempDir dir;
    Succeed("cpack --config " + Quoted(testing_support::BinaryDir() / "CPackConfig.cmake") +
            " -B " + Quoted(dir / "packages"));
    std::filesystem::path console;
    std::filesystem::path desktop;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "packages")) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("typeloom_") && name.ends_with(".deb")) {
            console = entry.path();
        } else if (name.starts_with("typeloom-desktop_") && name.ends_with(".deb")) {
            desktop = entry.path();
        }
    }
    ASSERT_FALSE(console.empty());

    // Nothing of the desktop: no Qt, X, OpenGL or Wayland library among the dependencies.
    std::istringstream depends(Succeed("dpkg-deb -f " + Quoted(console) + " Depends"));
    for (std::string dependency; std::getline(depends >> std::ws, dependency, ',');) {
        for (const char* desktopLibrary : {"libqt", "libx11", "libxcb", "libxkb", "libgl", "libegl",
                                           "libopengl", "libwayland"}) {
            EXPECT_FALSE(dependency.starts_with(desktopLibrary)) << dependency;
        }
    }

    // A scratch root of dpkg's own; its database knows none of the system's libraries, so their
    // dependencies are waived (the system's own libraries serve the programs run from it).
    const std::filesystem::path root = dir / "root";
    std::filesystem::create_directories(root / "var/lib/dpkg/info");
    std::filesystem::create_directories(root / "var/lib/dpkg/updates");
    testing_support::WriteFileText(root / "var/lib/dpkg/status", "");
    const std::string dpkg =
        "dpkg --root=" + Quoted(root) + " --force-not-root --force-depends --log=/dev/null ";
    Succeed(dpkg + "--install " + Quoted(console));
    const std::filesystem::path data = root / "usr/share/typeloom";
    Succeed(Quoted(root / "usr/bin/vela_typeloomc") + " -i image -if " +
            Quoted(data / "sample/sample.bmp") + " -io " + Quoted(data / "xlor/ascii.xlor") +
            " -ic IA4 -o bofnt -of " + Quoted(dir / "sample.bofnt"));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "sample.bofnt"));
    EXPECT_TRUE(
        std::filesystem::is_regular_file(root / "usr/lib/cmake/typeloom/typeloomConfig.cmake"));

    if (!desktop.empty()) {
        EXPECT_EQ(Succeed("dpkg-deb -f " + Quoted(desktop) + " Depends").rfind("typeloom (= ", 0),
                  0);
        // dpkg refuses a package that holds a file of another, so the two share none.
        Succeed(dpkg + "--install " + Quoted(desktop));
        EXPECT_TRUE(std::filesystem::is_regular_file(root / "usr/bin/vela_typeloom"));
        Succeed(dpkg + "--remove typeloom-desktop");
    }
    Succeed(dpkg + "--remove typeloom");
    EXPECT_EQ(FilesUnder(root), "");
}

}  // namespace
