#include "writers/format/FontEncoding.h"

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
