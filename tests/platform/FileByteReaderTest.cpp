#include "platform/FileByteReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <vector>

#include "base/Text.h"
#include "platform/BinaryFile.h"
#include "support/TestSupport.h"

namespace {

using testing_support::TempDir;

void Short() {
    throw std::runtime_error("short");
}

std::vector<uint8_t> Pattern(std::size_t size) {
    std::vector<uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(i * 7 % 251);
    }
    return bytes;
}

// The window only changes how the bytes arrive: any mix of reads gives what a cursor over the
// whole file gives, through refills that keep the unread part of a window, up to the end.
TEST(FileByteReaderTest, ReadsWhatTheWholeFileHoldsThroughAnyWindow) {
    TempDir dir;
    const auto path = dir / "data.bin";
    const std::vector<uint8_t> data = Pattern(1000);
    testing_support::WriteFileBytes(path, data);
    for (const std::size_t window : {1u, 3u, 16u, 64u, 4096u}) {
        SCOPED_TRACE(window);
        CBinaryFile file(Utf8ToUtf16(path.string()));
        file.Open(CBinaryFile::Access::kRead);
        CFileByteReader streamed(file, window, Short);
        CByteReader whole(data, Short);
        const std::size_t steps[] = {1, 2, 5, 13, 64, 3};
        for (std::size_t i = 0; whole.Remaining() > 0; ++i) {
            const std::size_t n = std::min({steps[i % 6], window, whole.Remaining()});
            if (i % 4 == 3) {
                streamed.Skip(n * 3 <= whole.Remaining() ? n * 3 : n);
                whole.Skip(n * 3 <= whole.Remaining() ? n * 3 : n);
            } else if (i % 4 == 2) {
                ASSERT_EQ(streamed.U8(), whole.U8()) << "at " << whole.Position();
            } else {
                const auto a = streamed.Take(n);
                const auto b = whole.Take(n);
                ASSERT_TRUE(std::equal(a.begin(), a.end(), b.begin(), b.end()))
                    << "at " << whole.Position();
            }
            ASSERT_EQ(streamed.Remaining(), whole.Remaining());
        }
        EXPECT_THROW(streamed.U8(), std::runtime_error);
        EXPECT_THROW(streamed.Skip(1), std::runtime_error);
    }
}

// A file cut short after the cursor was made (it changed meanwhile) fails as a short one does.
TEST(FileByteReaderTest, FileCutShortMeanwhileFails) {
    TempDir dir;
    const auto path = dir / "data.bin";
    testing_support::WriteFileBytes(path, Pattern(100));
    CBinaryFile file(Utf8ToUtf16(path.string()));
    file.Open(CBinaryFile::Access::kRead);
    CFileByteReader reader(file, 16, Short);
    reader.Take(16);
    std::filesystem::resize_file(path, 40);
    reader.Take(16);
    EXPECT_THROW(reader.Take(16), std::runtime_error);
}

}  // namespace
