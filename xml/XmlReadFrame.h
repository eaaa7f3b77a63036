#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <xercesc/sax/HandlerBase.hpp>

XERCES_CPP_NAMESPACE_BEGIN
class SAXParser;
XERCES_CPP_NAMESPACE_END

// The SAX reading frame shared by every definition file reader: the reader is its own handler,
// drives one progressive parse per load, tracks element depth, keeps only the first parser
// error and turns every failure into one category 9 exception.
class CXmlReadFrame : public xercesc::HandlerBase {
public:
    CXmlReadFrame(const CXmlReadFrame&) = delete;
    CXmlReadFrame& operator=(const CXmlReadFrame&) = delete;
    ~CXmlReadFrame() override = default;

protected:
    // How one kind of file reports its problems.
    struct Rules {
        // The root element's name and the accepted `version` values; no values: no version test.
        std::u16string_view rootName = {};
        std::u16string_view versions[2] = {};
        // The container that must stand directly in the root (`body`, or `head` for the
        // header), and the parent that message 189 names for it.
        std::u16string_view topElement = {};
        std::u16string_view topParent = {};
        // Message thrown when the parse fails without any recorded error text.
        int notThisKindMessage = 224;
        // A parser warning fails the load like an error.
        bool warningsAreErrors = false;
        // A version mismatch is thrown at once instead of being recorded as the error text.
        bool versionThrows = false;
        // Our own exceptions from the callbacks come out as message 223 with their text.
        bool wrapCallbackErrors = false;
    };

    explicit CXmlReadFrame(const Rules& rules) : m_rules(rules) {}

    // Parses the whole file with safe parser settings (no external entities or DTDs, entity
    // expansions capped); throws on any failure. The reader's post-checks follow on return.
    void Parse(const std::u16string& path);

    // Hooks for the reader's own elements; depth counts the open elements around the call
    // (the root element starts at depth 0).
    virtual void OnStartElement(std::u16string_view name, xercesc::AttributeList& attributes) = 0;
    virtual void OnEndElement(std::u16string_view name) = 0;
    virtual void OnCharacters(std::u16string_view text) = 0;
    // Called with the version found (empty when absent) when the root element accepts it.
    virtual void OnVersion(std::u16string_view) {}

    int32_t Depth() const { return m_depth; }
    // The line of the file the parser is at, counted from 1 (0 before the parse starts).
    int32_t CurrentLine() const;
    // True while the top container is open.
    bool InsideTop() const { return m_insideTop; }

    // Element names match without regard to ASCII letter case.
    static bool IsElement(std::u16string_view name, std::u16string_view expected);
    // Message 189 unless `inside` holds.
    static void RequireInside(bool inside, std::u16string_view name, std::u16string_view parent);

    // The attribute's value by exact name; nothing when it is absent.
    static std::optional<std::u16string> GetAttribute(xercesc::AttributeList& attributes,
                                                      std::u16string_view name);
    // A decimal whole number attribute that must fit 32 bits (leading and trailing white
    // space allowed); anything else throws message 223 with the parser library's own text.
    static std::optional<int32_t> GetIntAttribute(xercesc::AttributeList& attributes,
                                                  std::u16string_view name);
    // A character code written with automatic base (0x hexadecimal, leading 0 octal, else
    // decimal; leading white space skipped), read as unsigned 32 bits; its low 16 bits.
    static uint16_t ParseCode(std::u16string_view text);
    // XML white space: space, tab, carriage return, line feed.
    static bool IsXmlSpace(char16_t ch);
    // Calls `add` with every unit of a character list's text that is not white space, which
    // only separates the characters.
    template <typename Add>
    static void ForEachListed(std::u16string_view text, Add add) {
        for (const char16_t ch : text) {
            if (!IsXmlSpace(ch)) {
                add(ch);
            }
        }
    }

    // The character list of a definition file, the one grammar the letter order (<order>) and
    // the filter (<letter>) share: the list element stands in the top container; its own text
    // lists characters one by one (white space only separates them); <sp/> inside it stands
    // for a space, and <code>number</code> for any code (see ParseCode; only the first run of
    // text the parser delivers inside it is read). The owner passes on the parser's events and
    // gets every character listed, in order, through `add`.
    class CharacterList {
    public:
        explicit CharacterList(std::u16string_view element) : m_element(element) {}
        // True while the list element is open.
        bool IsOpen() const { return m_open; }
        // Handles the list element, <sp> and <code>; any other element is the owner's.
        template <typename Add>
        void OnStart(std::u16string_view name, bool insideTop, Add add) {
            if (IsElement(name, m_element)) {
                RequireInside(insideTop, m_element, u"body");
                m_open = true;
            } else if (IsElement(name, u"sp")) {
                RequireInside(m_open, u"sp", m_element);
                add(kSpace);
            } else if (IsElement(name, u"code")) {
                RequireInside(m_open, u"code", m_element);
                m_inCode = true;
                m_codeRead = false;
            }
        }
        void OnEnd(std::u16string_view name) {
            if (IsElement(name, m_element)) {
                m_open = false;
            } else if (IsElement(name, u"code")) {
                m_inCode = false;
            }
        }
        template <typename Add>
        void OnCharacters(std::u16string_view text, Add add) {
            if (m_inCode) {
                if (!m_codeRead) {
                    m_codeRead = true;
                    add(ParseCode(text));
                }
            } else if (m_open) {
                ForEachListed(text, add);
            }
        }

        static constexpr uint16_t kSpace = 0x0020;

    private:
        std::u16string_view m_element;
        bool m_open = false;
        bool m_inCode = false;
        bool m_codeRead = false;
    };

private:
    void setDocumentLocator(const xercesc::Locator* locator) override { m_locator = locator; }
    void startElement(const XMLCh* name, xercesc::AttributeList& attributes) override;
    void endElement(const XMLCh* name) override;
    void characters(const XMLCh* chars, XMLSize_t length) override;
    void warning(const xercesc::SAXParseException& exception) override;
    void error(const xercesc::SAXParseException& exception) override;
    void fatalError(const xercesc::SAXParseException& exception) override;

    bool HasErrorText() const { return !m_errorText.empty(); }
    // Keeps the text only when no error has been recorded during this load.
    void RecordError(std::u16string text);
    void RecordParseError(const xercesc::SAXParseException& exception);
    void CountItems(uint64_t count);
    void CheckVersion(xercesc::AttributeList& attributes);
    bool RunParser(xercesc::SAXParser& parser);

    Rules m_rules;
    std::u16string m_path;
    std::u16string m_errorText;
    int32_t m_depth = 0;
    bool m_insideTop = false;
    // Elements and text units delivered so far in this load.
    uint64_t m_items = 0;
    // The parser's position, valid while a parse runs.
    const xercesc::Locator* m_locator = nullptr;
};
