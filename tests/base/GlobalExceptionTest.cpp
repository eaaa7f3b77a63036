#include "base/GlobalException.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "base/Text.h"

namespace {

// An unknown category, an unknown message number (an empty message) and the source file's name
// without folders; the other categories' names are in the rows of tests/e2e/console_runs.txt.
TEST(GlobalExceptionTest, UnknownCategoryAndMessageAndTheSourceFileName) {
    EXPECT_EQ(Utf16ToUtf8(MakeException("a/b\\c/Src.cpp", 7, "F", 0, 224).What()),
              "Unknown Error: (F@Src.cpp:7)\nUnknown error.");
    const CGeneralException& e = MakeException("f.cpp", 3, "F", kErrInternal, 999);
    EXPECT_EQ(e.What(), u"Internal error: (F@f.cpp:3)\n");
    EXPECT_EQ(e.GetCategory(), kErrInternal);
}

// The record is per thread: threads failing at once each get their own text, whole. The first
// exceptions of the process are among them, so the category names are loaded under the race.
TEST(GlobalExceptionTest, ThreadsFailingAtOnceKeepTheirOwnRecord) {
    constexpr int kThreads = 4;
    constexpr int kRounds = 200;
    std::vector<int> mismatches(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &mismatches] {
            const std::u16string name = Utf8ToUtf16("file" + std::to_string(t));
            const std::u16string expected = u"File I/O error: (T@t.cpp:" +
                                            Utf8ToUtf16(std::to_string(t)) +
                                            u")\nCannot open the specified file (" + name + u").";
            for (int round = 0; round < kRounds; ++round) {
                const CGeneralException& e =
                    MakeException("t.cpp", t, "T", kErrFileIO, 108, {name});
                if (e.What() != expected) {
                    ++mismatches[static_cast<std::size_t>(t)];
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(mismatches, std::vector<int>(kThreads, 0));
}

TEST(GlobalExceptionTest, QualifiedNamesFromCompilerSignatures) {
    const struct {
        const char* pretty;
        const char* name;
    } cases[] = {
        {"void CCmdLine::Analyze(std::u16string_view, std::span<const CmdOption>)",
         "CCmdLine::Analyze"},
        {"int32_t ToEncodingType(const std::u16string&)", "ToEncodingType"},
        {"static void CFontIO::ValidateOutputPath(const std::u16string&)",
         "CFontIO::ValidateOutputPath"},
        {"std::unique_ptr<CFontReader> CreateReader(const CCmdLine&)", "CreateReader"},
        {"const CGlyph* CFontData::FindGlyph(uint16_t) const", "CFontData::FindGlyph"},
        {"CCodePage::CCodePage(int)", "CCodePage::CCodePage"},
        {"void {anonymous}::ThrowBadWidth(int32_t)", "ThrowBadWidth"},
        {"void CCmdLine::Analyze(std::u16string_view)::<lambda()>", "CCmdLine::Analyze"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(QualifiedFunctionName(c.pretty), c.name) << c.pretty;
    }
}

}  // namespace
