#pragma once

#include <memory>

class CCmdLine;
class CFontReader;

// The reader named by -i ("image" or "bmp", "bofnt", "win", "fnt"; compared exactly), built from
// the console program's options. Fails with 182 when -i is missing or empty, 213 for any other
// name.
std::unique_ptr<CFontReader> CreateReader(const CCmdLine& cmdLine);
