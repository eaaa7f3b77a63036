#pragma once

#include <cstdint>
#include <optional>

#include "platform/CodePage.h"

// Character codes of a binary font's encoding (FINF encoding: 0 UTF-8, 1 UTF-16, 2 Shift-JIS,
// 3 code page 1252): the Unicode encodings keep UTF-16 codes, the others convert through their
// code page with exact mappings only.
class CFontEncoding {
public:
    static constexpr uint16_t kNoCode = 0xFFFF;

    explicit CFontEncoding(int32_t encoding);

    int32_t Encoding() const { return m_encoding; }
    bool HasCodePage() const { return m_codePage.has_value(); }
    // The code of one UTF-16 unit; kNoCode when the code page cannot represent it.
    uint16_t FromUnicode(char16_t ch) const;
    // The UTF-16 unit of a code (below 0x100 one byte, else two bytes high first); kNoCode when
    // the code page has no such character.
    char16_t ToUnicode(uint16_t code) const;

private:
    int32_t m_encoding;
    std::optional<CCodePage> m_codePage;
};
