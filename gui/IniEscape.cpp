#include "gui/IniEscape.h"

#include <cstddef>

#include "core/TextFormat.h"
#include "platform/Text.h"

std::u16string EscapeIniString(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (const char16_t ch : text) {
        switch (ch) {
            case u'\t':
                out += u"\\t";
                break;
            case u'\n':
                out += u"\\n";
                break;
            case u'\r':
                out += u"\\r";
                break;
            case u'\\':
                out += u"\\\\";
                break;
            default:
                if (ch >= 128) {
                    const MessageArg code[] = {static_cast<int>(ch)};
                    out += FormatText(u"\\%04X", code);
                } else {
                    out += ch;
                }
        }
    }
    return out;
}

std::u16string UnescapeIniString(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t ch = text[i++];
        if (ch != u'\\') {
            out += ch;
            continue;
        }
        if (i == text.size()) {
            break;  // a lone backslash at the end stands for nothing
        }
        const char16_t next = text[i];
        if (next == u'\\' || next == u'n' || next == u'r' || next == u't') {
            out += next == u'\\' ? u'\\' : next == u'n' ? u'\n' : next == u'r' ? u'\r' : u'\t';
            ++i;
            continue;
        }
        // Up to four hexadecimal digits; only the digits actually read are consumed, so a short
        // code at the end of a value never reaches past it.
        int value = 0;
        std::size_t digits = 0;
        while (digits < 4 && i + digits < text.size()) {
            const int digit = HexDigitValue(text[i + digits]);
            if (digit < 0) {
                break;
            }
            value = value * 16 + digit;
            ++digits;
        }
        if (value >= 32) {
            out += static_cast<char16_t>(value);
            i += digits;
        }
        // Below 32 the backslash is dropped and what follows is read as ordinary text.
    }
    return out;
}
