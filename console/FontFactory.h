#pragma once

#include <memory>

class CCmdLine;
class CFontReader;
class CFontWriter;

// The reader named by -i ("image" or "bmp", "bofnt", "win"; compared exactly). Fails with 182
// when -i is missing or empty, 213 for any other name.
std::unique_ptr<CFontReader> CreateReader(const CCmdLine& cmdLine);
// The writer named by -o ("image" or "bmp", "bofnt"). Fails with 183 or 215.
std::unique_ptr<CFontWriter> CreateWriter(const CCmdLine& cmdLine);

// What CreateReader and CreateWriter call: one function a reader or writer class, building it
// from the console program's options, each defined in console/<Class>Construction.cpp.
std::unique_ptr<CFontReader> ConstructWinFontReader(const CCmdLine& cmdLine);
std::unique_ptr<CFontReader> ConstructImageFontReader(const CCmdLine& cmdLine);
std::unique_ptr<CFontWriter> ConstructImageFontWriter(const CCmdLine& cmdLine);
std::unique_ptr<CFontReader> ConstructQuillFontReader(const CCmdLine& cmdLine);
std::unique_ptr<CFontWriter> ConstructQuillFontWriter(const CCmdLine& cmdLine);
