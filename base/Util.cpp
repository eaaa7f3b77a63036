#include "base/Util.h"

#include <string_view>

#include "base/GlobalException.h"
#include "base/Text.h"
#include "base/TextFormat.h"

uint32_t ToColor(const std::u16string& text) {
    std::u16string_view digits = text;
    if (digits.starts_with(u"0x")) {
        digits.remove_prefix(2);
    } else if (digits.starts_with(u"#")) {
        digits.remove_prefix(1);
    }
    if (digits.size() != 6) {
        TL_THROW(kErrInputValue, 274, text);
    }
    uint32_t rrggbb = 0;
    for (const char16_t c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            TL_THROW(kErrInputValue, 274, text);
        }
        rrggbb = rrggbb << 4 | static_cast<uint32_t>(digit);
    }
    const uint32_t red = rrggbb >> 16;
    const uint32_t green = (rrggbb >> 8) & 0xFF;
    const uint32_t blue = rrggbb & 0xFF;
    return red | green << 8 | blue << 16;
}

std::u16string ColorToString(uint32_t color) {
    const MessageArg parts[] = {color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF};
    return FormatText(u"%02X%02X%02X", parts);
}
