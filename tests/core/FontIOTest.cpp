#include "core/FontIO.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/TestSupport.h"

namespace {

using testing_support::ExpectError;
using testing_support::TempDir;

std::u16string U16(const std::filesystem::path& path) {
    return Utf8ToUtf16(path.string());
}

TEST(FontIOTest, IsFileExists) {
    TempDir dir;
    testing_support::WriteFileText(dir / "a.bmp", "x");
    EXPECT_TRUE(CFontIO::IsFileExists(U16(dir / "a.bmp")));
    EXPECT_TRUE(CFontIO::IsFileExists(U16(dir.Path())));
    EXPECT_FALSE(CFontIO::IsFileExists(U16(dir / "b.bmp")));
    ExpectError([] { CFontIO::IsFileExists(u""); }, kErrInputValue, "File was not specified.");
}

TEST(FontIOTest, OutputPathChecks) {
    TempDir dir;
    const auto existing = dir / "old.bofnt";
    testing_support::WriteFileText(existing, "old");
    CFontIO::ValidateOutputPath(U16(existing));
    CFontIO::ValidateOutputPath(U16(dir / "new.bofnt"));

    ExpectError([] { CFontIO::ValidateOutputPath(u""); }, kErrInputValue,
                "File was not specified.");
    ExpectError([&] { CFontIO::ValidateOutputPath(U16(dir.Path())); }, kErrInputValue,
                "The specified path (" + dir.Path().string() + ") is a directory. ");
    // Judged by the permission bits, so it holds for root too.
    ASSERT_EQ(::chmod(existing.c_str(), 0444), 0);
    ExpectError([&] { CFontIO::ValidateOutputPath(U16(existing)); }, kErrInputValue,
                "The specified file (" + existing.string() + ") is a read-only file. ");
    const auto missingFolder = dir / "missing" / "x.bofnt";
    ExpectError([&] { CFontIO::ValidateOutputPath(U16(missingFolder)); }, kErrInputValue,
                "The specified directory (" + (dir / "missing").string() + "/) does not exist. ");
    // A file standing where the folder should be is no folder.
    ExpectError([&] { CFontIO::ValidateOutputPath(U16(existing / "x.bofnt")); }, kErrInputValue,
                "The specified directory (" + existing.string() + "/) does not exist. ");
}

TEST(FontIOTest, BareNewFileNameIsCheckedAgainstTheCurrentFolder) {
    TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    CFontIO::ValidateOutputPath(u"font.bofnt");
    std::filesystem::current_path(previous);
}

}  // namespace
