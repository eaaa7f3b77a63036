#include "console/typeloomc.h"

int RunConsole(int, char**) { return 1; }
