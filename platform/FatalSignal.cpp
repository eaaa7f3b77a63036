#include "platform/FatalSignal.h"

#include <signal.h>
#include <ucontext.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/GlobalException.h"
#include "base/ResString.h"
#include "base/Text.h"
#include "platform/SignalSafeWrite.h"

namespace {

// Stand-ins formatted into the text where the handler later writes the real numbers; they are
// found again by their digits, so a translated text may move them.
constexpr uint32_t kCodeMark = 0x7E3A91C5;
constexpr std::string_view kCodeDigits = "7E3A91C5";
constexpr uint32_t kAddressMark = 0x6D2B84F3;
constexpr std::string_view kAddressDigits = "6D2B84F3";
constexpr int32_t kErrorMark = 1790312467;
constexpr std::string_view kErrorDigits = "1790312467";

enum class Field { kNone, kCode, kAddress, kError };

constexpr std::size_t kMaxText = 4096;
constexpr std::size_t kMaxPieces = 4;

// The error line cut into fixed text and the fields between; plain arrays, so the handler
// reads it without allocating.
struct PreparedText {
    std::array<char, kMaxText> text{};
    std::size_t length = 0;
    struct Piece {
        std::size_t begin = 0;
        std::size_t end = 0;
        Field field = Field::kNone;  // written after the piece
    };
    std::array<Piece, kMaxPieces> pieces{};
    std::size_t pieceCount = 0;
};

// Two slots, so that preparing again never changes the one a handler may be reading.
PreparedText g_slots[2];
std::atomic<int> g_activeSlot{-1};

constexpr std::array<int, 4> kFatalSignals = {SIGSEGV, SIGBUS, SIGFPE, SIGILL};

constexpr std::size_t kAlternateStackBytes = 64 * 1024;

struct AlternateStack {
    std::vector<char> memory;
    ~AlternateStack() {
        if (!memory.empty()) {
            stack_t off{};
            off.ss_flags = SS_DISABLE;
            ::sigaltstack(&off, nullptr);
        }
    }
};

void WriteHex(uint64_t value, int digits) {
    char out[16];
    for (int i = digits - 1; i >= 0; --i) {
        out[i] = "0123456789ABCDEF"[value & 0xF];
        value >>= 4;
    }
    WriteStandardError(out, static_cast<std::size_t>(digits));
}

void WriteDecimal(int value) {
    char out[12];
    std::size_t pos = sizeof out;
    const bool negative = value < 0;
    int64_t magnitude = negative ? -int64_t{value} : int64_t{value};
    do {
        out[--pos] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) {
        out[--pos] = '-';
    }
    WriteStandardError(out + pos, sizeof out - pos);
}

uint64_t FaultAddress([[maybe_unused]] const siginfo_t* info,
                      [[maybe_unused]] const void* context) {
    // For SIGSEGV and SIGBUS si_addr is the data address; the error line names the code.
#if defined(__x86_64__)
    return static_cast<uint64_t>(
        static_cast<const ucontext_t*>(context)->uc_mcontext.gregs[REG_RIP]);
#elif defined(__aarch64__)
    return static_cast<uint64_t>(static_cast<const ucontext_t*>(context)->uc_mcontext.pc);
#else
    return reinterpret_cast<uintptr_t>(info->si_addr);
#endif
}

// Named as the exception translator it replaces, since the error line names it.
// Until the text is prepared there is nothing to print, only the exit code.
void SETranslateHandler(int signalNumber, siginfo_t* info, void* context) {
    const int error = errno;
    const int slot = g_activeSlot.load();
    if (slot >= 0) {
        const PreparedText& prepared = g_slots[slot];
        for (std::size_t i = 0; i < prepared.pieceCount; ++i) {
            const auto& piece = prepared.pieces[i];
            WriteStandardError(prepared.text.data() + piece.begin, piece.end - piece.begin);
            switch (piece.field) {
                case Field::kCode:
                    WriteHex(static_cast<uint32_t>(signalNumber), 8);
                    break;
                case Field::kAddress:
                    WriteHex(FaultAddress(info, context), 16);
                    break;
                case Field::kError:
                    WriteDecimal(error);
                    break;
                case Field::kNone:
                    break;
            }
        }
    }
    ::_exit(2);
}

// The throw position the error line names: the preparation stands in for the handler.
CGeneralException TranslatedFault() {
    return MakeException(__FILE__, __LINE__, "SETranslateHandler", kErrInternal, 222,
                         {kCodeMark, kAddressMark});
}

}  // namespace

void PrepareFatalSignalText() {
    const std::u16string exceptionText = TranslatedFault().What();
    std::string line = Utf16ToUtf8(FormatResString(102, {exceptionText, kErrorMark}));
    if (line.size() > kMaxText) {
        line.resize(kMaxText);
    }
    const int slot = g_activeSlot.load() == 0 ? 1 : 0;
    PreparedText& prepared = g_slots[slot];
    prepared = PreparedText{};
    line.copy(prepared.text.data(), line.size());
    prepared.length = line.size();

    const std::string_view view(prepared.text.data(), prepared.length);
    std::size_t begin = 0;
    for (;;) {
        // The next field in the text, whichever comes first.
        std::size_t at = std::string_view::npos;
        Field field = Field::kNone;
        std::size_t width = 0;
        for (const auto& [digits, kind] :
             {std::pair{kCodeDigits, Field::kCode}, std::pair{kAddressDigits, Field::kAddress},
              std::pair{kErrorDigits, Field::kError}}) {
            const std::size_t found = view.find(digits, begin);
            if (found < at) {
                at = found;
                field = kind;
                width = digits.size();
            }
        }
        if (at == std::string_view::npos || prepared.pieceCount + 1 == kMaxPieces) {
            prepared.pieces[prepared.pieceCount++] = {begin, view.size(), Field::kNone};
            break;
        }
        prepared.pieces[prepared.pieceCount++] = {begin, at, field};
        begin = at + width;
    }
    g_activeSlot.store(slot);
}

void EnsureAlternateSignalStack() {
    thread_local AlternateStack stack;
    if (!stack.memory.empty()) {
        return;
    }
    stack.memory.resize(kAlternateStackBytes);
    stack_t on{};
    on.ss_sp = stack.memory.data();
    on.ss_size = stack.memory.size();
    on.ss_flags = 0;
    if (::sigaltstack(&on, nullptr) != 0) {
        stack.memory.clear();
    }
}

void InstallFatalSignalHandler() {
    EnsureAlternateSignalStack();
    struct sigaction action {};
    action.sa_sigaction = SETranslateHandler;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    // A second fault inside the handler must not re-enter it.
    sigemptyset(&action.sa_mask);
    for (const int signalNumber : kFatalSignals) {
        sigaddset(&action.sa_mask, signalNumber);
    }
    for (const int signalNumber : kFatalSignals) {
        ::sigaction(signalNumber, &action, nullptr);
    }
    // Past a file-size limit the write must fail (and be reported, and its temporary removed)
    // rather than the signal killing the program halfway through the file.
    ::signal(SIGXFSZ, SIG_IGN);
}
