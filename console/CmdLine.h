#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One row of the option table: the name typed after the hyphen (case-sensitive) and whether it
// takes a parameter (kind 0 none, 1 optional, 2 required, 3 required and may be a negative
// number).
struct CmdOption {
    std::u16string_view name;
    int32_t kind;
};

// The console program's options, in lookup order.
std::span<const CmdOption> ConsoleOptionTable();

// A command line split into options with their parameters. Every parse failure throws, and
// nothing of a partial scan is kept.
class CCmdLine {
public:
    // `arguments` are the program's arguments exactly as the system handed them over, the
    // program path first: each is one word, whatever blanks or quotes it holds.
    CCmdLine(std::span<const std::u16string> arguments, std::span<const CmdOption> table);

    bool HasOption(std::u16string_view name) const;
    bool HasAnyOption() const { return !m_options.empty(); }
    // The first parameter given; empty when the option is absent or came without one.
    std::u16string GetParam(std::u16string_view name) const;
    // Every parameter given, in order, for an option that may be repeated.
    std::vector<std::u16string> GetParams(std::u16string_view name) const;
    // The first parameter as a signed decimal number (leading blanks and a sign allowed, read
    // up to the first non-digit, no digits read as 0, saturated to 32 bits); the default when
    // the option is absent or came without a parameter.
    int32_t GetIntParam(std::u16string_view name, int32_t defaultValue) const;

    // The words that were neither options nor parameters; the first is the program path.
    const std::vector<std::u16string>& PlainArguments() const { return m_plainArguments; }

private:
    void Analyze(std::span<const std::u16string> arguments, std::span<const CmdOption> table);
    const std::vector<std::u16string>* FindParams(std::u16string_view name) const;

    std::map<std::u16string, std::vector<std::u16string>, std::less<>> m_options;
    std::vector<std::u16string> m_plainArguments;
};
