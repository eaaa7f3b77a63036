#include "console/CmdPgCtrl.h"

#include <gtest/gtest.h>

namespace {

TEST(CmdPgCtrlTest, WarningsGoToStandardOutputAndNothingCancels) {
    CCmdPgCtrl progress;
    testing::internal::CaptureStdout();
    progress.SetStatus(246);
    progress.SetProgressRange(10);
    progress.StepProgress(10);
    progress.ResetProgress();
    ReportWarning(&progress, 260, {u'A', u'A'});
    progress.AddWarning(u"caf\u00E9", true);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(progress.IsCanceled());
    EXPECT_EQ(out,
              "Warning: More than one glyph allocated to character code ('A': U+0041). All "
              "glyphs after the first are ignored.\n"
              "Warning: caf\xC3\xA9\n");
}

}  // namespace
