#include "bmfont/BmFontValue.h"

#include <algorithm>

#include "base/GlobalException.h"

namespace {

constexpr int kUnreadableValue = 457;
constexpr int64_t kLargest = int64_t{1} << 40;

template <typename Char>
int64_t Parse(std::basic_string_view<Char> text, std::u16string_view key, const BmFontPlace& place,
              const std::u16string& path) {
    bool negative = false;
    if (!text.empty() && (text.front() == Char('-') || text.front() == Char('+'))) {
        negative = text.front() == Char('-');
        text.remove_prefix(1);
    }
    if (text.empty()) {
        TL_THROW(kErrInputValue, kUnreadableValue, key, PlaceText(place), path);
    }
    int64_t magnitude = 0;
    for (const Char ch : text) {
        if (ch < Char('0') || ch > Char('9')) {
            TL_THROW(kErrInputValue, kUnreadableValue, key, PlaceText(place), path);
        }
        magnitude = std::min(kLargest, magnitude * 10 + (ch - Char('0')));
    }
    return negative ? -magnitude : magnitude;
}

}  // namespace

int64_t ParseBmFontNumber(std::string_view text, std::u16string_view key, const BmFontPlace& place,
                          const std::u16string& path) {
    return Parse(text, key, place, path);
}

int64_t ParseBmFontNumber(std::u16string_view text, std::u16string_view key,
                          const BmFontPlace& place, const std::u16string& path) {
    return Parse(text, key, place, path);
}
