#include "platform/FatalSignal.h"

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <csignal>
#include <cstdio>
#include <thread>

namespace {

// The error line with the signal number as code and a 16-digit instruction address.
std::string ExpectedLine(int code) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08X", code);
    return std::string(
               "^Error: Internal error: \\(SETranslateHandler@FatalSignal\\.cpp:[0-9]+\\)\n"
               "WIN32 Exception: code=0x") +
           digits + " address=0x[0-9A-F]{16} \\(GetLastError=[0-9]+\\)\n$";
}

void Prepare() {
    InstallFatalSignalHandler();
    PrepareFatalSignalText();
}

volatile bool g_stopRecursion = false;

int Recurse(int depth) {
    volatile char frame[512];
    frame[0] = static_cast<char>(depth);
    if (g_stopRecursion) {
        return frame[0];
    }
    return Recurse(depth + 1) + frame[0];
}

// A low address that is never mapped (not null, so checks for null do not step in first).
volatile uintptr_t g_unmappedAddress = 64;

void WriteToUnmappedPage() {
    *reinterpret_cast<volatile int*>(g_unmappedAddress) = 1;
}

void ReadPastTruncatedMapping() {
    std::FILE* file = std::tmpfile();
    void* page = ::mmap(nullptr, 4096, PROT_READ, MAP_SHARED, fileno(file), 0);
    (void)*static_cast<volatile const char*>(page);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

TEST(FatalSignalDeathTest, MachineFaultsPrintTheInternalErrorLineAndExit2) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::pair<int, void (*)()> faults[] = {{SIGILL, [] { __builtin_trap(); }},
                                                 {SIGSEGV, WriteToUnmappedPage},
                                                 {SIGBUS, ReadPastTruncatedMapping},
                                                 {SIGFPE, [] { std::raise(SIGFPE); }}};
    for (const auto& [signal, fault] : faults) {
        EXPECT_EXIT(
            {
                Prepare();
                fault();
            },
            testing::ExitedWithCode(2), ExpectedLine(signal));
    }
}

TEST(FatalSignalDeathTest, StackOverflowIsReportedOnMainAndWorkerThreads) {
    if (kAddressSanitizer) {
        GTEST_SKIP() << "AddressSanitizer reports stack overflows itself";
    }
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Prepare();
            Recurse(0);
        },
        testing::ExitedWithCode(2), ExpectedLine(SIGSEGV));
    EXPECT_EXIT(
        {
            Prepare();
            std::thread worker([] {
                EnsureAlternateSignalStack();
                Recurse(0);
            });
            worker.join();
        },
        testing::ExitedWithCode(2), ExpectedLine(SIGSEGV));
}

TEST(FatalSignalDeathTest, FaultBeforeThePreparedTextStillExits2) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            InstallFatalSignalHandler();
            __builtin_trap();
        },
        testing::ExitedWithCode(2), "^$");
}

}  // namespace
