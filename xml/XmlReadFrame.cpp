#include "xml/XmlReadFrame.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

#include <xercesc/framework/LocalFileInputSource.hpp>
#include <xercesc/framework/XMLPScanToken.hpp>
#include <xercesc/parsers/SAXParser.hpp>
#include <xercesc/sax/AttributeList.hpp>
#include <xercesc/sax/Locator.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/RuntimeException.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/util/XMLUni.hpp>
#include <xercesc/validators/DTD/DTDGrammar.hpp>
#include <xercesc/validators/common/ContentSpecNode.hpp>

#include "base/GlobalException.h"
#include "base/ResString.h"
#include "platform/FileSystem.h"
#include "xml/XmlLibrary.h"

namespace {

// Internal entity expansions a definition file may use; these files need none, and the cap
// stops entity bombs within milliseconds.
constexpr XMLSize_t kEntityExpansionLimit = 1000;

// Content model nodes the declarations of a file's own DTD may hold in all. The validator
// builds each model recursively and in quadratic memory, so a long declared sequence would
// exhaust the stack; real definition files declare no content models at all.
constexpr size_t kContentModelNodeLimit = 2000;

// Elements and text units one load may deliver. Entities expanded up to the expansion limit
// can still multiply a small file many times over; no definition file comes near this.
constexpr uint64_t kItemLimit = 4u * 1024 * 1024;

// Thrown out of a callback to stop a parse that has exceeded the item limit.
struct TooMuchContent {};

// Input the frame refused before the parser library met it, carrying the library's own wording
// for the fault. It travels out of the parse like a library exception and becomes message 223.
struct LibraryRefusal {
    std::u16string text;
};

std::u16string_view View(const XMLCh* text) {
    return text ? std::u16string_view(text) : std::u16string_view();
}

[[noreturn]] void Refuse(xercesc::XMLExcepts::Codes code) {
    const xercesc::RuntimeException libraryError(__FILE__, __LINE__, code);
    throw LibraryRefusal{std::u16string(View(libraryError.getMessage()))};
}

int32_t ClampToInt32(XMLFileLoc value) {
    return static_cast<int32_t>(std::min<XMLFileLoc>(value, std::numeric_limits<int32_t>::max()));
}

// Octal, decimal or hexadecimal digit value, or -1.
int DigitValue(char16_t ch, unsigned base) {
    int value = -1;
    if (ch >= u'0' && ch <= u'9') {
        value = ch - u'0';
    } else if (ch >= u'a' && ch <= u'f') {
        value = ch - u'a' + 10;
    } else if (ch >= u'A' && ch <= u'F') {
        value = ch - u'A' + 10;
    }
    return value >= 0 && static_cast<unsigned>(value) < base ? value : -1;
}

// True when the DTD read with the prolog (if any) declares content models of sane size.
bool HasSmallContentModels(xercesc::SAXParser& parser) {
    const xercesc::Grammar* grammar = parser.getGrammar(xercesc::XMLUni::fgDTDEntityString);
    if (!grammar || grammar->getGrammarType() != xercesc::Grammar::DTDGrammarType) {
        return true;
    }
    size_t nodes = 0;
    std::vector<const xercesc::ContentSpecNode*> pending;
    auto elements = static_cast<const xercesc::DTDGrammar*>(grammar)->getElemEnumerator();
    while (elements.hasMoreElements()) {
        pending.push_back(elements.nextElement().getContentSpec());
        while (!pending.empty()) {
            const xercesc::ContentSpecNode* node = pending.back();
            pending.pop_back();
            if (!node) {
                continue;
            }
            if (++nodes > kContentModelNodeLimit) {
                return false;
            }
            pending.push_back(node->getFirst());
            pending.push_back(node->getSecond());
        }
    }
    return true;
}

// A parser with this handler for documents and errors; it validates only a document that
// declares a grammar, and never opens or fetches anything outside the file itself (no external
// DTD, no external entity).
std::unique_ptr<xercesc::SAXParser> MakeParser(xercesc::HandlerBase& handler,
                                               xercesc::SecurityManager& security) {
    auto parser = std::make_unique<xercesc::SAXParser>();
    parser->setDocumentHandler(&handler);
    parser->setErrorHandler(&handler);
    parser->setValidationScheme(xercesc::SAXParser::Val_Auto);
    parser->setDoNamespaces(false);
    parser->setDoSchema(false);
    parser->setValidationSchemaFullChecking(false);
    parser->setDisableDefaultEntityResolution(true);
    parser->setSecurityManager(&security);
    parser->setExitOnFirstFatalError(true);
    return parser;
}

}  // namespace

void CXmlReadFrame::Parse(const std::u16string& path) {
    CXmlLibrary::Use();
    m_path = path;
    m_errorText.clear();
    m_depth = 0;
    m_insideTop = false;
    m_items = 0;
    bool parsed = false;
    // The locator belongs to the parser: it is forgotten with it, however the parse ends.
    struct ForgetLocator {
        const xercesc::Locator*& locator;
        ~ForgetLocator() { locator = nullptr; }
    } forget{m_locator};
    // The security manager must outlive the parser that points at it.
    xercesc::SecurityManager security;
    security.setEntityExpansionLimit(kEntityExpansionLimit);
    try {
        // The library leaks part of its reader when the path names a folder.
        if (fs::IsFolder(path)) {
            Refuse(xercesc::XMLExcepts::File_CouldNotReadFromFile);
        }
        const std::unique_ptr<xercesc::SAXParser> parser = MakeParser(*this, security);
        parsed = RunParser(*parser);
    } catch (const xercesc::XMLException& e) {
        TL_THROW(kErrXml, 223, View(e.getMessage()));
    } catch (const xercesc::OutOfMemoryException& e) {
        TL_THROW(kErrXml, 223, View(e.getMessage()));
    } catch (const LibraryRefusal& e) {
        TL_THROW(kErrXml, 223, e.text);
    } catch (const TooMuchContent&) {
        // Reported below like any other file that is not of this kind.
    } catch (const CGeneralException& e) {
        if (!m_rules.wrapCallbackErrors) {
            throw;
        }
        TL_THROW(kErrXml, 223, e.What());
    }
    if (!parsed) {
        if (HasErrorText()) {
            TL_THROW(kErrXml, 223, m_errorText);
        }
        TL_THROW(kErrXml, m_rules.notThisKindMessage);
    }
}

bool CXmlReadFrame::RunParser(xercesc::SAXParser& parser) {
    // Always a local file, never a URL, whatever the path looks like.
    const xercesc::LocalFileInputSource source(m_path.c_str());
    xercesc::XMLPScanToken token;
    // The first step reads the prolog, and with it any DTD of the file's own.
    if (!parser.parseFirst(source, token) || HasErrorText() || !HasSmallContentModels(parser)) {
        return false;
    }
    // A fatal error inside parseNext leaves the error count at 0, so the recorded text is
    // what tells that the parse stopped short.
    bool more = true;
    while (more && parser.getErrorCount() == 0 && !HasErrorText()) {
        more = parser.parseNext(token);
    }
    if (parser.getErrorCount() != 0 || HasErrorText()) {
        return false;
    }
    parser.parseReset(token);
    return true;
}

int32_t CXmlReadFrame::CurrentLine() const {
    return m_locator ? ClampToInt32(m_locator->getLineNumber()) : 0;
}

void CXmlReadFrame::RecordError(std::u16string text) {
    if (m_errorText.empty()) {
        m_errorText = std::move(text);
    }
}

bool CXmlReadFrame::IsElement(std::u16string_view name, std::u16string_view expected) {
    return std::equal(name.begin(), name.end(), expected.begin(), expected.end(),
                      [](char16_t a, char16_t b) {
                          const auto lower = [](char16_t c) {
                              return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
                          };
                          return lower(a) == lower(b);
                      });
}

void CXmlReadFrame::RequireInside(bool inside, std::u16string_view name,
                                  std::u16string_view parent) {
    if (!inside) {
        TL_THROW(kErrXml, 189, name, parent);
    }
}

std::optional<std::u16string> CXmlReadFrame::GetAttribute(xercesc::AttributeList& attributes,
                                                          std::u16string_view name) {
    const std::u16string key(name);
    const XMLCh* value = attributes.getValue(key.c_str());
    if (!value) {
        return std::nullopt;
    }
    return std::u16string(value);
}

std::optional<int32_t> CXmlReadFrame::GetIntAttribute(xercesc::AttributeList& attributes,
                                                      std::u16string_view name) {
    const std::optional<std::u16string> value = GetAttribute(attributes, name);
    if (!value) {
        return std::nullopt;
    }
    std::u16string_view text(*value);
    while (!text.empty() && IsXmlSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsXmlSpace(text.back())) {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        Refuse(xercesc::XMLExcepts::XMLNUM_null_ptr);
    }
    const bool negative = text.front() == u'-';
    if (negative || text.front() == u'+') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        Refuse(xercesc::XMLExcepts::XMLNUM_Inv_chars);
    }
    // The magnitude may reach one past INT32_MAX only for a negative number.
    const int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + (negative ? 1 : 0);
    int64_t magnitude = 0;
    for (const char16_t ch : text) {
        const int digit = DigitValue(ch, 10);
        if (digit < 0) {
            Refuse(xercesc::XMLExcepts::XMLNUM_Inv_chars);
        }
        magnitude = magnitude * 10 + digit;
        if (magnitude > limit) {
            Refuse(xercesc::XMLExcepts::Str_ConvertOverflow);
        }
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

uint16_t CXmlReadFrame::ParseCode(std::u16string_view text) {
    while (!text.empty() &&
           (IsXmlSpace(text.front()) || text.front() == u'\v' || text.front() == u'\f')) {
        text.remove_prefix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    unsigned base = 10;
    if (text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X') &&
        DigitValue(text.size() > 2 ? text[2] : u' ', 16) >= 0) {
        base = 16;
        text.remove_prefix(2);
    } else if (!text.empty() && text[0] == u'0') {
        base = 8;
    }
    uint64_t value = 0;
    for (const char16_t ch : text) {
        const int digit = DigitValue(ch, base);
        if (digit < 0) {
            break;
        }
        value = value * base + static_cast<unsigned>(digit);
        if (value > std::numeric_limits<uint32_t>::max()) {
            Refuse(xercesc::XMLExcepts::Str_ConvertOverflow);
        }
    }
    const uint32_t code =
        negative ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    return static_cast<uint16_t>(code & 0xFFFFu);
}

bool CXmlReadFrame::IsXmlSpace(char16_t ch) {
    return ch == u' ' || ch == u'\t' || ch == u'\r' || ch == u'\n';
}

void CXmlReadFrame::startElement(const XMLCh* name, xercesc::AttributeList& attributes) {
    CountItems(1);
    const std::u16string_view element = View(name);
    if (!m_rules.versions[0].empty() && IsElement(element, m_rules.rootName)) {
        CheckVersion(attributes);
    }
    if (IsElement(element, m_rules.topElement)) {
        RequireInside(m_depth == 1, m_rules.topElement, m_rules.topParent);
        m_insideTop = true;
    }
    OnStartElement(element, attributes);
    ++m_depth;
}

void CXmlReadFrame::endElement(const XMLCh* name) {
    --m_depth;
    const std::u16string_view element = View(name);
    if (IsElement(element, m_rules.topElement)) {
        m_insideTop = false;
    }
    OnEndElement(element);
}

void CXmlReadFrame::characters(const XMLCh* chars, XMLSize_t length) {
    CountItems(length);
    OnCharacters(std::u16string_view(chars, length));
}

void CXmlReadFrame::CountItems(uint64_t count) {
    m_items += count;
    if (m_items > kItemLimit) {
        throw TooMuchContent{};
    }
}

void CXmlReadFrame::warning(const xercesc::SAXParseException& exception) {
    if (m_rules.warningsAreErrors) {
        RecordParseError(exception);
    }
}

void CXmlReadFrame::error(const xercesc::SAXParseException& exception) {
    RecordParseError(exception);
}

void CXmlReadFrame::fatalError(const xercesc::SAXParseException& exception) {
    RecordParseError(exception);
}

void CXmlReadFrame::RecordParseError(const xercesc::SAXParseException& exception) {
    // The parser's system id is made absolute; the user should see the path as given.
    RecordError(FormatResString(
        185, {m_path, ClampToInt32(exception.getLineNumber()),
              ClampToInt32(exception.getColumnNumber()), View(exception.getMessage())}));
}

void CXmlReadFrame::CheckVersion(xercesc::AttributeList& attributes) {
    const std::optional<std::u16string> found = GetAttribute(attributes, u"version");
    if (found) {
        for (const std::u16string_view accepted : m_rules.versions) {
            if (!accepted.empty() && IsElement(*found, accepted)) {
                OnVersion(*found);
                return;
            }
        }
    }
    std::u16string expected(m_rules.versions[0]);
    if (!m_rules.versions[1].empty()) {
        expected.append(u" or ").append(m_rules.versions[1]);
    }
    const std::u16string shown = found.value_or(std::u16string());
    if (!m_rules.versionThrows) {
        RecordError(FormatResString(221, {m_rules.rootName, shown, expected}));
        return;
    }
    if (!HasErrorText()) {
        TL_THROW(kErrXml, 221, m_rules.rootName, shown, expected);
    }
}
