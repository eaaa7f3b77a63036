#include "bmfont/BmFontText.h"

#include <string_view>

#include "base/GlobalException.h"
#include "base/Text.h"
#include "bmfont/BmFontValue.h"

namespace {

constexpr int kUnreadableValue = 457;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view SkipByteOrderMark(std::string_view text) {
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    return text.substr(0, kMark.size()) == kMark ? text.substr(kMark.size()) : text;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

// The word at the start of `text`, which is left behind it.
std::string_view TakeWord(std::string_view& text) {
    std::size_t end = 0;
    while (end < text.size() && !IsBlank(text[end]) && text[end] != '=') {
        ++end;
    }
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

// One key=value pair of a tag line, the quotes of a text value taken off.
struct Pair {
    std::string_view key;
    std::string_view value;
};

// Reads the pairs of one line, handing each to `use`; a pair without '=' is passed over.
template <typename Use>
void ForEachPair(std::string_view rest, const BmFontPlace& place, const std::u16string& path,
                 Use use) {
    for (rest = TrimBlanks(rest); !rest.empty(); rest = TrimBlanks(rest)) {
        const std::string_view key = TakeWord(rest);
        if (rest.empty() || rest.front() != '=') {
            continue;
        }
        rest.remove_prefix(1);
        std::string_view value;
        if (!rest.empty() && rest.front() == '"') {
            const std::size_t close = rest.find('"', 1);
            if (close == std::string_view::npos) {
                TL_THROW(kErrInputValue, kUnreadableValue, Utf8ToUtf16(key), PlaceText(place),
                         path);
            }
            value = rest.substr(1, close - 1);
            rest.remove_prefix(close + 1);
        } else {
            std::size_t end = 0;
            while (end < rest.size() && !IsBlank(rest[end])) {
                ++end;
            }
            value = rest.substr(0, end);
            rest.remove_prefix(end);
        }
        use(Pair{key, value});
    }
}

// Sets the field of `key` in a tag from the table `fields`, or nothing for another key.
struct NumberField {
    std::string_view key;
    int64_t* field;
};

template <std::size_t N>
void SetNumber(const Pair& pair, const NumberField (&fields)[N], const BmFontPlace& place,
               const std::u16string& path) {
    for (const NumberField& f : fields) {
        if (pair.key == f.key) {
            *f.field = ParseBmFontNumber(pair.value, Utf8ToUtf16(pair.key), place, path);
            return;
        }
    }
}

void ReadLine(std::string_view line, const BmFontPlace& place, const std::u16string& path,
              BmFontDescriptor& out) {
    std::string_view rest = TrimBlanks(line);
    const std::string_view tag = TakeWord(rest);
    if (tag == "info") {
        out.info.place = place;
        const NumberField fields[] = {{"size", &out.info.size}};
        ForEachPair(rest, place, path, [&](const Pair& p) {
            if (p.key == "face") {
                out.info.face = Utf8ToUtf16(p.value);
            }
            SetNumber(p, fields, place, path);
        });
    } else if (tag == "common") {
        BmFontCommon& c = out.common.emplace();
        c.place = place;
        int64_t packed = 0;
        const NumberField fields[] = {
            {"lineHeight", &c.lineHeight}, {"base", &c.base},       {"scaleW", &c.scaleW},
            {"scaleH", &c.scaleH},         {"pages", &c.pages},     {"packed", &packed},
            {"alphaChnl", &c.alphaChnl},   {"redChnl", &c.redChnl}, {"greenChnl", &c.greenChnl},
            {"blueChnl", &c.blueChnl},
        };
        ForEachPair(rest, place, path, [&](const Pair& p) { SetNumber(p, fields, place, path); });
        c.packed = packed != 0;
    } else if (tag == "page") {
        BmFontPage& page = AddBmFontPage(out, place, path);
        const NumberField fields[] = {{"id", &page.id}};
        ForEachPair(rest, place, path, [&](const Pair& p) {
            if (p.key == "file") {
                page.file = Utf8ToUtf16(p.value);
            }
            SetNumber(p, fields, place, path);
        });
    } else if (tag == "char") {
        BmFontChar ch;
        ch.place = place;
        const NumberField fields[] = {
            {"id", &ch.id},
            {"x", &ch.x},
            {"y", &ch.y},
            {"width", &ch.width},
            {"height", &ch.height},
            {"xoffset", &ch.xoffset},
            {"yoffset", &ch.yoffset},
            {"xadvance", &ch.xadvance},
            {"page", &ch.page},
            {"chnl", &ch.chnl},
        };
        ForEachPair(rest, place, path, [&](const Pair& p) { SetNumber(p, fields, place, path); });
        AddBmFontChar(out, ch, path);
    } else if (tag == "kerning") {
        ++out.kerningPairs;
    }
}

// Appends `key=value`, the value padded with blanks to `width` characters as BMFont does
// (none when `width` is 0: the line's last value).
void AppendNumber(std::string& out, std::string_view key, int64_t value, std::size_t width = 0) {
    const std::string text = std::to_string(value);
    out.append(key).append("=").append(text);
    if (width > 0) {
        // At least one blank, so that a value wider than its column still ends.
        out.append(text.size() < width ? width - text.size() : 1, ' ');
    }
}

void AppendText(std::string& out, std::string_view key, const std::u16string& value) {
    out.append(key).append("=\"").append(Utf16ToUtf8(value)).append("\"");
}

}  // namespace

bool LooksLikeBmFontText(std::span<const uint8_t> bytes) {
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    text = SkipByteOrderMark(text);
    while (!text.empty() &&
           (IsBlank(text.front()) || text.front() == '\r' || text.front() == '\n')) {
        text.remove_prefix(1);
    }
    const std::string_view tag = TakeWord(text);
    const bool known =
        tag == "info" || tag == "common" || tag == "page" || tag == "chars" || tag == "char";
    return known &&
           (text.empty() || IsBlank(text.front()) || text.front() == '\r' || text.front() == '\n');
}

BmFontDescriptor ParseBmFontText(std::span<const uint8_t> bytes, const std::u16string& path) {
    std::string_view text = SkipByteOrderMark(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    BmFontDescriptor out;
    BmFontPlace place;
    while (!text.empty()) {
        ++place.line;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        ReadLine(line, place, path, out);
    }
    return out;
}

std::vector<uint8_t> WriteBmFontText(const BmFontDescriptor& d) {
    const BmFontCommon& c = d.common.value();
    std::string out;
    out.append("info ");
    AppendText(out, "face", d.info.face);
    out.append(" ");
    AppendNumber(out, "size", d.info.size);
    out.append(
        " bold=0 italic=0 charset=\"\" unicode=1 stretchH=100 smooth=1 aa=1 padding=0,0,0,0 "
        "spacing=1,1 outline=0\n");
    out.append("common");
    for (const auto& [key, value] : CommonFields(c)) {
        out.append(" ");
        AppendNumber(out, key, value);
    }
    out.append("\n");
    for (const BmFontPage& page : d.pages) {
        out.append("page ");
        AppendNumber(out, "id", page.id);
        out.append(" ");
        AppendText(out, "file", page.file);
        out.append("\n");
    }
    out.append("chars ");
    AppendNumber(out, "count", static_cast<int64_t>(d.chars.size()));
    out.append("\n");
    for (const BmFontChar& ch : d.chars) {
        out.append("char ");
        // Columns as BMFont pads them; the last value unpadded.
        constexpr std::size_t kWidths[] = {5, 6, 6, 6, 6, 6, 6, 6, 3, 0};
        const auto fields = CharFields(ch);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            AppendNumber(out, fields[i].first, fields[i].second, kWidths[i]);
        }
        out.append("\n");
    }
    return std::vector<uint8_t>(out.begin(), out.end());
}
