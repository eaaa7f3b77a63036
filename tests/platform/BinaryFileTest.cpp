#include "platform/BinaryFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <vector>

#include "support/TestSupport.h"

namespace {

using testing_support::ExpectError;
using testing_support::ReadFileBytes;
using testing_support::TempDir;
using testing_support::U16;

std::size_t FileCount(const std::filesystem::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

void WriteWhole(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    CBinaryFile file(U16(path));
    file.Open(CBinaryFile::Access::kWrite);
    file.Write(bytes);
    file.Close();
}

TEST(BinaryFileTest, WritesThenReadsBack) {
    TempDir dir;
    const auto path = dir / "f.bin";
    const std::vector<uint8_t> bytes = {1, 2, 3, 4, 5, 6, 7, 8};
    WriteWhole(path, bytes);
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

mode_t Permissions(const std::filesystem::path& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0);
    return st.st_mode & 0777;
}

// A new file gets what a freshly created one would; a rewritten one keeps its own bits.
TEST(BinaryFileTest, RewriteKeepsThePermissionBits) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct Case {
        int existing;  // -1: no file yet
        mode_t expected;
    };
    for (const Case& c : {Case{-1, 0666 & ~mask}, Case{0600, 0600}, Case{0751, 0751}}) {
        SCOPED_TRACE(c.existing);
        TempDir dir;
        const auto path = dir / "f.bin";
        if (c.existing >= 0) {
            testing_support::WriteFileText(path, "old");
            std::filesystem::permissions(path, static_cast<std::filesystem::perms>(c.existing));
        }
        WriteWhole(path, {1, 2});
        EXPECT_EQ(Permissions(path), c.expected);
    }
}

// Writing through a symbolic link rewrites its target and keeps the link.
TEST(BinaryFileTest, SymbolicLinkKeepsPointingAtTheRewrittenTarget) {
    struct Case {
        const char* what;
        const char* link;  // what link.bin points at, relative to its folder
        const char* real;  // the file finally written
        bool exists;
    };
    const Case cases[] = {
        {"target beside the link", "real.bin", "real.bin", true},
        {"target in another folder", "sub/real.bin", "sub/real.bin", true},
        {"link to a link", "second.bin", "real.bin", true},
        {"dangling link", "sub/new.bin", "sub/new.bin", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        std::filesystem::create_directory(dir / "sub");
        std::filesystem::create_symlink("real.bin", dir / "second.bin");
        if (c.exists) {
            testing_support::WriteFileText(dir / c.real, "old");
        }
        std::filesystem::create_symlink(c.link, dir / "link.bin");
        WriteWhole(dir / "link.bin", {7, 8, 9});
        EXPECT_EQ(std::filesystem::read_symlink(dir / "link.bin"), c.link);
        EXPECT_EQ(ReadFileBytes(dir / c.real), (std::vector<uint8_t>{7, 8, 9}));
        EXPECT_EQ(FileCount(dir.Path()) + FileCount(dir / "sub"), 4u) << "no temporary left";
    }
}

// A signal from outside while a long write goes on: the temporary is removed, the old file kept
// byte for byte, and the program ends as an error does, with its error line.
TEST(BinaryFileTest, SignalDuringAWriteRemovesTheTemporary) {
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        TempDir dir;
        const auto path = dir / "font.bofnt";
        const std::vector<uint8_t> old = {'O', 'L', 'D'};
        testing_support::WriteFileBytes(path, old);
        const auto errors = dir.Path().parent_path() / (dir.Path().filename().string() + ".err");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // As a program started from a terminal: a runner under nohup or in the background
            // hands on ignored signals, which the program rightly leaves ignored.
            ::signal(signalNumber, SIG_DFL);
            const int fd = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(fd, STDERR_FILENO);
            CBinaryFile file(U16(path));
            file.Open(CBinaryFile::Access::kWrite);
            const std::vector<uint8_t> chunk(1 << 16, 0xAB);
            // Long enough for the signal to come, short enough not to fill the disk.
            for (int i = 0; i < 20000; ++i) {
                file.Write(chunk);
                ::usleep(500);
            }
            ::_exit(3);
        }
        for (int i = 0; i < 2000 && FileCount(dir.Path()) < 2; ++i) {
            ::usleep(5000);
        }
        EXPECT_EQ(FileCount(dir.Path()), 2u) << "the temporary beside the old file";
        ::kill(child, signalNumber);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 2);
        EXPECT_EQ(ReadFileBytes(path), old);
        EXPECT_EQ(FileCount(dir.Path()), 1u);
        const std::vector<uint8_t> line = ReadFileBytes(errors);
        std::filesystem::remove(errors);
        EXPECT_NE(std::string(line.begin(), line.end())
                      .find("Writing the file (" + path.string() +
                            ") was stopped by a signal. The file was left as it was."),
                  std::string::npos);
    }
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
