#include "base/GlobalException.h"

#include <array>
#include <mutex>

#include "base/ResString.h"
#include "base/Text.h"

namespace {

constexpr int kCategoryCount = 10;
constexpr int kFirstCategoryMessage = 300;

// The category names are read once, on the first exception built in the process, and kept.
const std::array<std::u16string, kCategoryCount>& CategoryNames() {
    static std::array<std::u16string, kCategoryCount> names;
    static std::once_flag loaded;
    std::call_once(loaded, [] {
        for (int i = 0; i < kCategoryCount; ++i) {
            names[static_cast<std::size_t>(i)] = LoadResString(kFirstCategoryMessage + i);
        }
    });
    return names;
}

std::string_view LastPathComponent(std::string_view path) {
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

}  // namespace

CGeneralException& MakeException(std::string_view file, int line, std::string_view function,
                                 int32_t category, int messageNumber,
                                 std::initializer_list<MessageArg> args) {
    thread_local CGeneralException record;
    const std::u16string message = FormatResString(messageNumber, args);
    const auto& names = CategoryNames();
    std::u16string text;
    if (category >= 0 && category < kCategoryCount) {
        text = names[static_cast<std::size_t>(category)];
    }
    text += u": (";
    text += Utf8ToUtf16(function);
    text += u"@";
    text += Utf8ToUtf16(LastPathComponent(file));
    text += u":";
    text += Utf8ToUtf16(std::to_string(line));
    text += u")\n";
    text += message;
    record = CGeneralException(category, std::move(text));
    return record;
}

std::string QualifiedFunctionName(std::string_view pretty) {
    // The name ends at the parameter list's '(' and starts after the last blank before it
    // that is outside template brackets (the end of the return type).
    int depth = 0;
    std::size_t open = pretty.size();
    for (std::size_t i = 0; i < pretty.size(); ++i) {
        const char c = pretty[i];
        if (c == '<') {
            ++depth;
        } else if (c == '>') {
            --depth;
        } else if (c == '(' && depth == 0) {
            open = i;
            break;
        }
    }
    std::size_t start = 0;
    depth = 0;
    for (std::size_t i = 0; i < open; ++i) {
        const char c = pretty[i];
        if (c == '<') {
            ++depth;
        } else if (c == '>') {
            --depth;
        } else if ((c == ' ' || c == '*' || c == '&') && depth == 0) {
            start = i + 1;
        }
    }
    // Helpers in unnamed namespaces are named as the user would read them in the source.
    std::string name(pretty.substr(start, open - start));
    constexpr std::string_view kUnnamed = "{anonymous}::";
    for (std::size_t at; (at = name.find(kUnnamed)) != std::string::npos;) {
        name.erase(at, kUnnamed.size());
    }
    return name;
}
