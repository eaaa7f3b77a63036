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

void OverflowTheStack() {
    Recurse(0);
}

void OverflowAWorkersStack() {
    std::thread worker([] {
        EnsureAlternateSignalStack();
        Recurse(0);
    });
    worker.join();
}

// Machine faults and stack overflows (AddressSanitizer reports those itself) on the main and
// on a worker thread print the internal error line and exit with 2; a fault before the text was
// prepared still exits with 2.
TEST(FatalSignalDeathTest, FaultsPrintTheInternalErrorLineAndExit2) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const struct {
        void (*fault)();
        int signal;  // 0: before the prepared text, nothing printed
    } faults[] = {{[] { __builtin_trap(); }, SIGILL},
                  {WriteToUnmappedPage, SIGSEGV},
                  {ReadPastTruncatedMapping, SIGBUS},
                  {[] { std::raise(SIGFPE); }, SIGFPE},
                  {kAddressSanitizer ? nullptr : OverflowTheStack, SIGSEGV},
                  {kAddressSanitizer ? nullptr : OverflowAWorkersStack, SIGSEGV},
                  {[] { __builtin_trap(); }, 0}};
    for (const auto& [fault, signal] : faults) {
        if (fault == nullptr) {
            continue;
        }
        EXPECT_EXIT(
            {
                InstallFatalSignalHandler();
                if (signal != 0) {
                    PrepareFatalSignalText();
                }
                fault();
            },
            testing::ExitedWithCode(2), signal != 0 ? ExpectedLine(signal) : "^$");
    }
}

}  // namespace
