#include "support/TestSupport.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace testing_support {

TempDir::TempDir() {
    std::random_device rd;
    // Memory unless the user names a folder: the suites write thousands of small files.
    std::error_code ec;
    const auto base =
        std::getenv("TMPDIR") == nullptr && std::filesystem::is_directory("/dev/shm", ec)
            ? std::filesystem::path("/dev/shm")
            : std::filesystem::temp_directory_path();
    for (;;) {
        auto candidate = base / ("typeloom-test-" + std::to_string(rd()));
        if (std::filesystem::create_directory(candidate, ec)) {
            m_path = candidate;
            break;
        }
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void WriteFileText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string ShellQuote(const std::string& argument) {
    std::string quoted = "'";
    for (char c : argument) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

RunResult RunCommand(const std::string& commandLine) {
    TempDir dir;
    const auto outPath = dir / "out";
    const auto errPath = dir / "err";
    const std::string full = "(" + commandLine + ") >" + ShellQuote(outPath.string()) + " 2>" +
                             ShellQuote(errPath.string()) + " </dev/null";
    const int status = std::system(full.c_str());
    RunResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    const auto out = ReadFileBytes(outPath);
    const auto err = ReadFileBytes(errPath);
    result.out.assign(out.begin(), out.end());
    result.err.assign(err.begin(), err.end());
    return result;
}

RunResult RunConsoleProgram(const std::string& arguments, const std::string& locale,
                            const std::filesystem::path& folder, const std::string& environment) {
    const std::string enter = folder.empty() ? "" : "cd " + Quoted(folder) + " && ";
    return RunCommand(enter + "env -u LC_ALL -u LC_MESSAGES -u LANG LANG=" + ShellQuote(locale) +
                      " " + environment + " " + Quoted(BinaryDir() / "vela_typeloomc") + " " +
                      arguments);
}

std::filesystem::path BinaryDir() {
    if (const char* dir = std::getenv("TL_BINARY_DIR")) {
        return dir;
    }
    return TL_BINARY_DIR;
}

std::filesystem::path SourceDir() {
    return TL_SOURCE_DIR;
}

namespace {

// A "Vm...:   1234 kB" line of /proc/self/status, in bytes.
std::size_t StatusBytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) {
            return std::stoul(line.substr(field.size() + 1)) * 1024;
        }
    }
    return 0;
}

}  // namespace

std::size_t PeakMemoryGrowth(const std::function<void()>& run) {
    // Writing 5 to clear_refs resets the peak to the present size.
    std::ofstream("/proc/self/clear_refs") << "5";
    const std::size_t start = StatusBytes("VmRSS");
    run();
    const std::size_t peak = StatusBytes("VmHWM");
    return peak > start ? peak - start : 0;
}

ChildCost CostInChild(const std::function<int()>& run) {
    const std::size_t parent = StatusBytes("VmRSS");
    // What the parent has buffered is written now, not once more by the child.
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        int code = -1;
        try {
            code = run();
        } catch (...) {
        }
        ::_exit(code < 0 ? 255 : code);
    }
    ChildCost cost;
    int status = 0;
    struct rusage usage {};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child) {
        return cost;
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) != 255) {
        cost.exitCode = WEXITSTATUS(status);
    }
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    cost.seconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    const auto peak = static_cast<std::size_t>(usage.ru_maxrss) * 1024;
    cost.peakGrowth = peak > parent ? peak - parent : 0;
    return cost;
}

}  // namespace testing_support
