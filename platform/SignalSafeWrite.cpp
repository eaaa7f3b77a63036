#include "platform/SignalSafeWrite.h"

#include <unistd.h>

#include <cerrno>

void WriteStandardError(const char* data, std::size_t length) {
    while (length > 0) {
        const ssize_t n = ::write(STDERR_FILENO, data, length);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return;
        }
        data += n;
        length -= static_cast<std::size_t>(n);
    }
}
