#include "compress/CodecWork.h"

CodecWorkLease LeaseCodecWork() {
    static std::mutex guard;
    static CCodecWork shared;
    return CodecWorkLease{std::unique_lock<std::mutex>(guard), shared};
}
