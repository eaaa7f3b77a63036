#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "base/GlobalException.h"

// What every fuzz target shares: a quiet progress control, the XML library held for the whole
// process, and the input written to a file of its own, since the readers take paths.
namespace fuzz_support {

// Call at the start of every input: sets up the process once.
void Prepare();

// Writes the bytes to one of this process's scratch files (slot 0 or 1, for targets that take
// two inputs) with the given extension, and returns its path.
std::u16string WriteScratchFile(std::span<const uint8_t> data, const char* extension, int slot = 0);

// Runs `body`, accepting the failures a reader may report: our own exception and the cancel
// signal. Anything else escapes and is a finding.
template <typename Body>
void Expect(Body body) {
    try {
        body();
    } catch (const CGeneralException&) {
    } catch (int) {
    }
}

}  // namespace fuzz_support
