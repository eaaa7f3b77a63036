#include "gui/IniEscape.h"

#include <cstddef>

#include "base/Text.h"
#include "base/TextFormat.h"

namespace {
// The characters written as a backslash and a letter, each with its letter.
struct Escape {
    char16_t character;
    char16_t letter;
};
constexpr Escape kEscapes[] = {{u'\t', u't'}, {u'\n', u'n'}, {u'\r', u'r'}, {u'\\', u'\\'}};

const Escape* FindEscape(char16_t Escape::*side, char16_t value) {
    for (const Escape& escape : kEscapes) {
        if (escape.*side == value) {
            return &escape;
        }
    }
    return nullptr;
}
}  // namespace

std::u16string EscapeIniString(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (const char16_t ch : text) {
        if (const Escape* escape = FindEscape(&Escape::character, ch)) {
            out += u'\\';
            out += escape->letter;
        } else if (ch >= 128) {
            const MessageArg code[] = {static_cast<int>(ch)};
            out += FormatText(u"\\%04X", code);
        } else {
            out += ch;
        }
    }
    return out;
}

std::u16string UnescapeIniString(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\') {
            out += text[i];
        } else if (i + 1 == text.size()) {
            break;  // a lone backslash at the end stands for nothing
        } else if (const Escape* escape = FindEscape(&Escape::letter, text[i + 1])) {
            out += escape->character;
            ++i;
        } else {
            // Up to four hexadecimal digits; only the digits actually read are consumed, so a
            // short code at the end of a value never reaches past it.
            int value = 0;
            std::size_t digits = 0;
            while (digits < 4 && i + 1 + digits < text.size()) {
                const int digit = HexDigitValue(text[i + 1 + digits]);
                if (digit < 0) {
                    break;
                }
                value = value * 16 + digit;
                ++digits;
            }
            // Below 32 the backslash is dropped and what follows is read as ordinary text.
            if (value >= 32) {
                out += static_cast<char16_t>(value);
                i += digits;
            }
        }
    }
    return out;
}
