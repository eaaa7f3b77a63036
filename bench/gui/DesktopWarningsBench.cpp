// One conversion that raises 5,012 warnings (DejaVu Sans at 16 pixels into a Shift-JIS binary
// font: every character outside the code page is reported), run by the console and by the
// desktop program's dialog with the same settings. The desktop may take at most twice the
// console's time:
//   build/bench/gui/bench_DesktopWarningsBench --benchmark_min_time=2
// The console writes its warnings to standard output, which is sent to /dev/null here as a
// user would send it to a file.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "console/CmdPgCtrl.h"
#include "console/typeloomc.h"
#include "gui/MainDlg.h"
#include "gui/SettingsFile.h"
#include "xml/XmlLibrary.h"

namespace {

const std::filesystem::path& WorkFolder() {
    static const std::filesystem::path folder = [] {
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("tl_desktop_bench_" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

std::filesystem::path Output() {
    return WorkFolder() / "font.bofnt";
}

// Standard output goes to /dev/null while the object lives.
class QuietStdout {
public:
    QuietStdout() : m_saved(dup(STDOUT_FILENO)) {
        std::fflush(stdout);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        close(null);
    }
    ~QuietStdout() {
        std::fflush(stdout);
        dup2(m_saved, STDOUT_FILENO);
        close(m_saved);
    }

private:
    int m_saved;
};

void BM_Console(benchmark::State& state) {
    CCmdPgCtrl progress;
    CPgCtrl* previous = g_pPgCtrl;
    g_pPgCtrl = &progress;
    std::vector<std::string> arguments = {"vela_typeloomc",
                                          "-i",
                                          "win",
                                          "-in",
                                          "DejaVu Sans",
                                          "-is",
                                          "16",
                                          "-ic",
                                          "I4",
                                          "-o",
                                          "bofnt",
                                          "-of",
                                          Output().string(),
                                          "-oe",
                                          "sjis"};
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    for (auto _ : state) {
        const QuietStdout quiet;
        benchmark::DoNotOptimize(RunConsole(static_cast<int>(argv.size()), argv.data()));
    }
    g_pPgCtrl = previous;
}

void BM_Desktop(benchmark::State& state) {
    const std::filesystem::path ini = WorkFolder() / "vela_typeloom.ini";
    std::ofstream(ini) << "[Main]\nInputSelect=2\nOutputSelect=1\n"
                          "[InWin]\nName=DejaVu Sans\nSize=16\nbpp=I4\n"
                          "[OutQuill]\nEncoding=Shift_JIS\n"
                          "[OutQuillPath]\nPath="
                       << Output().string() << "\n";
    CSettingsFile settings(ini.u16string());
    CMainDlg dialog(settings, {u"" TL_BINARY_DIR});
    while (!dialog.FileListsTaken()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(Output());  // no question about an existing file
        state.ResumeTiming();
        dialog.RunConversion();
    }
    if (dialog.WarningWindow().WarningCount() != 5012) {
        state.SkipWithError("the run did not raise its 5,012 warnings");
    }
}

BENCHMARK(BM_Console)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Desktop)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    const CXmlLibrary xml;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(WorkFolder());
    return 0;
}
