#include "image/PngFile.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "base/ByteReader.h"
#include "base/GlobalException.h"
#include "image/ConvertWords.h"
#include "image/IndexImage.h"
#include "image/PngCodec.h"
#include "image/RgbImage.h"
#include "platform/FileByteReader.h"

namespace {

constexpr std::array<uint8_t, CPngFile::kSignatureSize> kSignature = {0x89, 'P',  'N',  'G',
                                                                      '\r', '\n', 0x1A, '\n'};
// Deflate codes at most 258 bytes in a match of two bits, so no compressed byte yields more
// than 1032: a picture whose filtered rows exceed that many times the file's size cannot be in
// it, however it claims to be, and is refused before its rows are allocated.
constexpr uint64_t kMaxInflateRatio = 1032;
// Ancillary chunks are all skipped, but libpng still reads each into memory to check it.
constexpr png_alloc_size_t kMaxChunkBytes = png_alloc_size_t{1} << 20;
constexpr png_uint_32 kMaxChunks = 256;
// How much of the file one call of the read callback copies at a time: never more than the
// file window holds.
constexpr std::size_t kReadPart = std::size_t{1} << 16;
static_assert(kReadPart <= CFileByteReader::kWindow);

template <typename Reader>
struct StreamSource {
    Reader& reader;
    CPngCodec& codec;
};

template <typename Reader>
void ReadFromSource(png_structp png, png_bytep out, png_size_t length) {
    auto& source = *static_cast<StreamSource<Reader>*>(png_get_io_ptr(png));
    bool failed = false;
    try {
        if (source.reader.Remaining() < length) {
            failed = true;
        }
        while (!failed && length > 0) {
            const std::size_t part = std::min<std::size_t>(length, kReadPart);
            const std::span<const uint8_t> bytes = source.reader.Take(part);
            std::copy(bytes.begin(), bytes.end(), out);
            out += part;
            length -= part;
        }
    } catch (...) {
        source.codec.Keep(std::current_exception());
        failed = true;
    }
    if (failed) {
        png_error(png, "the file ends early");
    }
}

struct FileSink {
    CBinaryFile& file;
    CPngCodec& codec;
};

void WriteToFile(png_structp png, png_bytep data, png_size_t length) {
    auto& sink = *static_cast<FileSink*>(png_get_io_ptr(png));
    bool failed = false;
    try {
        sink.file.Write({data, length});
    } catch (...) {
        sink.codec.Keep(std::current_exception());
        failed = true;
    }
    if (failed) {
        png_error(png, "the file cannot be written");
    }
}

void FlushNothing(png_structp) {
    // The file is flushed when it is closed.
}

// Pixels are held as 0xAARRGGBB words; PNG stores red, green, blue, alpha. On a big-endian
// machine libpng moves alpha to the front and the words are then the bytes; on a little-endian
// one the bytes come in as 0xAABBGGRR and SwapRedAndBlue turns each row around, a loop over
// whole words several times cheaper than libpng's own byte-by-byte reordering.
constexpr bool kLittleEndian = std::endian::native == std::endian::little;

void UseWordByteOrder(png_structp png) {
    if constexpr (!kLittleEndian) {
        png_set_swap_alpha(png);
    }
}

void SwapRedAndBlue(std::span<uint32_t> row) {
    if constexpr (kLittleEndian) {
        ConvertWords(row, [](uint32_t w) {
            return (w & 0xFF00FF00u) | ((w >> 16) & 0xFFu) | ((w & 0xFFu) << 16);
        });
    }
}

// The indices of a palette row, decoded one byte each into the last quarter of the row's own
// words, spread over the words from the left: each word written lies before every byte still
// to be read (word x ends at byte 4x + 3, index x + 1 sits at byte 3w + x + 1).
void SpreadIndices(std::span<uint32_t> row) {
    const auto* indices = reinterpret_cast<const uint8_t*>(row.data()) + row.size() * 3;
    for (std::size_t x = 0; x < row.size(); ++x) {
        row[x] = indices[x];
    }
}

// The palette as 0x00RRGGBB entries, or 0xAARRGGBB with tRNS (entries it leaves out opaque).
std::vector<uint32_t> PaletteOf(png_structp png, png_infop info, bool transparency) {
    png_colorp colours = nullptr;
    int count = 0;
    png_get_PLTE(png, info, &colours, &count);
    png_bytep alphas = nullptr;
    int alphaCount = 0;
    if (transparency) {
        png_get_tRNS(png, info, &alphas, &alphaCount, nullptr);
    }
    std::vector<uint32_t> entries(static_cast<std::size_t>(std::max(count, 0)));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const uint32_t alpha = !transparency                              ? 0u
                               : i < static_cast<std::size_t>(alphaCount) ? alphas[i]
                                                                          : 0xFFu;
        entries[i] = alpha << 24 | uint32_t{colours[i].red} << 16 |
                     uint32_t{colours[i].green} << 8 | colours[i].blue;
    }
    return entries;
}

}  // namespace

bool CPngFile::IsPng() {
    std::array<uint8_t, kSignatureSize> head{};
    Open(Access::kRead);
    SeekTo(0);
    const std::size_t got = Read(head);
    Close();
    return IsPng(std::span<const uint8_t>(head).first(got));
}

bool CPngFile::IsPng(std::span<const uint8_t> file) {
    return file.size() >= kSignatureSize &&
           std::equal(kSignature.begin(), kSignature.end(), file.begin());
}

void CPngFile::FailDamaged(const std::u16string& reason) const {
    TL_THROW(kErrImage, 423, GetPath(), reason);
}

std::unique_ptr<IImage> CPngFile::Load() {
    Open(Access::kRead);
    SeekTo(0);
    CFileByteReader reader(*this, CFileByteReader::kWindow,
                           [this] { FailDamaged(u"the file ends early"); });
    std::unique_ptr<IImage> image = DecodeStream(reader);
    Close();
    return image;
}

std::unique_ptr<IImage> CPngFile::Decode(std::span<const uint8_t> file) const {
    CByteReader reader(file, [this] { FailDamaged(u"the file ends early"); });
    return DecodeStream(reader);
}

template <typename Reader>
std::unique_ptr<IImage> CPngFile::DecodeStream(Reader& reader) const {
    const uint64_t fileSize = reader.Remaining();
    CPngCodec codec(CPngCodec::Direction::kRead);
    png_structp png = codec.Png();
    png_infop info = codec.Info();
    StreamSource<Reader> source{reader, codec};
    const auto fail = [this](const std::u16string& reason) { FailDamaged(reason); };

    codec.Run(
        [&] {
            png_set_read_fn(png, &source, ReadFromSource<Reader>);
            // A damaged chunk of any kind is a damaged file, and so is anything libpng would
            // otherwise pass over with a warning (image data left over, say).
            png_set_crc_action(png, PNG_CRC_ERROR_QUIT, PNG_CRC_ERROR_QUIT);
            png_set_benign_errors(png, 0);
            // Every IDAT chunk's CRC is checked already, so zlib's own checksum over the
            // inflated rows (a tenth of the decoding time) would catch nothing more.
            png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
            // Only IHDR, PLTE, tRNS, IDAT and IEND are read; every other chunk is skipped.
            png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
            png_set_chunk_malloc_max(png, kMaxChunkBytes);
            png_set_chunk_cache_max(png, kMaxChunks);
            png_read_info(png, info);
        },
        fail);

    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (width > static_cast<png_uint_32>(kMaxSide) || height > static_cast<png_uint_32>(kMaxSide)) {
        TL_THROW(kErrImage, 146, GetPath(), int64_t{width}, int64_t{height});
    }
    const uint64_t filteredBytes = uint64_t{height} * (png_get_rowbytes(png, info) + 1);
    if (filteredBytes > fileSize * kMaxInflateRatio) {
        TL_THROW(kErrImage, 424, GetPath(), int64_t{width}, int64_t{height});
    }

    const int colourType = png_get_color_type(png, info);
    const bool palette = colourType == PNG_COLOR_TYPE_PALETTE;
    const bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    const bool alpha = transparency || (colourType & PNG_COLOR_MASK_ALPHA) != 0;
    int passes = 1;
    codec.Run(
        [&] {
            if (palette) {
                png_set_packing(png);
            } else {
                png_set_scale_16(png);
                png_set_expand_gray_1_2_4_to_8(png);
                if (transparency) {
                    png_set_tRNS_to_alpha(png);
                }
                png_set_gray_to_rgb(png);
                UseWordByteOrder(png);
                if (!alpha) {
                    png_set_filler(png, 0, kLittleEndian ? PNG_FILLER_AFTER : PNG_FILLER_BEFORE);
                }
            }
            passes = png_set_interlace_handling(png);
            png_read_update_info(png, info);
        },
        fail);
    const std::size_t bytesPerPixel = palette ? 1 : 4;
    if (png_get_rowbytes(png, info) != width * bytesPerPixel) {
        FailDamaged(u"rows of an unexpected layout");
    }

    std::unique_ptr<IImage> image;
    if (palette) {
        auto indexed = std::make_unique<CIndexImage>();
        indexed->SetPalette(PaletteOf(png, info, transparency));
        indexed->CreateUnset(static_cast<int32_t>(width), static_cast<int32_t>(height),
                             png_get_bit_depth(png, info));
        image = std::move(indexed);
    } else {
        image = std::make_unique<CRgbImage>();
        image->CreateUnset(static_cast<int32_t>(width), static_cast<int32_t>(height),
                           alpha ? 32 : 24);
    }
    image->SetHasAlpha(alpha);

    // Rows are decoded straight into the picture's words; interlaced passes fill in the pixels
    // of each row that they carry, and a row is complete after the last.
    const std::span<uint32_t> words = image->Pixels();
    png_bytep const firstRow =
        reinterpret_cast<png_bytep>(words.data()) + (palette ? std::size_t{width} * 3 : 0);
    const std::size_t stride = std::size_t{width} * 4;
    // (The word loop stays outside Run: code in a function that sets a jump point is compiled
    // without most optimisations.)
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            png_bytep const row = firstRow + y * stride;
            codec.Run([&] { png_read_row(png, row, nullptr); }, fail);
            if (!palette && pass == passes - 1) {
                SwapRedAndBlue(words.subspan(y * std::size_t{width}, width));
            }
        }
    }
    codec.Run([&] { png_read_end(png, nullptr); }, fail);
    if (reader.Remaining() != 0) {
        FailDamaged(u"bytes follow the end of the picture");
    }
    if (palette) {
        for (png_uint_32 y = 0; y < height; ++y) {
            SpreadIndices(words.subspan(y * std::size_t{width}, width));
        }
    }
    return image;
}

void CPngFile::Save(const IImage& image) {
    const auto* indexed = dynamic_cast<const CIndexImage*>(&image);
    const std::span<const uint32_t> pixels = image.Pixels();
    const auto width = static_cast<std::size_t>(image.GetWidth());
    const uint32_t opaque = image.HasAlpha() ? 0u : 0xFF000000u;
    SaveRows(image.GetWidth(), image.GetHeight(), [&](int32_t y, std::span<uint32_t> row) {
        const auto words = pixels.subspan(static_cast<std::size_t>(y) * width, width);
        if (indexed != nullptr) {
            const std::span<const uint32_t> entries = indexed->GetPalette();
            for (std::size_t x = 0; x < width; ++x) {
                const uint32_t index = words[x] & 0x00FFFFFFu;
                row[x] = (index < entries.size() ? entries[index] : 0u) | opaque;
            }
        } else {
            for (std::size_t x = 0; x < width; ++x) {
                row[x] = words[x] | opaque;
            }
        }
    });
}

void CPngFile::SaveRows(int32_t width, int32_t height, const RowFiller& fill) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
        TL_THROW(kErrImage, 146, GetPath(), width, height);
    }
    CPngCodec codec(CPngCodec::Direction::kWrite);
    png_structp png = codec.Png();
    png_infop info = codec.Info();
    FileSink sink{*this, codec};
    const auto fail = [this](const std::u16string& reason) {
        TL_THROW(kErrImage, 425, GetPath(), reason);
    };
    std::vector<uint32_t> row(static_cast<std::size_t>(width));
    const auto* rowBytes = reinterpret_cast<png_const_bytep>(row.data());

    Open(Access::kWrite);
    codec.Run(
        [&] {
            png_set_write_fn(png, &sink, WriteToFile, FlushNothing);
            png_set_IHDR(png, info, static_cast<png_uint_32>(width),
                         static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                         PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
            // Unfiltered rows: image fonts are mostly runs of one colour, which deflate packs as
            // well as their differences, and the rows decode without undoing a filter.
            png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
            png_write_info(png, info);
            UseWordByteOrder(png);
        },
        fail);
    for (int32_t y = 0; y < height; ++y) {
        fill(y, row);
        SwapRedAndBlue(row);
        codec.Run([&] { png_write_row(png, rowBytes); }, fail);
    }
    codec.Run([&] { png_write_end(png, nullptr); }, fail);
    Close();
}
