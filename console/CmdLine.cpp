#include "console/CmdLine.h"

#include <array>
#include <cstdlib>
#include <limits>

#include "base/GlobalException.h"
#include "base/Text.h"

namespace {

constexpr std::array<CmdOption, 43> kOptions = {{
    {u"h", 0},   {u"i", 2},   {u"f", 2},   {u"o", 2},   {u"if", 2},  {u"io", 2},  {u"ic", 2},
    {u"in", 2},  {u"is", 2},  {u"isw", 2}, {u"it", 1},  {u"iw", 2},  {u"ig", 2},  {u"iv", 1},
    {u"ia", 0},  {u"of", 2},  {u"oo", 2},  {u"og", 0},  {u"oa", 2},  {u"oh", 2},  {u"ot", 2},
    {u"ob", 2},  {u"ol", 2},  {u"or", 2},  {u"ow", 2},  {u"oe", 2},  {u"oh", 2},  {u"om", 2},
    {u"on", 2},  {u"oi", 2},  {u"op", 2},  {u"ox", 2},  {u"os", 2},  {u"ocb", 2}, {u"ocg", 2},
    {u"ocm", 2}, {u"ocw", 2}, {u"ocn", 2}, {u"ieo", 3}, {u"ies", 3}, {u"inf", 2}, {u"ofx", 0},
    {u"ofb", 0},
}};

// A word that starts with a hyphen and a digit: a negative number, never an option's name.
bool IsNegativeNumber(std::u16string_view word) {
    return word.size() > 1 && word[0] == u'-' && word[1] >= u'0' && word[1] <= u'9';
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

CCmdLine::CCmdLine(std::span<const std::u16string> arguments, std::span<const CmdOption> table) {
    Analyze(arguments, table);
}

void CCmdLine::Analyze(std::span<const std::u16string> arguments,
                       std::span<const CmdOption> table) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::u16string_view word = arguments[i];
        if (!word.starts_with(u'-')) {
            if (word.empty()) {
                TL_THROW(kErrInternal, 197);
            }
            m_plainArguments.emplace_back(word);
            continue;
        }
        const std::u16string_view name = word.substr(1);
        if (name.empty()) {
            TL_THROW(kErrCommandLine, 145);
        }
        const CmdOption* option = FindOption(table, name);
        if (option == nullptr) {
            TL_THROW(kErrCommandLine, 207, name);
        }
        if (option->kind < 0 || option->kind > 3) {
            TL_THROW(kErrInternal, 214, Utf8ToUtf16(std::to_string(option->kind)));
        }
        auto& params = m_options.try_emplace(std::u16string(name)).first->second;
        if (option->kind == 0) {
            continue;
        }
        // A parameter never starts with a hyphen, such a word being left for the next option;
        // but one of kind 3 may be a negative number.
        const bool hasParam = i + 1 < arguments.size() && !arguments[i + 1].empty() &&
                              (!arguments[i + 1].starts_with(u'-') ||
                               (option->kind == 3 && IsNegativeNumber(arguments[i + 1])));
        if (hasParam) {
            params.push_back(arguments[++i]);
        } else if (option->kind >= 2) {
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

std::vector<std::u16string> CCmdLine::GetParams(std::u16string_view name) const {
    const auto* params = FindParams(name);
    return params != nullptr ? *params : std::vector<std::u16string>();
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
