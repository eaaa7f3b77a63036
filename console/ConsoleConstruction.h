#pragma once

#include <memory>

class CCmdLine;
class CFontReader;
class CFontWriter;

// Each reader and writer class declares here the function that builds it from the console
// program's options; the function is defined beside the class's console construction, in
// console/<Class>Construction.cpp, and called by CreateReader or CreateWriter.

std::unique_ptr<CFontReader> ConstructWinFontReader(const CCmdLine& cmdLine);

std::unique_ptr<CFontReader> ConstructImageFontReader(const CCmdLine& cmdLine);
std::unique_ptr<CFontWriter> ConstructImageFontWriter(const CCmdLine& cmdLine);
std::unique_ptr<CFontReader> ConstructQuillFontReader(const CCmdLine& cmdLine);
std::unique_ptr<CFontWriter> ConstructQuillFontWriter(const CCmdLine& cmdLine);
