#include "console/ConsoleOutput.h"

#include <string>

#include "base/Text.h"

void WriteText(std::FILE* stream, std::u16string_view text) {
    const std::string bytes = Utf16ToUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}
