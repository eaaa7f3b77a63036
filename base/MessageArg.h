#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

// One argument of a printf-style message: a number (also used for %c, as a UTF-16 code)
// or a UTF-16 text.
class MessageArg {
public:
    template <typename T, std::enable_if_t<std::is_integral_v<T> || std::is_enum_v<T>, int> = 0>
    MessageArg(T value) : m_value(static_cast<int64_t>(value)) {}
    MessageArg(std::u16string_view text) : m_value(std::u16string(text)) {}
    MessageArg(const std::u16string& text) : m_value(text) {}
    MessageArg(const char16_t* text) : m_value(std::u16string(text ? text : u"")) {}

    bool IsNumber() const { return std::holds_alternative<int64_t>(m_value); }
    int64_t Number() const { return IsNumber() ? std::get<int64_t>(m_value) : 0; }
    std::u16string_view Text() const {
        return IsNumber() ? std::u16string_view()
                          : std::u16string_view(std::get<std::u16string>(m_value));
    }

private:
    std::variant<int64_t, std::u16string> m_value;
};
