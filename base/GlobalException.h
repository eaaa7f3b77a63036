#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "base/MessageArg.h"

// Error categories; the display name of category c is message 300 + c.
enum ErrorCategory : int32_t {
    kErrUnknown = 0,
    kErrImage = 1,
    kErrBmp = 2,
    kErrTga = 3,
    kErrCommandLine = 4,
    kErrFileIO = 5,
    kErrBofnt = 6,
    kErrInternal = 7,
    kErrInputValue = 8,
    kErrXml = 9,
};

// The one error type of the system: a category and the complete text shown to the user.
class CGeneralException {
public:
    CGeneralException() = default;
    CGeneralException(int32_t category, std::u16string text)
        : m_category(category), m_text(std::move(text)) {}

    int32_t GetCategory() const { return m_category; }
    const std::u16string& What() const { return m_text; }

private:
    int32_t m_category = kErrUnknown;
    std::u16string m_text;
};

// Fills this thread's exception record and returns it: "<category>: (<function>@<file>:<line>)\n"
// followed by the formatted message. `file` may be a path; only its last component is shown.
CGeneralException& MakeException(std::string_view file, int line, std::string_view function,
                                 int32_t category, int messageNumber,
                                 std::initializer_list<MessageArg> args = {});

// "CFoo::Bar" out of a compiler's pretty function signature such as "void CFoo::Bar(int)".
std::string QualifiedFunctionName(std::string_view prettyFunction);

// Throws a copy of the filled record, naming the calling function and source position.
#define TL_THROW(category, number, ...)                                                         \
    throw CGeneralException(MakeException(__FILE__, __LINE__,                                   \
                                          QualifiedFunctionName(__PRETTY_FUNCTION__), category, \
                                          number, {__VA_ARGS__}))
