#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The console command that makes the same file as the desktop program's settings. Each page adds
// the options of its source or target (CInDlg::AddCommandArguments,
// COutDlg::AddCommandArguments), the main window the filter; the whole is then written out for
// a POSIX shell.
//
// The console reads every argument that starts with a hyphen as an option, so a value that
// would start with one cannot be given: it is refused with message 490 (category 8). Paths are
// made absolute, so the command works from any folder.
class CCommandLine {
public:
    // An option without a value ("-ia").
    void Add(std::u16string_view option);
    void Add(std::u16string_view option, std::u16string_view value);
    void AddNumber(std::u16string_view option, int64_t value);
    // A value that may start with a hyphen and a digit: the console takes a negative number
    // as the value of the options made for one (-ies), not as an option.
    void AddSigned(std::u16string_view option, std::u16string_view value);
    // A file path, absolute; an empty path stays empty.
    void AddPath(std::u16string_view option, const std::u16string& path);

    const std::vector<std::u16string>& Arguments() const { return m_arguments; }
    // `program` and the arguments, each quoted where a POSIX shell would change it.
    std::u16string ShellText(const std::u16string& program) const;

private:
    std::vector<std::u16string> m_arguments;
};

// One word for a POSIX shell: kept as it is when it holds only characters a shell leaves alone,
// else in single quotes.
std::u16string ShellQuoted(std::u16string_view word);

// The console program beside this one, by name alone when the search path finds that same
// program; else "vela_typeloomc".
std::u16string ConsoleProgram();
