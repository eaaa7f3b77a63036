#include "core/BinaryFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <vector>

#include "image/ErrorExpect.h"
#include "support/TestSupport.h"

namespace {

using testing_support::ExpectError;
using testing_support::ReadFileBytes;
using testing_support::TempDir;

std::u16string U16(const std::filesystem::path& path) {
    return Utf8ToUtf16(path.string());
}

std::size_t FileCount(const std::filesystem::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

TEST(BinaryFileTest, WritesThenReadsBack) {
    TempDir dir;
    const auto path = dir / "f.bin";
    const std::vector<uint8_t> bytes = {1, 2, 3, 4, 5, 6, 7, 8};
    {
        CBinaryFile file(U16(path));
        file.Open(CBinaryFile::Access::kWrite);
        file.Write(bytes);
        file.Close();
    }
    EXPECT_EQ(ReadFileBytes(path), bytes);
    EXPECT_EQ(FileCount(dir.Path()), 1u);

    CBinaryFile file(U16(path));
    file.Open(CBinaryFile::Access::kRead);
    std::vector<uint8_t> buffer(3);
    EXPECT_EQ(file.Read(buffer), 3u);
    EXPECT_EQ(buffer, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(file.SeekDiff(2), 5);
    EXPECT_EQ(file.ReadAll(), (std::vector<uint8_t>{6, 7, 8}));
    EXPECT_EQ(file.SeekBack(-2), 6);
    // Asking for more than remains is no error.
    std::vector<uint8_t> rest(10);
    EXPECT_EQ(file.Read(rest), 2u);
    EXPECT_EQ(file.SeekTo(0), 0);
    EXPECT_EQ(file.ReadAll(), bytes);
}

TEST(BinaryFileTest, NewFileGetsUsualPermissions) {
    TempDir dir;
    const auto path = dir / "f.bin";
    CBinaryFile file(U16(path));
    file.Open(CBinaryFile::Access::kWrite);
    file.Close();
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
}

TEST(BinaryFileTest, UnfinishedWriteLeavesTheOldFileByteForByte) {
    TempDir dir;
    const auto path = dir / "font.bofnt";
    const std::vector<uint8_t> old = {'O', 'L', 'D', 0, 0xFF};
    testing_support::WriteFileBytes(path, old);
    {
        CBinaryFile file(U16(path));
        file.Open(CBinaryFile::Access::kWrite);
        file.Write(std::vector<uint8_t>(1000, 0xAB));
        // Destroyed without Close, as when a later step throws.
    }
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(FileCount(dir.Path()), 1u) << "the temporary is removed";
}

TEST(BinaryFileTest, FailuresNameTheFile) {
    TempDir dir;
    const auto missing = dir / "missing.bin";
    const std::string name = missing.string();
    CBinaryFile reader(U16(missing));
    ExpectError([&] { reader.Open(CBinaryFile::Access::kRead); }, kErrFileIO,
                "Cannot open the specified file (" + name + ").");
    std::vector<uint8_t> buffer(4);
    ExpectError([&] { reader.Read(buffer); }, kErrFileIO,
                "Cannot read from the specified file (" + name + ").");
    ExpectError([&] { reader.Write(buffer); }, kErrFileIO,
                "Cannot write to the specified file (" + name + ").");
    ExpectError([&] { reader.SeekTo(0); }, kErrFileIO,
                "Seek from beginning of file (" + name + ") failed. ");
    ExpectError([&] { reader.SeekDiff(0); }, kErrFileIO,
                "Seek from current position in file (" + name + ") failed. ");
    ExpectError([&] { reader.SeekBack(0); }, kErrFileIO,
                "Seek from end of file (" + name + ") failed.");

    const auto inMissingFolder = dir / "no" / "f.bin";
    CBinaryFile writer(U16(inMissingFolder));
    ExpectError([&] { writer.Open(CBinaryFile::Access::kWrite); }, kErrFileIO,
                "Cannot open the specified file (" + inMissingFolder.string() + ").");

    testing_support::WriteFileText(dir / "a.bin", "abc");
    CBinaryFile file(U16(dir / "a.bin"));
    file.Open(CBinaryFile::Access::kRead);
    ExpectError([&] { file.SeekTo(-1); }, kErrFileIO,
                "Seek from beginning of file (" + (dir / "a.bin").string() + ") failed. ");
}

TEST(BinaryFileTest, FailedRenameKeepsTheOldContent) {
    TempDir dir;
    // The target is a non-empty folder: the rename over it fails at Close.
    const auto target = dir / "busy";
    std::filesystem::create_directory(target);
    testing_support::WriteFileText(target / "inside", "keep");
    CBinaryFile file(U16(target));
    file.Open(CBinaryFile::Access::kWrite);
    file.Write(std::vector<uint8_t>{1, 2, 3});
    ExpectError([&] { file.Close(); }, kErrFileIO,
                "Cannot write to the specified file (" + target.string() + ").");
    EXPECT_EQ(ReadFileBytes(target / "inside"), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));
    EXPECT_EQ(FileCount(dir.Path()), 1u);
}

}  // namespace
