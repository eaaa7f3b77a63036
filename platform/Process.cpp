#include "platform/Process.h"

#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <vector>

#include "platform/Text.h"

namespace {

bool NeedsQuotes(std::u16string_view argument) {
    if (argument.empty()) {
        return true;
    }
    for (const char16_t c : argument) {
        if (c <= 0x20) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::u16string CommandLineText(int argc, const char* const* argv) {
    std::u16string text;
    for (int i = 0; i < argc; ++i) {
        const std::u16string argument = Utf8ToUtf16(argv[i] != nullptr ? argv[i] : "");
        if (i > 0) {
            text.push_back(u' ');
        }
        if (NeedsQuotes(argument)) {
            text.append(u"\"").append(argument).append(u"\"");
        } else {
            text.append(argument);
        }
    }
    return text;
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
