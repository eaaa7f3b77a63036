#include "console/Converters.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

#include "base/GlobalException.h"
#include "base/Text.h"
#include "platform/InstallLayout.h"
#include "platform/Process.h"

namespace {

constexpr std::array<Keyword, 4> kEncodings = {{
    {u"utf8", kEncodingUtf8},
    {u"utf16", kEncodingUtf16},
    {u"sjis", kEncodingShiftJis},
    {u"cp1252", kEncodingCp1252},
}};
constexpr int32_t kEncodingNotFound = 4;

constexpr std::array<Keyword, 4> kWidthTypes = {{
    {u"fixed", CLetterer::kWidthFixed},
    {u"glyph", CLetterer::kWidthGlyph},
    {u"char", CLetterer::kWidthChar},
    {u"keepsp", CLetterer::kWidthKeepSp},
}};
constexpr int32_t kWidthTypeNotFound = 4;

constexpr std::array<Keyword, 7> kGlyphImageFormats = {{
    {u"i4", kTexI4},
    {u"i8", kTexI8},
    {u"ia4", kTexIA4},
    {u"ia8", kTexIA8},
    {u"rgb565", kTexRGB565},
    {u"rgb5a3", kTexRGB5A3},
    {u"rgba8", kTexRGBA8},
}};
constexpr int32_t kGlyphImageFormatNotFound = -1;

constexpr std::array<Keyword, 4> kImageFormats = {{
    {u"ext", CImageFontWriter::kByExtension},
    {u"bmp", CImageFontWriter::kBmp},
    {u"tga", CImageFontWriter::kTga},
    {u"png", CImageFontWriter::kPng},
}};
constexpr int32_t kImageFormatNotFound = -1;

// A decimal number as "%d" reads it: leading blanks, a sign, at least one digit, saturated to
// 32 bits. `pos` ends behind the digits; false when there are none.
bool ScanDecimal(std::u16string_view text, std::size_t& pos, int32_t& value) {
    while (pos < text.size() && (text[pos] == u' ' || (text[pos] >= u'\t' && text[pos] <= u'\r'))) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    const std::size_t first = pos;
    int64_t magnitude = 0;
    while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9') {
        magnitude = std::min<int64_t>(magnitude * 10 + (text[pos] - u'0'), int64_t{1} << 32);
        ++pos;
    }
    if (pos == first) {
        return false;
    }
    const int64_t signedValue = negative ? -magnitude : magnitude;
    value = static_cast<int32_t>(std::clamp<int64_t>(
        signedValue, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    return true;
}

// The text as wcstol reads it with base 0, held to 32 bits before the low 16 are taken: a
// 64-bit long would otherwise let "4294967296" wrap to 0 instead of saturating.
uint16_t NumberLow16(const std::u16string& text) {
    const std::string narrow = Utf16ToUtf8(text);
    const long long value = std::strtoll(narrow.c_str(), nullptr, 0);
    const int64_t held = std::clamp<long long>(value, std::numeric_limits<int32_t>::min(),
                                               std::numeric_limits<int32_t>::max());
    return static_cast<uint16_t>(static_cast<uint32_t>(held) & 0xFFFF);
}

}  // namespace

int32_t LookupKeyword(const std::u16string& text, std::span<const Keyword> table,
                      int32_t notFound) {
    const std::u16string lower = ToLowerAscii(text);
    for (const Keyword& row : table) {
        if (row.keyword == lower) {
            return row.value;
        }
    }
    return notFound;
}

CharEncoding ToEncodingType(const std::u16string& text) {
    const int32_t value = LookupKeyword(text, kEncodings, kEncodingNotFound);
    if (value == kEncodingNotFound) {
        TL_THROW(kErrCommandLine, 208, text);
    }
    return static_cast<CharEncoding>(value);
}

CLetterer::WidthType ToWidthType(const std::u16string& text) {
    const int32_t value = LookupKeyword(text, kWidthTypes, kWidthTypeNotFound);
    if (value == kWidthTypeNotFound) {
        TL_THROW(kErrCommandLine, 216, text);
    }
    return static_cast<CLetterer::WidthType>(value);
}

TextureFormat ToGlyphImageFormat(const std::u16string& text) {
    if (text.empty()) {
        TL_THROW(kErrCommandLine, 164);
    }
    const int32_t value = LookupKeyword(text, kGlyphImageFormats, kGlyphImageFormatNotFound);
    if (value == kGlyphImageFormatNotFound) {
        TL_THROW(kErrCommandLine, 206, text);
    }
    return static_cast<TextureFormat>(value);
}

CImageFontWriter::OutputFormat ToImageFormat(const std::u16string& text) {
    const int32_t value = LookupKeyword(text, kImageFormats, kImageFormatNotFound);
    if (value == kImageFormatNotFound) {
        TL_THROW(kErrCommandLine, 212, text);
    }
    return static_cast<CImageFontWriter::OutputFormat>(value);
}

void ToSheetSize(int32_t& width, int32_t& height, const std::u16string& text) {
    std::size_t pos = 0;
    int32_t w = 0;
    int32_t h = 0;
    const bool read = ScanDecimal(text, pos, w) && pos < text.size() && text[pos++] == u'x' &&
                      ScanDecimal(text, pos, h);
    if (!read) {
        TL_THROW(kErrCommandLine, 157);
    }
    width = w;
    height = h;
}

void ReadBpp(const std::u16string& text, int32_t& depth, bool& alpha) {
    if (text.empty()) {
        TL_THROW(kErrCommandLine, 165);
    }
    const bool withAlpha = text.starts_with(u"IA");
    const std::size_t digitAt = withAlpha ? 2 : 1;
    const bool valid = text.front() == u'I' && text.size() == digitAt + 1 &&
                       text[digitAt] >= u'1' && text[digitAt] <= u'8';
    if (!valid) {
        TL_THROW(kErrCommandLine, 143, text);
    }
    depth = text[digitAt] - u'0';
    alpha = withAlpha;
}

int32_t ToOutlineWidth(const std::u16string& text) {
    std::size_t pos = 0;
    int32_t width = 0;
    if (!ScanDecimal(text, pos, width) || pos != text.size()) {
        TL_THROW(kErrCommandLine, 470, text);
    }
    return width;
}

GlyphEffects::Offset ToShadowOffset(const std::u16string& text) {
    std::size_t pos = 0;
    GlyphEffects::Offset offset;
    const bool read = ScanDecimal(text, pos, offset.x) && pos < text.size() &&
                      text[pos++] == u',' && ScanDecimal(text, pos, offset.y) && pos == text.size();
    if (!read) {
        TL_THROW(kErrCommandLine, 471, text);
    }
    return offset;
}

uint16_t ToCharCode(const std::u16string& text, CharEncoding encoding) {
    // One character stands for itself, whatever the encoding.
    if (text.size() == 1) {
        return CFontEncoding(kEncodingUtf16).SubstituteFromCode(text.front());
    }
    return CFontEncoding(encoding).SubstituteFromCode(NumberLow16(text));
}

std::u16string ToDefinitionFile(const std::u16string& text, const std::u16string& kind) {
    return ShippedFile(text, kind, ProgramFolder());
}
