#include "gui/CommandLine.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#include "base/GlobalException.h"
#include "platform/Process.h"

namespace {
constexpr char16_t kConsoleName[] = u"vela_typeloomc";

bool IsPlainShellCharacter(char16_t ch) {
    return (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z') || (ch >= u'0' && ch <= u'9') ||
           std::u16string_view(u"_@%+=:,./-").find(ch) != std::u16string_view::npos;
}
}  // namespace

void CCommandLine::Add(std::u16string_view option) {
    m_arguments.emplace_back(option);
}

void CCommandLine::Add(std::u16string_view option, std::u16string_view value) {
    if (!value.empty() && value.front() == u'-') {
        TL_THROW(kErrInputValue, 490, std::u16string(option.substr(1)), std::u16string(value));
    }
    m_arguments.emplace_back(option);
    m_arguments.emplace_back(value);
}

void CCommandLine::AddSigned(std::u16string_view option, std::u16string_view value) {
    if (value.size() < 2 || value[0] != u'-' || value[1] < u'0' || value[1] > u'9') {
        Add(option, value);
        return;
    }
    m_arguments.emplace_back(option);
    m_arguments.emplace_back(value);
}

void CCommandLine::AddNumber(std::u16string_view option, int64_t value) {
    Add(option, QString::number(value).toStdU16String());
}

void CCommandLine::AddPath(std::u16string_view option, const std::u16string& path) {
    Add(option, path.empty()
                    ? path
                    : QDir::cleanPath(QFileInfo(QString::fromStdU16String(path)).absoluteFilePath())
                          .toStdU16String());
}

std::u16string CCommandLine::ShellText(const std::u16string& program) const {
    std::u16string text = ShellQuoted(program);
    for (const std::u16string& argument : m_arguments) {
        text += u' ' + ShellQuoted(argument);
    }
    return text;
}

std::u16string ShellQuoted(std::u16string_view word) {
    if (!word.empty() && std::all_of(word.begin(), word.end(), IsPlainShellCharacter)) {
        return std::u16string(word);
    }
    // Inside single quotes everything is literal but the quote itself, which closes the quoted
    // part, stands escaped, and opens another.
    std::u16string quoted = u"'";
    for (const char16_t ch : word) {
        quoted += ch == u'\'' ? std::u16string(u"'\\''") : std::u16string(1, ch);
    }
    return quoted + u"'";
}

std::u16string ConsoleProgram() {
    const QString beside = QString::fromStdU16String(ProgramFolder() + kConsoleName);
    if (!QFileInfo(beside).isExecutable()) {
        return kConsoleName;
    }
    const QString found = QStandardPaths::findExecutable(QString::fromStdU16String(kConsoleName));
    return QFileInfo(found).canonicalFilePath() == QFileInfo(beside).canonicalFilePath()
               ? std::u16string(kConsoleName)
               : beside.toStdU16String();
}
