#pragma once

#include <cstddef>

// Gives the whole memory pages inside the `bytes` from `data` back to the system, for a large
// buffer whose first part will not be read again: the process's footprint shrinks while it
// works on through the rest. Those pages read as zero afterwards; the buffer stays allocated
// and is freed as usual. Bytes in partly covered pages at either end are kept.
void ReleaseMemoryPages(void* data, std::size_t bytes);
