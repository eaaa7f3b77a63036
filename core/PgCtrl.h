#pragma once

#include <initializer_list>
#include <string>

#include "base/MessageArg.h"

// The progress interface each front end implements: status, progress, warnings, cancellation.
class CPgCtrl {
public:
    virtual ~CPgCtrl() = default;
    virtual bool IsCanceled() = 0;
    // Shows message `number` as the current activity.
    virtual void SetStatus(int number) = 0;
    virtual void ResetProgress() = 0;
    virtual void SetProgressRange(int steps) = 0;
    // Advances; throws the cancel signal (kCancelSignal) once IsCanceled() is true.
    virtual void StepProgress(int steps) = 0;
    // One finished warning text; `quiet` asks the front end not to bring its display forward.
    virtual void AddWarning(const std::u16string& text, bool quiet) = 0;
};

// The cancel signal: a thrown int of this value, caught by the front ends around a conversion.
inline constexpr int kCancelSignal = 0;

// The running front end's progress control; set before any reader or writer runs.
extern CPgCtrl* g_pPgCtrl;

// Formats message `number` with the arguments and hands it to `progress` (if any) as a warning.
void ReportWarning(CPgCtrl* progress, int number, std::initializer_list<MessageArg> args = {});
