// Shipped definition files named by the definition file options, against a made-up install.
#include "platform/InstallLayout.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/Text.h"
#include "support/TestSupport.h"

namespace {

TEST(InstallLayoutTest, ANameWithoutFolderIsAShippedFileOfTheOptionsKind) {
    const testing_support::TempDir dir;
    const std::filesystem::path share = dir / "share/typeloom";
    std::filesystem::create_directories(dir / "bin/xggp");
    std::filesystem::create_directories(share / "xlor");
    testing_support::WriteFileText(share / "xlor/ascii.xlor", "");
    testing_support::WriteFileText(share / "xlor/two.parts.xlor", "");
    testing_support::WriteFileText(dir / "bin/xggp/sample.xggp", "");
    const std::u16string program = Utf8ToUtf16((dir / "bin/").string());
    const std::u16string installed = Utf8ToUtf16((share / "xlor/ascii.xlor").string());
    const std::u16string beside = Utf8ToUtf16((dir / "bin/xggp/sample.xggp").string());
    struct Case {
        std::u16string value;
        std::u16string kind;
        std::u16string path;
    };
    const Case cases[] = {
        {u"ascii", u"xlor", installed},
        {u"ascii.xlor", u"xlor", installed},
        {u"two.parts", u"xlor", Utf8ToUtf16((share / "xlor/two.parts.xlor").string())},
        {u"sample", u"xggp", beside},
        // Another kind's folder, a folder in the name, an upper-case extension that is then
        // not added, nothing shipped by that name: the value as it stands.
        {u"ascii", u"xggp", u"ascii"},
        {u"xlor/ascii", u"xlor", u"xlor/ascii"},
        {u"ASCII.XLOR", u"xlor", u"ASCII.XLOR"},
        {u"cp932", u"xlor", u"cp932"},
        {u"", u"xlor", u""},
        {u"..", u"xlor", u".."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf16ToUtf8(ShippedFile(c.value, c.kind, program)), Utf16ToUtf8(c.path))
            << Utf16ToUtf8(c.value);
    }
    // Without the program's folder nothing is shipped.
    EXPECT_EQ(ShippedFile(u"ascii", u"xlor", u""), u"ascii");
}

}  // namespace
