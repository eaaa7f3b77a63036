#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/Endian.h"
#include "core/FontData.h"
#include "core/GlobalException.h"
#include "platform/Text.h"
#include "readers/QuillFontFixture.h"
#include "support/TestSupport.h"

namespace {

using namespace quill_fixture;
using testing_support::ScopedPgCtrl;

constexpr char kBroken[] = "The file specified as a bofnt file is not a bofnt file. ";

Font SampleFont() {
    Font font;
    font.glyphs = SampleGlyphs();
    return font;
}

Font CompressedFont() {
    Font font;
    font.format = kTexIA4;
    font.compressed = true;
    const std::vector<Glyph> sample = SampleGlyphs();
    for (int i = 0; i < 20; ++i) {  // two sheets of 15 cells
        Glyph g = sample[static_cast<std::size_t>(i % 2)];
        g.code = static_cast<uint16_t>(0x100 + i);
        font.glyphs.push_back(g);
    }
    return font;
}

// Reads the file; true when it loads, false on a resource error. Any other outcome fails.
bool ReadsOrRefuses(std::span<const uint8_t> file, const std::string& what) {
    ScopedPgCtrl pg;
    try {
        CFontData font;
        ReadFont(file, font);
        return true;
    } catch (const CGeneralException& e) {
        EXPECT_EQ(e.GetCategory(), kErrBofnt) << what << ": " << Utf16ToUtf8(e.What());
    }
    return false;
}

// Where a field lies: the content of the first block of a kind plus an offset.
struct Field {
    uint32_t kind;
    std::size_t at;
};

struct PatchCase {
    const char* what;
    bool compressed;
    Field field;
    int width;  // 1, 2 or 4 bytes, big-endian
    uint32_t value;
};

// Stores a big-endian field of 1, 2 or 4 bytes.
void Patch(std::vector<uint8_t>& file, std::size_t at, int width, uint32_t value) {
    if (width == 1) {
        file[at] = static_cast<uint8_t>(value);
    } else if (width == 2) {
        endian::StoreU16BE(file, at, static_cast<uint16_t>(value));
    } else {
        endian::StoreU32BE(file, at, value);
    }
}

TEST(QuillFontHostileTest, InconsistentFieldsAreResourceErrors) {
    const PatchCase cases[] = {
        {"glyph index on a sheet that does not exist", false, {kBlockCMAP, 16}, 2, 15},
        {"glyph wider than its cell", false, {kBlockCWDH, 9}, 1, 6},
        {"more sheets than the data holds", false, {kBlockTGLP, 8}, 2, 2},
        {"sheet size not that of its pixels", false, {kBlockTGLP, 4}, 4, 256},
        {"more cells across than the sheet holds", false, {kBlockTGLP, 12}, 2, 6},
        {"no rows of cells", false, {kBlockTGLP, 14}, 2, 0},
        {"cells taller than the sheet allows", false, {kBlockTGLP, 1}, 1, 15},
        {"width range past its block", false, {kBlockCWDH, 2}, 2, 200},
        {"sheet data offset before the sheet fields", false, {kBlockTGLP, 20}, 4, 16},
        {"compressed sheet stored past the block", true, {kBlockTGLP, 1000}, 4, 0x100000},
        {"compressed sheet expanding to less than a sheet", true, {kBlockTGLP, 1006}, 1, 0x03},
        {"more compressed sheets than streams", true, {kBlockTGLP, 8}, 2, 3},
        {"compressed sheet size not that of its pixels", true, {kBlockTGLP, 4}, 4, 512},
    };
    for (const PatchCase& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedPgCtrl pg;
        std::vector<uint8_t> file = Build(c.compressed ? CompressedFont() : SampleFont());
        std::size_t at = ContentOffset(file, c.field.kind) + c.field.at;
        if (c.field.at >= 1000) {
            // Offsets from 1000 count from the first stored sheet size.
            const std::size_t tglp = ContentOffset(file, kBlockTGLP);
            at = endian::LoadU32BE(file, tglp + 20) + (c.field.at - 1000);
        }
        Patch(file, at, c.width, c.value);
        testing_support::ExpectError(
            [&] {
                CFontData font;
                ReadFont(file, font);
            },
            kErrBofnt, kBroken);
    }
}

// Sheets declared far larger than the file: an unknown format reads as empty glyphs, a known one
// is refused, and neither makes the image its fields describe (up to 1 GiB of pixels).
TEST(QuillFontHostileTest, DeclaredSheetsBeyondTheDataAllocateNothing) {
    struct Case {
        const char* what;
        bool compressed;
        uint16_t format;
        uint32_t sheetBytes;
        uint16_t sheetCount;
        uint16_t side;  // sheet width and height
        bool reads;
    };
    const Case cases[] = {
        {"unknown format, one huge sheet", false, 7, 0, 1, 16384, true},
        {"unknown format, the most sheets", false, 7, 0, 65535, 32, true},
        {"I4 sheet without its data", false, kTexI4, 16384u * 16384 / 2, 1, 16384, false},
        {"compressed sheet expanding to a fraction", true, kTexIA4, 16384u * 16384, 1, 16384,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedPgCtrl pg;
        std::vector<uint8_t> file = Build(c.compressed ? CompressedFont() : SampleFont());
        const std::size_t tglp = ContentOffset(file, kBlockTGLP);
        Patch(file, tglp + 4, 4, c.sheetBytes);
        Patch(file, tglp + 8, 2, c.sheetCount);
        Patch(file, tglp + 10, 2, c.format | (c.compressed ? kSheetCompressed : 0u));
        Patch(file, tglp + 16, 2, c.side);
        Patch(file, tglp + 18, 2, c.side);
        const std::size_t growth = testing_support::PeakMemoryGrowth(
            [&] { EXPECT_EQ(ReadsOrRefuses(file, c.what), c.reads); });
        EXPECT_LT(growth, testing_support::kBoundedGrowth);
    }
}

TEST(QuillFontHostileTest, EveryTruncationIsAResourceError) {
    const std::vector<std::vector<uint8_t>> files = {Build(SampleFont()), Build(CompressedFont()),
                                                     BuildCharGlyphs(SampleFont(), 4)};
    for (const std::vector<uint8_t>& file : files) {
        for (std::size_t length = 0; length < file.size(); ++length) {
            // A fresh copy of exactly that length, so an over-read is seen by the sanitizer.
            const std::vector<uint8_t> cut(file.begin(),
                                           file.begin() + static_cast<std::ptrdiff_t>(length));
            EXPECT_FALSE(ReadsOrRefuses(cut, "cut at " + std::to_string(length)));
        }
    }
}

// The end of a block's content that starts at `content`.
std::size_t ContentEnd(std::span<const uint8_t> file, std::size_t content) {
    return content - 8 + endian::LoadU32BE(file, content - 4);
}

// Every field byte set to values that stretch its field: each file either reads or is refused
// as broken, never anything else. Pixel data is left alone beyond its first bytes (the stream
// header and Huffman table of a compressed sheet, the first glyph bitmap).
TEST(QuillFontHostileTest, CorruptFieldsReadOrAreRefused) {
    const std::vector<std::vector<uint8_t>> files = {Build(SampleFont()), Build(CompressedFont()),
                                                     BuildCharGlyphs(SampleFont(), 2)};
    constexpr std::size_t kDataBytesCorrupted = 24;
    int refused = 0;
    for (const std::vector<uint8_t>& file : files) {
        std::size_t dataStart = file.size();
        std::size_t dataEnd = file.size();
        if (const std::size_t tglp = ContentOffset(file, kBlockTGLP)) {
            dataStart = endian::LoadU32BE(file, tglp + 20) + kDataBytesCorrupted;
            dataEnd = ContentEnd(file, tglp);
        } else if (const std::size_t cglp = ContentOffset(file, kBlockCGLP)) {
            dataStart = cglp + 8 + kDataBytesCorrupted;
            dataEnd = ContentEnd(file, cglp);
        }
        for (std::size_t at = 0; at < file.size(); ++at) {
            if (at >= dataStart && at < dataEnd) {
                continue;
            }
            for (const uint8_t value : {0x00, 0xFF}) {
                std::vector<uint8_t> bad = file;
                bad[at] = value;
                refused += ReadsOrRefuses(bad, "byte " + std::to_string(at)) ? 0 : 1;
            }
        }
    }
    EXPECT_GT(refused, 0);
}

}  // namespace
