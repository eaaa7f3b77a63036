#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/Text.h"
#include "support/TestSupport.h"
#include "xml/XmlLibrary.h"

namespace testing_support {

// A test with the XML library running and a fresh folder for the files it writes.
class XmlFileTest : public ::testing::Test {
protected:
    // Writes the bytes as given and returns the path in the readers' form.
    std::u16string Write(const std::string& name, const std::string& content) {
        const auto path = dir / name;
        WriteFileText(path, content);
        return Utf8ToUtf16(path.string());
    }
    std::string Utf8(const std::u16string& text) { return Utf16ToUtf8(text); }

    CXmlLibrary library;
    TempDir dir;
};

// Runs `action` and checks that it throws message 223 around an exception raised inside the
// parse: the inner exception's whole text, whose message part is `message`.
template <typename Action>
void ExpectWrappedError(Action&& action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "no error; expected: " << message;
    } catch (const CGeneralException& e) {
        EXPECT_EQ(e.GetCategory(), kErrXml);
        const std::string text = MessageOf(e);
        EXPECT_EQ(text.rfind(" XML error: (", 0), 0u) << text;
        EXPECT_EQ(text.substr(text.find('\n') + 1), message) << text;
    }
}

// Loading one kind of definition file from text.
template <typename Reader>
class ReaderFileTest : public XmlFileTest {
protected:
    // Loads a fresh reader from the content.
    std::unique_ptr<Reader> Load(const std::string& content) {
        auto reader = std::make_unique<Reader>();
        reader->Load(Write("file.xml", content));
        return reader;
    }
    // The load fails with category 9 and exactly this message.
    void ExpectLoadError(const std::string& content, const std::string& message) {
        const std::u16string path = Write("bad.xml", content);
        ExpectError([&] { Reader().Load(path); }, kErrXml, message);
    }
    void ExpectWrappedError(const std::string& content, const std::string& message) {
        const std::u16string path = Write("bad.xml", content);
        testing_support::ExpectWrappedError([&] { Reader().Load(path); }, message);
    }
};

}  // namespace testing_support
