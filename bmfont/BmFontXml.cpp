#include "bmfont/BmFontXml.h"

#include <optional>
#include <string_view>

#include <xercesc/sax/AttributeList.hpp>

#include "base/GlobalException.h"
#include "base/Text.h"
#include "bmfont/BmFontValue.h"
#include "xml/XmlReadFrame.h"

namespace {

constexpr int kNotDescriptor = 442;
constexpr int kNotXmlDescriptor = 443;

struct NumberField {
    std::u16string_view key;
    int64_t* field;
};

class CBmFontXmlReader final : public CXmlReadFrame {
public:
    explicit CBmFontXmlReader(const std::u16string& path)
        : CXmlReadFrame(MakeRules()), m_path(path) {}

    BmFontDescriptor Read() {
        Parse(m_path);
        return std::move(m_out);
    }

private:
    static Rules MakeRules() {
        Rules rules;
        rules.rootName = u"font";
        rules.notThisKindMessage = kNotXmlDescriptor;
        return rules;
    }

    void OnStartElement(std::u16string_view name, xercesc::AttributeList& attributes) override {
        const BmFontPlace place{CurrentLine(), 0, 0};
        if (Depth() == 0) {
            if (!IsElement(name, u"font")) {
                TL_THROW(kErrInputValue, kNotDescriptor, m_path);
            }
            return;
        }
        const auto numbers = [&](std::initializer_list<NumberField> fields) {
            for (const NumberField& f : fields) {
                if (const std::optional<std::u16string> value = GetAttribute(attributes, f.key)) {
                    *f.field = ParseBmFontNumber(Trimmed(*value), f.key, place, m_path);
                }
            }
        };
        if (IsElement(name, u"info")) {
            m_out.info.place = place;
            m_out.info.face = GetAttribute(attributes, u"face").value_or(u"");
            numbers({{u"size", &m_out.info.size}});
        } else if (IsElement(name, u"common")) {
            BmFontCommon& c = m_out.common.emplace();
            c.place = place;
            int64_t packed = 0;
            numbers({{u"lineHeight", &c.lineHeight},
                     {u"base", &c.base},
                     {u"scaleW", &c.scaleW},
                     {u"scaleH", &c.scaleH},
                     {u"pages", &c.pages},
                     {u"packed", &packed},
                     {u"alphaChnl", &c.alphaChnl},
                     {u"redChnl", &c.redChnl},
                     {u"greenChnl", &c.greenChnl},
                     {u"blueChnl", &c.blueChnl}});
            c.packed = packed != 0;
        } else if (IsElement(name, u"page")) {
            BmFontPage& page = AddBmFontPage(m_out, place, m_path);
            page.file = GetAttribute(attributes, u"file").value_or(u"");
            numbers({{u"id", &page.id}});
        } else if (IsElement(name, u"char")) {
            BmFontChar ch;
            ch.place = place;
            numbers({{u"id", &ch.id},
                     {u"x", &ch.x},
                     {u"y", &ch.y},
                     {u"width", &ch.width},
                     {u"height", &ch.height},
                     {u"xoffset", &ch.xoffset},
                     {u"yoffset", &ch.yoffset},
                     {u"xadvance", &ch.xadvance},
                     {u"page", &ch.page},
                     {u"chnl", &ch.chnl}});
            AddBmFontChar(m_out, ch, m_path);
        } else if (IsElement(name, u"kerning")) {
            ++m_out.kerningPairs;
        }
    }
    void OnEndElement(std::u16string_view) override {}
    void OnCharacters(std::u16string_view) override {}

    static std::u16string_view Trimmed(std::u16string_view text) {
        while (!text.empty() && IsXmlSpace(text.front())) {
            text.remove_prefix(1);
        }
        while (!text.empty() && IsXmlSpace(text.back())) {
            text.remove_suffix(1);
        }
        return text;
    }

    const std::u16string& m_path;
    BmFontDescriptor m_out;
};

std::string Escaped(const std::u16string& text) {
    std::string out;
    for (const char c : Utf16ToUtf8(text)) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

void AppendNumber(std::string& out, std::string_view key, int64_t value) {
    out.append(" ").append(key).append("=\"").append(std::to_string(value)).append("\"");
}

}  // namespace

bool LooksLikeBmFontXml(std::span<const uint8_t> bytes) {
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' ||
                             text.front() == '\n')) {
        text.remove_prefix(1);
    }
    return !text.empty() && text.front() == '<';
}

BmFontDescriptor ParseBmFontXml(const std::u16string& path) {
    return CBmFontXmlReader(path).Read();
}

std::vector<uint8_t> WriteBmFontXml(const BmFontDescriptor& d) {
    const BmFontCommon& c = d.common.value();
    std::string out = "<?xml version=\"1.0\"?>\n<font>\n  <info face=\"";
    out.append(Escaped(d.info.face)).append("\"");
    AppendNumber(out, "size", d.info.size);
    out.append(
        " bold=\"0\" italic=\"0\" charset=\"\" unicode=\"1\" stretchH=\"100\" smooth=\"1\" "
        "aa=\"1\" padding=\"0,0,0,0\" spacing=\"1,1\" outline=\"0\"/>\n  <common");
    for (const auto& [key, value] : CommonFields(c)) {
        AppendNumber(out, key, value);
    }
    out.append("/>\n  <pages>\n");
    for (const BmFontPage& page : d.pages) {
        out.append("    <page");
        AppendNumber(out, "id", page.id);
        out.append(" file=\"").append(Escaped(page.file)).append("\" />\n");
    }
    out.append("  </pages>\n  <chars");
    AppendNumber(out, "count", static_cast<int64_t>(d.chars.size()));
    out.append(">\n");
    for (const BmFontChar& ch : d.chars) {
        out.append("    <char");
        for (const auto& [key, value] : CharFields(ch)) {
            AppendNumber(out, key, value);
        }
        out.append(" />\n");
    }
    out.append("  </chars>\n</font>\n");
    return std::vector<uint8_t>(out.begin(), out.end());
}
