#include "base/TextFormat.h"

#include <algorithm>
#include <cstdint>

namespace {

// One conversion of a format text: its flags, the field width, the precision (-1 when none is
// given) and the conversion letter.
struct Conversion {
    bool left = false;       // '-'
    bool zero = false;       // '0'
    bool plus = false;       // '+'
    bool space = false;      // ' '
    bool alternate = false;  // '#'
    int width = 0;
    int precision = -1;
    char16_t conversion = 0;
};

class ArgCursor {
public:
    explicit ArgCursor(std::span<const MessageArg> args) : m_args(args) {}
    const MessageArg* Next() { return m_next < m_args.size() ? &m_args[m_next++] : nullptr; }
    int64_t NextNumber() {
        const MessageArg* a = Next();
        return a ? a->Number() : 0;
    }

private:
    std::span<const MessageArg> m_args;
    std::size_t m_next = 0;
};

std::u16string Digits(uint64_t value, unsigned base, bool upper) {
    const char16_t* digits = upper ? u"0123456789ABCDEF" : u"0123456789abcdef";
    std::u16string out;
    do {
        out.push_back(digits[value % base]);
        value /= base;
    } while (value != 0);
    std::reverse(out.begin(), out.end());
    return out;
}

void Pad(std::u16string& out, const Conversion& conv, std::u16string_view prefix,
         std::u16string_view body, bool zeroAllowed) {
    const std::size_t length = prefix.size() + body.size();
    const std::size_t width = conv.width > 0 ? static_cast<std::size_t>(conv.width) : 0;
    const std::size_t fill = width > length ? width - length : 0;
    if (conv.left) {
        out.append(prefix).append(body).append(fill, u' ');
    } else if (conv.zero && zeroAllowed) {
        out.append(prefix).append(fill, u'0').append(body);
    } else {
        out.append(fill, u' ').append(prefix).append(body);
    }
}

void FormatInteger(std::u16string& out, const Conversion& conv, int64_t value) {
    std::u16string prefix;
    uint64_t magnitude = 0;
    unsigned base = 10;
    const char16_t c = conv.conversion;
    if (c == u'd' || c == u'i') {
        // Message numbers are 32-bit values, as the platform's printf takes them.
        const int32_t v = static_cast<int32_t>(value);
        magnitude =
            v < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(v)) : static_cast<uint64_t>(v);
        if (v < 0) {
            prefix = u"-";
        } else if (conv.plus) {
            prefix = u"+";
        } else if (conv.space) {
            prefix = u" ";
        }
    } else {
        magnitude = static_cast<uint32_t>(value);
        base = (c == u'u') ? 10 : 16;
        if (conv.alternate && base == 16 && magnitude != 0) {
            prefix = (c == u'X') ? u"0X" : u"0x";
        }
    }
    std::u16string body = Digits(magnitude, base, c == u'X');
    if (conv.precision >= 0) {
        if (conv.precision == 0 && magnitude == 0) {
            body.clear();
        } else if (body.size() < static_cast<std::size_t>(conv.precision)) {
            body.insert(0, static_cast<std::size_t>(conv.precision) - body.size(), u'0');
        }
    }
    Pad(out, conv, prefix, body, conv.precision < 0);
}

int ReadNumber(std::u16string_view format, std::size_t& pos) {
    int value = 0;
    while (pos < format.size() && format[pos] >= u'0' && format[pos] <= u'9') {
        value = std::min(value * 10 + (format[pos] - u'0'), 100000);
        ++pos;
    }
    return value;
}

// Reads the part of a conversion after '%'; pos ends behind the conversion character.
Conversion ReadSpec(std::u16string_view format, std::size_t& pos, ArgCursor& args) {
    Conversion conv;
    for (; pos < format.size(); ++pos) {
        const char16_t f = format[pos];
        if (f == u'-') {
            conv.left = true;
        } else if (f == u'0') {
            conv.zero = true;
        } else if (f == u'+') {
            conv.plus = true;
        } else if (f == u' ') {
            conv.space = true;
        } else if (f == u'#') {
            conv.alternate = true;
        } else {
            break;
        }
    }
    if (pos < format.size() && format[pos] == u'*') {
        ++pos;
        const int64_t w = args.NextNumber();
        conv.left = conv.left || w < 0;
        conv.width = static_cast<int>(std::min<int64_t>(w < 0 ? -w : w, 100000));
    } else {
        conv.width = ReadNumber(format, pos);
    }
    if (pos < format.size() && format[pos] == u'.') {
        ++pos;
        if (pos < format.size() && format[pos] == u'*') {
            ++pos;
            const int64_t p = args.NextNumber();
            conv.precision = p < 0 ? -1 : static_cast<int>(std::min<int64_t>(p, 100000));
        } else {
            conv.precision = ReadNumber(format, pos);
        }
    }
    while (pos < format.size() && (format[pos] == u'h' || format[pos] == u'l')) {
        ++pos;
    }
    if (pos < format.size()) {
        conv.conversion = format[pos++];
    }
    return conv;
}

}  // namespace

std::u16string FormatText(std::u16string_view format, std::span<const MessageArg> args) {
    std::u16string out;
    ArgCursor cursor(args);
    std::size_t pos = 0;
    while (pos < format.size() && out.size() <= kMaxMessageLength) {
        const char16_t ch = format[pos++];
        if (ch != u'%') {
            out.push_back(ch);
            continue;
        }
        const Conversion conv = ReadSpec(format, pos, cursor);
        switch (conv.conversion) {
            case u'%':
                out.push_back(u'%');
                break;
            case u's': {
                const MessageArg* a = cursor.Next();
                std::u16string_view text = a ? a->Text() : std::u16string_view();
                if (conv.precision >= 0 && text.size() > static_cast<std::size_t>(conv.precision)) {
                    text = text.substr(0, static_cast<std::size_t>(conv.precision));
                }
                Pad(out, conv, u"", text, false);
                break;
            }
            case u'c': {
                const char16_t c = static_cast<char16_t>(cursor.NextNumber());
                Pad(out, conv, u"", std::u16string_view(&c, 1), false);
                break;
            }
            case u'd':
            case u'i':
            case u'u':
            case u'x':
            case u'X':
                FormatInteger(out, conv, cursor.NextNumber());
                break;
            default:
                // An unknown conversion is printed as written.
                out.push_back(u'%');
                if (conv.conversion != 0) {
                    out.push_back(conv.conversion);
                }
                break;
        }
    }
    if (out.size() > kMaxMessageLength) {
        out.resize(kMaxMessageLength);
    }
    return out;
}
