#include "core/PgCtrl.h"

#include "base/ResString.h"

CPgCtrl* g_pPgCtrl = nullptr;

void ReportWarning(CPgCtrl* progress, int number, std::initializer_list<MessageArg> args) {
    if (progress != nullptr) {
        progress->AddWarning(FormatResString(number, args), false);
    }
}
