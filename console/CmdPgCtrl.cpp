#include "console/CmdPgCtrl.h"

#include "base/ResString.h"
#include "console/ConsoleOutput.h"

void CCmdPgCtrl::AddWarning(const std::u16string& text, bool) {
    WriteText(stdout, FormatResString(256, {text}));
}
