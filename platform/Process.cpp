#include "platform/Process.h"

#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <vector>

#include "base/Text.h"

std::vector<std::u16string> CommandLineArguments(int argc, const char* const* argv) {
    std::vector<std::u16string> arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.push_back(Utf8ToUtf16(argv[i] != nullptr ? argv[i] : ""));
    }
    return arguments;
}

int LastSystemError() {
    return errno;
}

std::u16string ProgramFolder() {
    // readlink does not terminate the name, and says nothing when it is cut: grow until the
    // whole name fits.
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) {
            return {};
        }
        if (static_cast<std::size_t>(n) < buffer.size()) {
            const std::string_view path(buffer.data(), static_cast<std::size_t>(n));
            const std::size_t slash = path.find_last_of('/');
            return slash == std::string_view::npos ? std::u16string()
                                                   : Utf8ToUtf16(path.substr(0, slash + 1));
        }
        if (buffer.size() >= 65536) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
}
