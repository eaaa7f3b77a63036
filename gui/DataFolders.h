#pragma once

#include <string>
#include <vector>

// Where the desktop program looks for its "xlor" and "xggp" folders: beside itself first (a
// build folder, or an unpacked copy), then the installed data folder.
std::vector<std::u16string> DefaultDataFolders();
