// Every family of untrusted input, cut short and changed, starting from the files the fuzz targets
// start from (tools/fuzz_seeds.sh): the shipped sample picture, the golden outputs and inputs. Each
// run ends in a font or picture or in a clean error of the family's category, allocating no more
// than the input can justify; a cut file never loads.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "base/ByteReader.h"
#include "base/Endian.h"
#include "compress/Compress.h"
#include "core/FontData.h"
#include "format/FontFileCheck.h"
#include "format/ResFont.h"
#include "format/TextureFormat.h"
#include "image/PictureFile.h"
#include "image/PngFile.h"
#include "image/RgbImage.h"
#include "readers/BmFontReader.h"
#include "readers/QuillFontReader.h"
#include "support/PngBytes.h"
#include "support/TestSupport.h"
#include "xml/CharFilter.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadFileBytes;
using Bytes = std::vector<uint8_t>;

std::vector<fs::path> Seeds(const std::vector<std::string>& extensions) {
    std::vector<fs::path> seeds = {testing_support::SourceDir() / "data/sample/sample.bmp"};
    for (const auto& entry :
         fs::recursive_directory_iterator(testing_support::SourceDir() / "tests/golden")) {
        for (const std::string& extension : extensions) {
            if (entry.path().extension() == extension) {
                seeds.push_back(entry.path());
            }
        }
    }
    return seeds;
}

// The lengths a seed is cut at: every one in the first headers, then a spread through the rest.
std::vector<std::size_t> CutLengths(std::size_t size) {
    std::vector<std::size_t> lengths;
    for (std::size_t length = 0; length < size; length += length < 600 ? 1 : 37) {
        lengths.push_back(length);
    }
    lengths.push_back(size - 1);
    return lengths;
}

// The seed with one byte changed: in the first 96 bytes (the headers and first fields) to 0xFF
// and to its other half, elsewhere at random places.
std::vector<Bytes> Corruptions(const Bytes& seed) {
    std::vector<Bytes> variants;
    for (std::size_t at = 0; at < std::min<std::size_t>(seed.size(), 96); ++at) {
        for (const uint8_t value : {uint8_t{0xFF}, uint8_t(seed[at] ^ 0x80)}) {
            variants.push_back(seed);
            variants.back()[at] = value;
        }
    }
    std::mt19937 random(static_cast<uint32_t>(seed.size()));
    for (int n = 0; n < 40; ++n) {
        variants.push_back(seed);
        variants.back()[random() % seed.size()] ^= static_cast<uint8_t>(1 + random() % 255);
    }
    return variants;
}

// Reads a file and describes what it read, so that two reads can be compared.
using Read = std::function<std::string(const std::u16string&)>;

// What a family adds to the common seeds and changes: seeds made at test time, changes of its
// own, which seeds must, changed too, fail or read as whole (a format whose every byte is
// checked), what a seed needs beside it in the folder (the pages of a BMFont descriptor, say),
// and whether a cut may read to something else (a text format whose lines carry no count).
struct FamilyExtras {
    std::vector<fs::path> seeds;
    std::function<std::vector<Bytes>(const Bytes&)> changes;
    std::function<bool(const Bytes&)> catchesChanges;
    std::function<void(const fs::path& seed, const fs::path& folder)> besides;
    bool cutsMayRead = false;
};

// Each seed of the family cut short must fail with one of `categories` or read to what the whole
// seed reads to (or, for a text format whose lines carry no count, read to anything); changed, it
// may read or fail, within bounded memory.
void ExpectFamilyEndsCleanly(const std::vector<std::string>& extensions,
                             const std::vector<int32_t>& categories, const Read& read,
                             const FamilyExtras& extras = {}) {
    const testing_support::TempDir dir;
    const auto path = dir / "input";
    const std::u16string name = Utf8ToUtf16(path.string());
    const auto attempt = [&](const Bytes& bytes) -> std::string {
        testing_support::WriteFileBytes(path, bytes);
        try {
            return read(name);
        } catch (const CGeneralException& e) {
            EXPECT_NE(std::find(categories.begin(), categories.end(), e.GetCategory()),
                      categories.end())
                << Utf16ToUtf8(e.What());
            return "failed";
        }
    };
    std::vector<fs::path> seeds = Seeds(extensions);
    seeds.insert(seeds.end(), extras.seeds.begin(), extras.seeds.end());
    for (const fs::path& seed : seeds) {
        SCOPED_TRACE(seed.filename().string());
        if (extras.besides) {
            extras.besides(seed, dir.Path());
        }
        const Bytes bytes = ReadFileBytes(seed);
        const std::string whole = attempt(bytes);
        for (const std::size_t length : CutLengths(bytes.size())) {
            const std::string cut =
                attempt(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)));
            EXPECT_TRUE(extras.cutsMayRead || cut == "failed" || cut == whole)
                << "cut at " << length;
        }
        std::vector<Bytes> variants = Corruptions(bytes);
        if (extras.changes) {
            const std::vector<Bytes> more = extras.changes(bytes);
            variants.insert(variants.end(), more.begin(), more.end());
        }
        const bool caught = extras.catchesChanges && extras.catchesChanges(bytes);
        for (const Bytes& variant : variants) {
            std::string changed;
            EXPECT_LT(testing_support::PeakMemoryGrowth([&] { changed = attempt(variant); }),
                      testing_support::kBoundedGrowth);
            EXPECT_TRUE(!caught || changed == "failed" || changed == whole);
        }
    }
}

// A picture of any format, detected by content, as its words.
std::string ReadPicture(const std::u16string& path) {
    const auto image = LoadPicture(path);
    const auto words = image->Pixels();
    return std::string(reinterpret_cast<const char*>(words.data()), words.size_bytes());
}

TEST(HostileInputTest, Pictures) {
    ExpectFamilyEndsCleanly({".bmp", ".tga", ".img"}, {kErrImage, kErrBmp, kErrTga}, ReadPicture);
}

// The chunks of a PNG file as (start, data length): each a length, a type, the data, a CRC.
std::vector<std::pair<std::size_t, std::size_t>> PngChunks(const Bytes& png) {
    std::vector<std::pair<std::size_t, std::size_t>> chunks;
    CByteReader reader(png, [] { throw 0; });
    try {
        reader.Seek(CPngFile::kSignatureSize);
        while (reader.Remaining() >= 12) {
            const std::size_t start = png.size() - reader.Remaining();
            const uint32_t length = reader.U32BE();
            reader.Skip(std::size_t{length} + 8);
            chunks.emplace_back(start, length);
        }
    } catch (int) {
    }
    return chunks;
}

// A byte flipped in every chunk, in its data (its type when it has none), and every CRC broken.
std::vector<Bytes> ChunkChanges(const Bytes& png) {
    std::vector<Bytes> variants;
    for (const auto& [start, length] : PngChunks(png)) {
        variants.push_back(png);
        variants.back()[start + 4 + (length > 0 ? 4 + length / 2 : 1)] ^= 0x10;
        variants.push_back(png);
        variants.back()[start + 8 + length] ^= 0x01;
    }
    return variants;
}

TEST(HostileInputTest, PngPictures) {
    const testing_support::TempDir made;
    const auto script = testing_support::SourceDir() / "tests/image/make_peer_images.py";
    const auto run = testing_support::RunCommand("/usr/bin/python3 " +
                                                 testing_support::ShellQuote(script.string()) +
                                                 " " + testing_support::ShellQuote(made.Path()));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    FamilyExtras extras;
    for (const auto& entry : fs::directory_iterator(made.Path())) {
        if (entry.path().filename().string().starts_with("im_")) {
            extras.seeds.push_back(entry.path());
        }
    }
    extras.changes = ChunkChanges;
    extras.catchesChanges = [](const Bytes& seed) { return CPngFile::IsPng(seed); };
    ExpectFamilyEndsCleanly({".png"}, {kErrImage, kErrBmp, kErrTga}, ReadPicture, extras);
}

// Image data that goes on past the picture: 4 x 4 RGBA rows, then 64 KB more.
TEST(HostileInputTest, PngImageDataBeyondThePictureIsRefused) {
    Bytes raw;
    for (int row = 0; row < 4; ++row) {
        raw.push_back(0);
        raw.insert(raw.end(), 16, 0x7F);
    }
    raw.resize(raw.size() + 65536, 0);
    CRgbImage picture;
    picture.Create(4, 4, 32);
    const testing_support::TempDir dir;
    const std::u16string path = Utf8ToUtf16((dir / "a.png").string());
    CPngFile(path).Save(picture);
    Bytes png = ReadFileBytes(dir / "a.png");
    const auto chunks = PngChunks(png);
    const auto idat = std::find_if(chunks.begin(), chunks.end(), [&](const auto& chunk) {
        return std::equal(png.begin() + static_cast<std::ptrdiff_t>(chunk.first + 4),
                          png.begin() + static_cast<std::ptrdiff_t>(chunk.first + 8), "IDAT");
    });
    ASSERT_NE(idat, chunks.end());
    Bytes changed(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(idat->first));
    png_bytes::AppendChunk(changed, "IDAT", png_bytes::StoredZlib(raw));
    changed.insert(changed.end(),
                   png.begin() + static_cast<std::ptrdiff_t>(idat->first + 12 + idat->second),
                   png.end());
    testing_support::WriteFileBytes(dir / "a.png", changed);
    testing_support::ExpectError(
        [&] { CPngFile(path).Load(); }, kErrImage,
        "The PNG file (" + (dir / "a.png").string() +
            ") is damaged and cannot be read (IDAT: Too much image data). ");
}

TEST(HostileInputTest, BinaryFonts) {
    ExpectFamilyEndsCleanly({".bofnt", ".bofna"}, {kErrBofnt}, [](const std::u16string& path) {
        testing_support::ScopedPgCtrl quiet;
        ValidateFontFile(path);
        CQuillFontReader reader({path});
        reader.ValidateInput();
        CFontData font;
        reader.ReadFontData(font, CCharFilter());
        return std::to_string(font.GetGlyphCount());
    });
}

// BMFont descriptors of every form, their pages beside them: the descriptor cut short or changed
// reads or fails with a category of its own (a page named wrongly fails like a picture, the XML
// form like an XML file). A text descriptor cut between its lines is a smaller font.
TEST(HostileInputTest, BmFontDescriptors) {
    FamilyExtras extras;
    extras.besides = [](const fs::path& seed, const fs::path& folder) {
        for (const auto& entry : fs::directory_iterator(seed.parent_path())) {
            const std::string name = entry.path().filename().string();
            if (entry.path().extension() == ".png" &&
                name.starts_with(seed.stem().string() + "_")) {
                fs::copy_file(entry.path(), folder / name, fs::copy_options::overwrite_existing);
            }
        }
    };
    extras.cutsMayRead = true;
    ExpectFamilyEndsCleanly(
        {".fnt"}, {kErrInputValue, kErrXml, kErrImage, kErrBmp, kErrTga, kErrFileIO},
        [](const std::u16string& path) {
            testing_support::ScopedPgCtrl quiet;
            CBmFontReader reader({path, kTexIA8});
            reader.ValidateInput();
            CFontData font;
            reader.ReadFontData(font, CCharFilter());
            return std::to_string(font.GetGlyphCount());
        },
        extras);
}

// A binary font of one 256 x 256 sheet whose cells are `side` pixels square and all ink (but the
// spacing pixel that gives the paper colour), glyph index 0 as wide as its cell, and the codes
// from 'A' on, `codes` of them, all on that one index.
Bytes SharedCellFont(uint8_t side, int codes, uint16_t format) {
    CResFont font(true);
    font.AddFontInfo(FontInfo{});
    TextureGlyphs sheets{side, side, 0, 127, 0, 1, format, 0, 0, 256, 256, 0};
    sheets.cellsPerRow = sheets.rowsPerSheet = static_cast<uint16_t>(256 / (side + 1));
    sheets.sheetBytes = static_cast<uint32_t>(texture::SheetBytes(format, 256, 256));
    Bytes ink(sheets.sheetBytes, 0xFF);
    std::fill_n(ink.begin(), std::min<std::size_t>(ink.size(), 4), 0);
    font.AddTextureGlyphs(sheets, ink);
    font.AddWidths(WidthBlock{0, 0, 0, {WidthEntry{0, side, 127}}});
    CodeMap map{0, 0xFFFF, kMapScan, 0, {}, {}};
    for (int i = 0; i < codes; ++i) {
        map.pairs.emplace_back(static_cast<uint16_t>(u'A' + i), 0);
    }
    font.AddCodeMap(map);
    font.LinkOffsets();
    return font.ToBytes();
}

// Files that declare far more work than they hold: whatever they declare, a read stays within a
// second and a bounded peak (each glyph index is decoded once, however many codes share it),
// and refuses a format it cannot decode, or glyphs past its pixel budget, before making them.
// Measured in a child process of its own; before, these took seconds to minutes and up to
// gigabytes.
TEST(HostileInputTest, BinaryFontsDeclaringMuchCostLittle) {
    struct Case {
        const char* what;
        Bytes file;
        std::size_t glyphs;  // read; 0: refused with the message
        std::string message;
    };
    const Case cases[] = {
        {"4,096 codes on a 255 x 255 cell of an unknown format", SharedCellFont(255, 4096, 7), 0,
         "The bofnt file uses an unsupported texture format (=7)."},
        {"2,000 codes on one inked 255 x 255 cell", SharedCellFont(255, 2000, kTexI4), 0,
         "The glyphs of the bofnt file would take more than 8 million pixels, too many for a "
         "file of its size."},
        {"120 codes on one inked 255 x 255 cell", SharedCellFont(255, 120, kTexI4), 120, ""},
        {"every code from 'A' on one small cell", SharedCellFont(5, 0xFFFF - u'A', kTexIA8),
         0xFFFF - u'A', ""},
    };
    const testing_support::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing_support::WriteFileBytes(dir / "font.bofnt", c.file);
        const testing_support::ChildCost cost = testing_support::CostInChild([&] {
            testing_support::ScopedPgCtrl quiet;
            CFontData font;
            try {
                CQuillFontReader({Utf8ToUtf16((dir / "font.bofnt").string())})
                    .ReadFontData(font, CCharFilter());
            } catch (const CGeneralException& e) {
                return c.glyphs == 0 && testing_support::MessageOf(e) == c.message ? 0 : 1;
            }
            return font.GetGlyphCount() == c.glyphs ? 0 : 2;
        });
        EXPECT_EQ(cost.exitCode, 0);
        // Generous for a loaded machine and a sanitizer build.
        EXPECT_LT(cost.seconds, 2.0);
        EXPECT_LT(cost.peakGrowth, std::size_t{192} << 20);
    }
}

// The compressed sheets of the golden archived fonts, and a golden sheet through every codec.
std::vector<std::pair<Bytes, int>> CompressedStreams() {
    std::vector<std::pair<Bytes, int>> streams;
    for (const fs::path& seed : Seeds({".bofna"})) {
        if (seed.extension() != ".bofna") {
            continue;
        }
        CResFont font;
        font.Load(ReadFileBytes(seed));
        CByteReader reader(font.GetSheetData(), [] {});
        const uint32_t size = reader.U32BE();
        const auto stream = reader.Take(size);
        streams.emplace_back(Bytes(stream.begin(), stream.end()), 1);
    }
    const Bytes file = ReadFileBytes(testing_support::SourceDir() / "tests/golden/sample-I8.bofnt");
    const Bytes sheet(file.end() - 600, file.end());
    for (const auto& [codecs, layers] : std::vector<std::pair<std::u16string, int>>{
             {u"h8", 1}, {u"h4", 1}, {u"l", 1}, {u"r", 1}, {u"d8", 1}, {u"d16", 1}, {u"lh8", 2}}) {
        streams.emplace_back(Compress(sheet, codecs), layers);
    }
    return streams;
}

TEST(HostileInputTest, CompressedStreams) {
    for (const auto& [stream, layers] : CompressedStreams()) {
        SCOPED_TRACE(stream.size());
        for (std::size_t length = 0; length < stream.size(); ++length) {
            // A fresh buffer of exactly the cut length, so an over-read is seen by ASan.
            const Bytes cut(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(length));
            testing_support::ExpectError(
                [&] { Expand(cut, layers); }, kErrBofnt,
                "The file specified as a bofnt file is not a bofnt file. ");
        }
        for (std::size_t bit = 0; bit < 8 * std::min<std::size_t>(stream.size(), 200); ++bit) {
            Bytes flipped = stream;
            flipped[bit / 8] ^= static_cast<uint8_t>(1 << bit % 8);
            try {
                EXPECT_LE(Expand(flipped, layers).size(), 0xFFFFFFu);
            } catch (const CGeneralException& error) {
                EXPECT_EQ(error.GetCategory(), kErrBofnt) << Utf16ToUtf8(error.What());
            }
        }
    }
}

}  // namespace
