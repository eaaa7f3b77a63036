#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/GlobalException.h"
#include "base/Text.h"
#include "core/PgCtrl.h"

namespace testing_support {

// A fresh folder in memory (/dev/shm) or under $TMPDIR, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// The message part of an exception's text: everything after the first line, which names the
// category and the throwing function.
inline std::string MessageOf(const CGeneralException& e) {
    const std::string text = Utf16ToUtf8(e.What());
    const auto newline = text.find('\n');
    return newline == std::string::npos ? text : text.substr(newline + 1);
}

// Runs `action` and checks that it throws with this category and exactly this message text.
template <typename Action>
void ExpectError(Action&& action, int32_t category, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "no error; expected: " << message;
    } catch (const CGeneralException& e) {
        EXPECT_EQ(e.GetCategory(), category) << Utf16ToUtf8(e.What());
        EXPECT_EQ(MessageOf(e), message);
    }
}

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
void WriteFileText(const std::filesystem::path& path, const std::string& text);
// A path in the form the program's own interfaces take.
inline std::u16string U16(const std::filesystem::path& path) {
    return Utf8ToUtf16(path.string());
}
// Writes the text to the file and gives its path in that form.
inline std::u16string WriteFile(const std::filesystem::path& path, const std::string& text) {
    WriteFileText(path, text);
    return U16(path);
}

// The outcome of running a program: exit code and what it printed.
struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};
// Runs a command line through /bin/sh, capturing standard output and error.
RunResult RunCommand(const std::string& commandLine);
// Runs the console program of the build folder with these (already quoted, shell-expanded)
// arguments, with LANG set to `locale` and no other locale variable (the C locale prints the
// English texts), inside `folder` when one is given, with the variables of `environment`
// ("NAME=value ...", quoted) added.
RunResult RunConsoleProgram(const std::string& arguments, const std::string& locale = "C",
                            const std::filesystem::path& folder = {},
                            const std::string& environment = "");
// Quotes one argument for /bin/sh.
std::string ShellQuote(const std::string& argument);
inline std::string Quoted(const std::filesystem::path& path) {
    return ShellQuote(path.string());
}
// The build folder (where the programs and the xlor/xggp folders are).
std::filesystem::path BinaryDir();
std::filesystem::path SourceDir();

// How far the process's resident memory peak rose above its size at the start while `run` ran,
// in bytes: what a reader really allocated and touched for a hostile file.
std::size_t PeakMemoryGrowth(const std::function<void()>& run);
// Growth that no allocation sized by a hostile field stays under. AddressSanitizer keeps freed
// blocks in quarantine instead of reusing them, so there a reader's churn adds to the peak too.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr std::size_t kBoundedGrowth = std::size_t{128} << 20;
#else
inline constexpr std::size_t kBoundedGrowth = std::size_t{32} << 20;
#endif

// What `run` cost in a child process of its own, from the child's getrusage: CPU seconds (user
// and system) and how far its peak resident size rose above the parent's size at the fork.
// `exitCode` is what `run` returned (-1 if it threw or the child died).
struct ChildCost {
    int exitCode = -1;
    double seconds = 0;
    std::size_t peakGrowth = 0;
};
ChildCost CostInChild(const std::function<int()>& run);

// A progress control that records warnings and statuses, in g_pPgCtrl for the life of the
// object.
class ScopedPgCtrl : public CPgCtrl {
public:
    ScopedPgCtrl() : m_previous(g_pPgCtrl) { g_pPgCtrl = this; }
    ~ScopedPgCtrl() override { g_pPgCtrl = m_previous; }
    ScopedPgCtrl(const ScopedPgCtrl&) = delete;
    ScopedPgCtrl& operator=(const ScopedPgCtrl&) = delete;
    bool IsCanceled() override { return false; }
    void SetStatus(int number) override { statuses.push_back(number); }
    void ResetProgress() override {}
    void SetProgressRange(int) override {}
    void StepProgress(int) override {}
    void AddWarning(const std::u16string& text, bool) override { warnings.push_back(text); }

    std::vector<std::u16string> warnings;
    std::vector<int> statuses;

private:
    CPgCtrl* m_previous;
};

}  // namespace testing_support
