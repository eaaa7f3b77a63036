#pragma once

#include <array>
#include <cstdint>
#include <memory>

struct UConverter;

// Single-character conversion between UTF-16 and a Windows code page (932, 1252 or 949).
// Only exact mappings count: no best fit, no default or substitution character, and an
// invalid or unassigned code is refused. One object serves one conversion on one thread.
class CCodePage {
public:
    // Throws an internal error for a code page other than 932, 1252 and 949.
    explicit CCodePage(int codePage);
    CCodePage(CCodePage&&) noexcept;
    CCodePage& operator=(CCodePage&&) noexcept;
    ~CCodePage();

    int CodePage() const { return m_codePage; }

    // UTF-16 -> code (one byte: 0x00-0xFF; two bytes: high byte first).
    bool FromUnicode(char16_t ch, uint16_t& code) const;
    // code -> exactly one UTF-16 unit; a code below 0x100 is one byte, else two bytes high first.
    bool ToUnicode(uint16_t code, char16_t& ch) const;
    // The byte starts a two-byte character.
    bool IsLeadByte(uint8_t byte) const { return m_leadBytes[byte]; }

private:
    struct ConverterCloser {
        void operator()(UConverter* converter) const;
    };

    int m_codePage;
    std::unique_ptr<UConverter, ConverterCloser> m_converter;
    std::array<bool, 256> m_leadBytes{};
};

// The code page behind an encoding number: 2 (Shift-JIS) 932, 3 1252, 4 949; 0 for the
// Unicode encodings 0 and 1 and for any other number.
int32_t CodePageOfEncoding(int32_t encoding);
