#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

#include "compress/HuffmanTree.h"
#include "compress/LzWindow.h"

// Everything the codecs keep between the layers of one call: the two buffers that the layers
// alternate between, the LZ window and the Huffman tables. They are sized once and reused.
struct CCodecWork {
    std::array<std::vector<uint8_t>, 2> buffers;
    CLzWindow lzWindow;
    CHuffmanTree huffmanTree;
};

// The process-wide work state, held locked for the length of one Compress or Expand. Giving
// every call its own state is a change of this one function.
struct CodecWorkLease {
    std::unique_lock<std::mutex> lock;
    CCodecWork& work;
};
CodecWorkLease LeaseCodecWork();
