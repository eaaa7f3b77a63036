#include "platform/CodePage.h"

#include <unicode/ucnv.h>

#include "base/GlobalException.h"

namespace {

// ICU's names for the Windows tables. "cp949" would open IBM's Korean table, which differs
// from Windows' for thousands of characters, so the names are spelled out.
const char* IcuName(int codePage) {
    switch (codePage) {
        case 932:
            return "windows-932";
        case 1252:
            return "windows-1252";
        case 949:
            return "windows-949";
        default:
            return nullptr;
    }
}

}  // namespace

void CCodePage::ConverterCloser::operator()(UConverter* converter) const {
    ucnv_close(converter);
}

CCodePage::CCodePage(int codePage) : m_codePage(codePage) {
    const char* name = IcuName(codePage);
    if (name == nullptr) {
        TL_THROW(kErrInternal, 197);
    }
    UErrorCode err = U_ZERO_ERROR;
    m_converter.reset(ucnv_open(name, &err));
    if (U_FAILURE(err) || !m_converter) {
        TL_THROW(kErrInternal, 197);
    }
    // Without fallback ICU would best-fit (U+00A5 to 0x5C in 932); without the stop
    // callbacks it would substitute a default character and report success.
    ucnv_setFallback(m_converter.get(), false);
    ucnv_setFromUCallBack(m_converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &err);
    ucnv_setToUCallBack(m_converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &err);
    UBool starters[256] = {};
    ucnv_getStarters(m_converter.get(), starters, &err);
    if (U_FAILURE(err)) {
        TL_THROW(kErrInternal, 197);
    }
    for (std::size_t i = 0; i < m_leadBytes.size(); ++i) {
        m_leadBytes[i] = starters[i] != 0;
    }
}

CCodePage::CCodePage(CCodePage&&) noexcept = default;
CCodePage& CCodePage::operator=(CCodePage&&) noexcept = default;
CCodePage::~CCodePage() = default;

bool CCodePage::FromUnicode(char16_t ch, uint16_t& code) const {
    // A state left by an earlier refused character must not leak into this one.
    ucnv_resetFromUnicode(m_converter.get());
    const UChar source = ch;
    char bytes[8] = {};
    UErrorCode err = U_ZERO_ERROR;
    const int32_t length =
        ucnv_fromUChars(m_converter.get(), bytes, sizeof bytes, &source, 1, &err);
    if (U_FAILURE(err)) {
        return false;
    }
    if (length == 1) {
        code = static_cast<uint8_t>(bytes[0]);
        return true;
    }
    if (length == 2) {
        code = static_cast<uint16_t>(static_cast<uint8_t>(bytes[0]) << 8 |
                                     static_cast<uint8_t>(bytes[1]));
        return true;
    }
    return false;
}

bool CCodePage::ToUnicode(uint16_t code, char16_t& ch) const {
    ucnv_resetToUnicode(m_converter.get());
    char bytes[2];
    int32_t byteCount = 0;
    if (code >= 0x100) {
        bytes[byteCount++] = static_cast<char>(code >> 8);
    }
    bytes[byteCount++] = static_cast<char>(code & 0xFF);
    UChar units[4] = {};
    UErrorCode err = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(m_converter.get(), units, 4, bytes, byteCount, &err);
    // Two single-byte characters (0x4142) or a surrogate pair are not one character.
    if (U_FAILURE(err) || length != 1) {
        return false;
    }
    ch = units[0];
    return true;
}

int32_t CodePageOfEncoding(int32_t encoding) {
    switch (encoding) {
        case 2:
            return 932;
        case 3:
            return 1252;
        case 4:
            return 949;
        default:
            return 0;
    }
}
