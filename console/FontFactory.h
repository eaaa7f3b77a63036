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
