#pragma once

#include "core/PgCtrl.h"

// The console's progress control: no progress shown, never cancelled, and every warning
// printed at once as one line on standard output.
class CCmdPgCtrl : public CPgCtrl {
public:
    bool IsCanceled() override { return false; }
    void SetStatus(int) override {}
    void ResetProgress() override {}
    void SetProgressRange(int) override {}
    void StepProgress(int) override {}
    void AddWarning(const std::u16string& text, bool quiet) override;
};
