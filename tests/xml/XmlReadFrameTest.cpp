// The XML frame against hostile files: entities, external documents over the network, deep
// nesting, huge content models, paths and unreadable files. Ordinary files, other encodings,
// external files and their errors are rows of definition_files.txt.
#include "xml/XmlReadFrame.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <cerrno>

#include "support/TestSupport.h"
#include "xml/CharFilter.h"
#include "xml/GlyphOrder.h"
#include "xml/XmlLibrary.h"

namespace {

using testing_support::ExpectError;
using testing_support::MessageOf;
using testing_support::U16;

// A DTD that declares the letter order's elements, so that validation (switched on by any
// DOCTYPE) passes and the entity handling itself is what a test meets.
const std::string kOrderDtd =
    "<!ELEMENT letter-order ANY><!ATTLIST letter-order version CDATA #IMPLIED>"
    "<!ELEMENT body ANY><!ELEMENT order ANY>";

class XmlReadFrameTest : public ::testing::Test {
protected:
    std::u16string Write(const std::string& name, const std::string& content) {
        return testing_support::WriteFile(dir / name, content);
    }
    // Refused with this message, or with one that names `fragment` when `whole` is false.
    static void ExpectOrderError(const std::u16string& path, const std::string& message,
                                 bool whole = true) {
        try {
            CGlyphOrder().Load(path);
            ADD_FAILURE() << "loaded";
        } catch (const CGeneralException& e) {
            EXPECT_EQ(e.GetCategory(), kErrXml);
            EXPECT_TRUE(whole ? MessageOf(e) == message
                              : MessageOf(e).find(message) != std::string::npos)
                << MessageOf(e);
        }
    }

    CXmlLibrary library;
    testing_support::TempDir dir;
};

TEST_F(XmlReadFrameTest, EntityBombsStopAtTheExpansionLimit) {
    std::string entities = "<!ENTITY l0 \"lol\">";
    for (int level = 1; level <= 9; ++level) {
        entities += "<!ENTITY l" + std::to_string(level) + " \"";
        for (int i = 0; i < 10; ++i) {
            entities += "&l" + std::to_string(level - 1) + ";";
        }
        entities += "\">";
    }
    for (const char* use : {"<order>&l9;</order>", "<order><x a=\"&l9;\"/></order>"}) {
        const std::u16string path =
            Write("bomb.xlor", "<!DOCTYPE letter-order [" + kOrderDtd +
                                   "<!ELEMENT x ANY><!ATTLIST x a CDATA #IMPLIED>" + entities +
                                   "]>\n<letter-order version=\"1.0\"><body>" + use +
                                   "</body></letter-order>");
        ExpectOrderError(path, "more than '1000' entity expansions", false);
    }
}

TEST_F(XmlReadFrameTest, EntitiesCannotMultiplyAFileBeyondReason) {
    // Under the expansion limit, but 999 copies of a 5,000-character entity.
    const std::string entity = "<!ENTITY big \"" + std::string(5000, 'A') + "\">";
    std::string uses;
    for (int i = 0; i < 999; ++i) {
        uses += "&big;";
    }
    const std::u16string path =
        Write("quadratic.xlor", "<!DOCTYPE letter-order [" + kOrderDtd + entity +
                                    "]>\n<letter-order version=\"1.0\"><body><order>" + uses +
                                    "</order></body></letter-order>");
    ExpectOrderError(path, "The file specified as a letter order file is not a letter order file.");
}

// A listening socket that no one may connect to.
class Listener {
public:
    Listener() : m_fd(socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        listen(m_fd, 4);
        getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        fcntl(m_fd, F_SETFL, O_NONBLOCK);
    }
    ~Listener() { close(m_fd); }
    int Port() const { return m_port; }
    bool WasContacted() const {
        const int client = accept(m_fd, nullptr, nullptr);
        if (client >= 0) {
            close(client);
            return true;
        }
        return false;
    }

private:
    int m_fd;
    int m_port = 0;
};

TEST_F(XmlReadFrameTest, ExternalDtdOverHttpIsNeverFetched) {
    const Listener listener;
    const std::string url = "http://127.0.0.1:" + std::to_string(listener.Port()) + "/evil.dtd";
    for (const std::string& doctype :
         {"<!DOCTYPE letter-order SYSTEM \"" + url + "\">",
          "<!DOCTYPE letter-order [" + kOrderDtd + "<!ENTITY % e SYSTEM \"" + url + "\">%e;]>"}) {
        const std::u16string path =
            Write("http.xlor", doctype + "\n<letter-order version=\"1.1\"><body/></letter-order>");
        ExpectOrderError(path, url, false);
    }
    EXPECT_FALSE(listener.WasContacted());
}

TEST_F(XmlReadFrameTest, ContentModelsBeyondASaneSizeAreRefused) {
    // The validator would recurse once per item of such a sequence (a long one overflows the
    // stack) and build it in quadratic memory.
    std::string sequence = "a";
    for (int i = 0; i < 5000; ++i) {
        sequence += ",a";
    }
    const std::string huge = "<!DOCTYPE letter-order [<!ELEMENT a EMPTY><!ELEMENT letter-order (" +
                             sequence + ")>]>\n<letter-order version=\"1.1\"/>";
    ExpectOrderError(Write("huge.xlor", huge),
                     "The file specified as a letter order file is not a letter order file.");
    ExpectError([&] { CCharFilter().Load(Write("huge.xllt", huge)); }, kErrXml,
                "The file specified as a character filter file is not a character filter file. ");
}

TEST_F(XmlReadFrameTest, DeepNestingNeedsNoDeepStack) {
    constexpr int kDepth = 10000;
    std::string open;
    std::string close;
    for (int i = 0; i < kDepth; ++i) {
        open += "<x>";
        close += "</x>";
    }
    CGlyphOrder order;
    order.Load(Write("deep.xlor", "<letter-order version=\"1.1\"><body><order>" + open + "A" +
                                      close + "</order></body></letter-order>"));
    EXPECT_EQ(order.GetCharCode(0, 0), u'A');
}

TEST_F(XmlReadFrameTest, PathsWithAnyCharactersLoad) {
    const auto folder = dir / "\xE6\x97\xA5\xE6\x9C\xAC #%20;&";
    std::filesystem::create_directory(folder);
    const std::u16string file = testing_support::WriteFile(
        folder / "\xC3\xA9t\xC3\xA9 100%.xlor",
        "<letter-order version=\"1.1\"><body><order>Q</order></body></letter-order>");
    CGlyphOrder order;
    order.Load(file);
    EXPECT_EQ(order.GetCharCode(0, 0), u'Q');
    EXPECT_EQ(order.GetPath(), file);
}

// A missing file is a console run.
TEST_F(XmlReadFrameTest, AFolderReportsTheLibrarysException) {
    ExpectOrderError(U16(dir.Path()), " unable to read data from file");
}

}  // namespace
