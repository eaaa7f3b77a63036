#pragma once

#include <gtest/gtest.h>

#include <string>

#include "image/ErrorExpect.h"
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

}  // namespace testing_support
