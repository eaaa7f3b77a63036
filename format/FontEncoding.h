#pragma once

#include <cstdint>
#include <optional>

#include "platform/CodePage.h"

// The encodings of a binary font's codes, by the number its FINF block stores.
enum CharEncoding : int32_t {
    kEncodingUtf8 = 0,
    kEncodingUtf16 = 1,
    kEncodingShiftJis = 2,  // code page 932
    kEncodingCp1252 = 3,
};

// Character codes of a binary font's encoding: the Unicode encodings keep UTF-16 codes, the
// others convert through their code page with exact mappings only.
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

    // The substitute character a user gives, checked once for both programs, failing with
    // category 8, message 106 naming what was given. As a code of this encoding (0x8140 in
    // Shift-JIS): its UTF-16 character, which must exist.
    char16_t SubstituteFromCode(uint16_t code) const;
    // As a UTF-16 character: itself, when this encoding's code page can hold it.
    char16_t SubstituteFromCharacter(char16_t ch) const;

private:
    int32_t m_encoding;
    std::optional<CCodePage> m_codePage;
};
