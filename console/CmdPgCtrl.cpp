#include "console/CmdPgCtrl.h"

#include "console/ConsoleOutput.h"
#include "core/ResString.h"

void CCmdPgCtrl::AddWarning(const std::u16string& text, bool) {
    WriteText(stdout, FormatResString(256, {text}));
}
