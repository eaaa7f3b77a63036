#pragma once

#include <string>
#include <vector>

// Where the programs find what ships with them: beside the program first (a build folder, or a
// copy unpacked into one folder), then relative to the program as installed, so that
// <prefix>/bin/<program> finds <prefix>/share/typeloom/ and <prefix>/lib/typeloom/ under any
// prefix, and a moved installation still works. `programFolder` ends in '/'; when it is empty
// (the program's own path is unknown) there is nothing to look in. Every folder ends in '/'.

// Where the "xlor", "xggp", "xllt" and "sample" folders are looked for, first match wins.
std::vector<std::u16string> SharedDataFolders(const std::u16string& programFolder);

// Where "<language id>/typeloom_langRes.so" is looked for, first match wins.
std::vector<std::u16string> LanguageLibraryFolders(const std::u16string& programFolder);
