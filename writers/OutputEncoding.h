#pragma once

#include <cstdint>
#include <optional>

#include "platform/CodePage.h"

// Character codes of the binary font's chosen encoding: the Unicode encodings keep UTF-16
// codes, Shift-JIS and code page 1252 convert through their code page with exact mappings
// only.
class COutputEncoding {
public:
    static constexpr uint16_t kNoCode = 0xFFFF;

    explicit COutputEncoding(int32_t encoding);

    int32_t Encoding() const { return m_encoding; }
    bool HasCodePage() const { return m_codePage.has_value(); }
    // The code of one UTF-16 unit; kNoCode when the code page cannot represent it.
    uint16_t FromUnicode(char16_t ch) const;

private:
    int32_t m_encoding;
    std::optional<CCodePage> m_codePage;
};
