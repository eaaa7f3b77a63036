#include "format/FontEncoding.h"

#include "base/GlobalException.h"

CFontEncoding::CFontEncoding(int32_t encoding) : m_encoding(encoding) {
    const int32_t codePage = CodePageOfEncoding(encoding);
    if (codePage != 0) {
        m_codePage.emplace(codePage);
    }
}

uint16_t CFontEncoding::FromUnicode(char16_t ch) const {
    if (!m_codePage) {
        return static_cast<uint16_t>(ch);
    }
    uint16_t code = kNoCode;
    return m_codePage->FromUnicode(ch, code) ? code : kNoCode;
}

char16_t CFontEncoding::ToUnicode(uint16_t code) const {
    if (!m_codePage) {
        return static_cast<char16_t>(code);
    }
    char16_t ch = kNoCode;
    return m_codePage->ToUnicode(code, ch) ? ch : kNoCode;
}

char16_t CFontEncoding::SubstituteFromCode(uint16_t code) const {
    const char16_t ch = ToUnicode(code);
    if (ch == kNoCode) {
        TL_THROW(kErrInputValue, 106, code);
    }
    return ch;
}

char16_t CFontEncoding::SubstituteFromCharacter(char16_t ch) const {
    if (m_codePage && FromUnicode(ch) == kNoCode) {
        TL_THROW(kErrInputValue, 106, static_cast<int>(ch));
    }
    return ch;
}
