#include "console/CmdLine.h"

#include <array>
#include <cstdlib>
#include <limits>

#include "core/GlobalException.h"
#include "platform/Text.h"

namespace {

constexpr std::array<CmdOption, 38> kOptions = {{
    {u"h", 0},   {u"i", 2},   {u"f", 2},   {u"o", 2},  {u"if", 2}, {u"io", 2},  {u"ic", 2},
    {u"in", 2},  {u"is", 2},  {u"isw", 2}, {u"it", 1}, {u"iw", 2}, {u"ig", 2},  {u"iv", 1},
    {u"ia", 0},  {u"of", 2},  {u"oo", 2},  {u"og", 0}, {u"oa", 2}, {u"oh", 2},  {u"ot", 2},
    {u"ob", 2},  {u"ol", 2},  {u"or", 2},  {u"ow", 2}, {u"oe", 2}, {u"oh", 2},  {u"om", 2},
    {u"on", 2},  {u"oi", 2},  {u"op", 2},  {u"ox", 2}, {u"os", 2}, {u"ocb", 2}, {u"ocg", 2},
    {u"ocm", 2}, {u"ocw", 2}, {u"ocn", 2},
}};

constexpr char16_t kQuote = u'"';

// Blanks, line breaks and every control character.
bool IsWhiteSpace(char16_t c) {
    return c >= 0x01 && c <= 0x20;
}

// A quoted token runs to the next quote (or the end), without the quotes; any other token runs
// to the first character of code 0x20 or less. `pos` ends behind the token.
std::u16string_view ReadToken(std::u16string_view text, std::size_t& pos) {
    if (pos < text.size() && text[pos] == kQuote) {
        const std::size_t begin = pos + 1;
        const std::size_t close = text.find(kQuote, begin);
        if (close == std::u16string_view::npos) {
            pos = text.size();
            return text.substr(begin);
        }
        pos = close + 1;
        return text.substr(begin, close - begin);
    }
    const std::size_t begin = pos;
    while (pos < text.size() && text[pos] > 0x20) {
        ++pos;
    }
    return text.substr(begin, pos - begin);
}

const CmdOption* FindOption(std::span<const CmdOption> table, std::u16string_view name) {
    for (const CmdOption& row : table) {
        if (row.name == name) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace

std::span<const CmdOption> ConsoleOptionTable() {
    return kOptions;
}

CCmdLine::CCmdLine(std::u16string_view text, std::span<const CmdOption> table) {
    Analyze(text, table);
}

void CCmdLine::Analyze(std::u16string_view text, std::span<const CmdOption> table) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char16_t c = text[pos];
        if (IsWhiteSpace(c)) {
            ++pos;
            continue;
        }
        if (c != u'-') {
            const std::u16string_view word = ReadToken(text, pos);
            if (word.empty()) {
                TL_THROW(kErrInternal, 197);
            }
            m_plainArguments.emplace_back(word);
            continue;
        }
        ++pos;
        const std::u16string_view name = ReadToken(text, pos);
        if (name.empty()) {
            TL_THROW(kErrCommandLine, 145);
        }
        const CmdOption* option = FindOption(table, name);
        if (option == nullptr) {
            TL_THROW(kErrCommandLine, 207, name);
        }
        if (option->kind != 0 && option->kind != 1 && option->kind != 2) {
            TL_THROW(kErrInternal, 214, Utf8ToUtf16(std::to_string(option->kind)));
        }
        auto& params = m_options.try_emplace(std::u16string(name)).first->second;
        if (option->kind == 0) {
            continue;
        }
        while (pos < text.size() && IsWhiteSpace(text[pos])) {
            ++pos;
        }
        // A parameter never starts with a hyphen: such a word is left for the next option.
        std::size_t after = pos;
        const std::u16string_view param = ReadToken(text, after);
        if (!param.empty() && param.front() != u'-') {
            params.emplace_back(param);
            pos = after;
        } else if (option->kind == 2) {
            TL_THROW(kErrCommandLine, 159);
        }
    }
}

const std::vector<std::u16string>* CCmdLine::FindParams(std::u16string_view name) const {
    const auto found = m_options.find(name);
    return found == m_options.end() ? nullptr : &found->second;
}

bool CCmdLine::HasOption(std::u16string_view name) const {
    return FindParams(name) != nullptr;
}

std::u16string CCmdLine::GetParam(std::u16string_view name) const {
    const auto* params = FindParams(name);
    return params != nullptr && !params->empty() ? params->front() : std::u16string();
}

int32_t CCmdLine::GetIntParam(std::u16string_view name, int32_t defaultValue) const {
    const auto* params = FindParams(name);
    if (params == nullptr || params->empty()) {
        return defaultValue;
    }
    // strtoll saturates at 64 bits; the result is then held to the 32-bit range.
    const std::string digits = Utf16ToUtf8(params->front());
    const long long value = std::strtoll(digits.c_str(), nullptr, 10);
    if (value > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}
