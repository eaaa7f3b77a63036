#include "writers/OutputEncoding.h"

COutputEncoding::COutputEncoding(int32_t encoding) : m_encoding(encoding) {
    const int32_t codePage = CodePageOfEncoding(encoding);
    if (codePage != 0) {
        m_codePage.emplace(codePage);
    }
}

uint16_t COutputEncoding::FromUnicode(char16_t ch) const {
    if (!m_codePage) {
        return static_cast<uint16_t>(ch);
    }
    uint16_t code = kNoCode;
    return m_codePage->FromUnicode(ch, code) ? code : kNoCode;
}
