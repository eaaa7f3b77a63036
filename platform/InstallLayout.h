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

// The file a definition file option names. A value that is no existing file and holds no folder
// names a shipped file: "<kind>/<value>" in the first of SharedDataFolders(programFolder) that
// has it, with ".<kind>" added when the value does not end in it (any case). Otherwise, and
// when no folder has that file, the value as it stands. `kind` is the extension without its
// dot, which is also the folder's name ("xlor", "xggp", "xllt").
std::u16string ShippedFile(const std::u16string& value, const std::u16string& kind,
                           const std::u16string& programFolder);
