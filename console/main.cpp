#include "console/CmdPgCtrl.h"
#include "console/typeloomc.h"

int main(int argc, char** argv) {
    // Readers and writers report through g_pPgCtrl; it points at the console's control
    // before the run starts.
    static CCmdPgCtrl progress;
    g_pPgCtrl = &progress;
    return RunConsole(argc, argv);
}
