#include "platform/InterruptCleanup.h"

#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <mutex>

#include "platform/SignalSafeWrite.h"

namespace {

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
constexpr int kExitError = 2;

// Plain arrays, so that the handler reads them without allocating.
constexpr std::size_t kSlotCount = 4;
constexpr std::size_t kPathBytes = 4096;
constexpr std::size_t kLineBytes = 4096;

struct Slot {
    std::atomic<bool> used{false};
    std::array<char, kPathBytes> path{};
    std::array<char, kLineBytes> line{};
    std::size_t lineLength = 0;
};

Slot g_slots[kSlotCount];

// Registration happens outside the handler, under this lock.
std::mutex g_lock;
int g_registered = 0;
struct sigaction g_previous[kSignals.size()];
bool g_installed[kSignals.size()] = {};

void OnInterrupt(int signalNumber) {
    const Slot* reported = nullptr;
    for (Slot& slot : g_slots) {
        if (slot.used.load()) {
            ::unlink(slot.path.data());
            reported = reported != nullptr ? reported : &slot;
        }
    }
    if (reported == nullptr) {
        // The last file was finished while the signal was on its way: end as the signal would.
        struct sigaction fallback {};
        fallback.sa_handler = SIG_DFL;
        sigemptyset(&fallback.sa_mask);
        ::sigaction(signalNumber, &fallback, nullptr);
        ::raise(signalNumber);
        return;
    }
    WriteStandardError(reported->line.data(), reported->lineLength);
    ::_exit(kExitError);
}

void Install() {
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        struct sigaction previous {};
        ::sigaction(kSignals[i], nullptr, &previous);
        g_installed[i] = previous.sa_handler != SIG_IGN;
        if (!g_installed[i]) {
            continue;
        }
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        for (const int other : kSignals) {
            sigaddset(&action.sa_mask, other);
        }
        ::sigaction(kSignals[i], &action, &g_previous[i]);
    }
}

void Restore() {
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        if (g_installed[i]) {
            ::sigaction(kSignals[i], &g_previous[i], nullptr);
            g_installed[i] = false;
        }
    }
}

}  // namespace

CInterruptBlock::CInterruptBlock() {
    sigset_t blocked;
    sigemptyset(&blocked);
    for (const int signalNumber : kSignals) {
        sigaddset(&blocked, signalNumber);
    }
    ::pthread_sigmask(SIG_BLOCK, &blocked, &m_previous);
}

CInterruptBlock::~CInterruptBlock() {
    ::pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
}

int RegisterUnfinishedFile(const std::string& path, const std::string& errorLine) {
    if (path.size() >= kPathBytes) {
        return -1;
    }
    const std::lock_guard<std::mutex> lock(g_lock);
    for (std::size_t token = 0; token < kSlotCount; ++token) {
        Slot& slot = g_slots[token];
        if (slot.used.load()) {
            continue;
        }
        std::memcpy(slot.path.data(), path.c_str(), path.size() + 1);
        slot.lineLength = std::min(errorLine.size(), kLineBytes);
        std::memcpy(slot.line.data(), errorLine.data(), slot.lineLength);
        slot.used.store(true);
        if (g_registered++ == 0) {
            Install();
        }
        return static_cast<int>(token);
    }
    return -1;
}

void UnregisterUnfinishedFile(int token) {
    if (token < 0 || token >= static_cast<int>(kSlotCount)) {
        return;
    }
    const std::lock_guard<std::mutex> lock(g_lock);
    Slot& slot = g_slots[token];
    if (!slot.used.exchange(false)) {
        return;
    }
    if (--g_registered == 0) {
        Restore();
    }
}
