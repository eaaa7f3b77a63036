#pragma once

#include <functional>

#include "base/GlobalException.h"

// How a guarded part of a run ended.
struct RunEnd {
    enum class Kind { kDone, kCancelled, kFailed };
    Kind kind = Kind::kDone;
    // kFailed: our error as it was thrown; for exhausted memory (category 7, message 179) and
    // any foreign exception (category 0, message 209) an error made here.
    CGeneralException error;
    // kFailed by exhausted memory or a foreign exception: that message number, which the
    // desktop shows on its own; 0 for our errors.
    int foreignMessage = 0;
    // The system error code as it was when the failure was caught, for the console's error line.
    int systemError = 0;
};

// Runs `run` and turns whatever it throws into how it ended: the cancel signal of the progress
// control, one of our errors, exhausted memory or anything else. Both front ends report the
// outcome in their own way; neither lets an exception escape a run.
RunEnd GuardRun(const std::function<void()>& run);
