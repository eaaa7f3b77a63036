#pragma once

#include <memory>

class CCmdLine;
class CFontWriter;

// The writer named by -o ("image" or "bmp", "bofnt", "fnt"; compared exactly), built from the
// console program's options. Fails with 183 when -o is missing or empty, 215 for any other name.
std::unique_ptr<CFontWriter> CreateWriter(const CCmdLine& cmdLine);
