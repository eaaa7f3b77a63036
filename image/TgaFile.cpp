#include "image/TgaFile.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "base/ByteReader.h"
#include "base/Endian.h"
#include "base/GlobalException.h"
#include "image/IndexImage.h"
#include "image/RgbImage.h"
#include "platform/FileByteReader.h"

namespace {

constexpr uint8_t kColorMapped = 1;
constexpr uint8_t kTrueColor = 2;
constexpr uint8_t kRunLengthBit = 8;
constexpr uint8_t kRightToLeft = 0x10;
constexpr uint8_t kTopToBottom = 0x20;
constexpr std::size_t kMaxPacket = 128;
// The signature with its terminating zero, at offset 8 of the footer.
constexpr std::string_view kSignature{"TRUEVISION-XFILE.\0", 18};
constexpr std::string_view kImageId{"typeloom output."};

bool IsColorMapped(uint8_t type) {
    return (type & ~kRunLengthBit) == kColorMapped;
}

void AppendPacket(std::vector<uint8_t>& out, std::size_t count, bool run,
                  std::span<const uint8_t> pixels) {
    out.push_back(static_cast<uint8_t>((count - 1) | (run ? 0x80u : 0u)));
    out.insert(out.end(), pixels.begin(), pixels.end());
}

// The run-length packets of one packed row, appended to `out`: every maximal run of two or more
// equal pixels as run packets, the pixels between as literal packets, none longer than 128.
void AppendRowRuns(std::vector<uint8_t>& out, std::span<const uint8_t> line,
                   int32_t bytesPerPixel) {
    const auto p = static_cast<std::size_t>(bytesPerPixel);
    const std::size_t w = line.size() / p;
    const auto same = [&](std::size_t a, std::size_t b) {
        return std::equal(line.begin() + static_cast<std::ptrdiff_t>(a * p),
                          line.begin() + static_cast<std::ptrdiff_t>((a + 1) * p),
                          line.begin() + static_cast<std::ptrdiff_t>(b * p));
    };
    std::size_t x = 0;
    while (x < w) {
        std::size_t end = x + 1;
        while (end < w && same(x, end)) {
            ++end;
        }
        if (end - x >= 2) {
            for (std::size_t at = x; at < end; at += kMaxPacket) {
                AppendPacket(out, std::min(kMaxPacket, end - at), true, line.subspan(x * p, p));
            }
            x = end;
            continue;
        }
        // Literal pixels reach up to the next pair of equal ones.
        end = x;
        while (end < w && !(end + 1 < w && same(end, end + 1))) {
            ++end;
        }
        for (std::size_t at = x; at < end; at += kMaxPacket) {
            const std::size_t count = std::min(kMaxPacket, end - at);
            AppendPacket(out, count, false, line.subspan(at * p, count * p));
        }
        x = end;
    }
}

}  // namespace

CTgaFile::Header CTgaFile::ParseHeader(std::span<const uint8_t> bytes) {
    Header h;
    if (bytes.size() < kHeaderSize) {
        return h;
    }
    // Every read below lies inside the checked 18 bytes.
    CByteReader reader(bytes, [] {});
    h.idLength = reader.U8();
    h.colorMapType = reader.U8();
    h.imageType = reader.U8();
    h.firstEntry = reader.U16LE();
    h.colorMapLength = reader.U16LE();
    h.colorMapEntrySize = reader.U8();
    h.xOrigin = reader.U16LE();
    h.yOrigin = reader.U16LE();
    h.width = reader.U16LE();
    h.height = reader.U16LE();
    h.pixelDepth = reader.U8();
    h.descriptor = reader.U8();
    h.complete = true;
    return h;
}

bool CTgaFile::HasFooter() {
    Open(Access::kRead);
    const int32_t size = SeekBack(0);
    std::array<uint8_t, kFooterSize> footer{};
    std::size_t got = 0;
    if (size >= static_cast<int32_t>(kFooterSize)) {
        SeekBack(-static_cast<int32_t>(kFooterSize));
        got = Read(footer);
    }
    Close();
    return HasFooter(std::span<const uint8_t>(footer).first(got));
}

bool CTgaFile::HasFooter(std::span<const uint8_t> file) {
    if (file.size() < kFooterSize) {
        return false;
    }
    const auto signature = file.last(kFooterSize).subspan(8, kSignature.size());
    return std::equal(kSignature.begin(), kSignature.end(), signature.begin(),
                      [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; });
}

bool CTgaFile::HasFormatError() {
    std::array<uint8_t, kHeaderSize> bytes{};
    Open(Access::kRead);
    SeekTo(0);
    const std::size_t got = Read(bytes);
    Close();
    return HasFormatError(std::span<const uint8_t>(bytes).first(got));
}

bool CTgaFile::HasFormatError(std::span<const uint8_t> file) const {
    try {
        ValidateFormat(ParseHeader(file));
    } catch (const CGeneralException&) {
        return true;
    }
    return false;
}

void CTgaFile::ValidateFormat(const Header& h) const {
    if (h.complete && IsColorMapped(h.imageType)) {
        if (h.colorMapType != 1) {
            TL_THROW(kErrTga, 184);
        }
        if (h.colorMapLength == 0) {
            TL_THROW(kErrTga, 181);
        }
        if (h.firstEntry >= h.colorMapLength) {
            TL_THROW(kErrTga, 180);
        }
    }
    if (!h.complete || h.width == 0 || h.height == 0) {
        TL_THROW(kErrTga, 146, GetPath(), int32_t{h.width}, int32_t{h.height});
    }
}

void CTgaFile::ValidateFuture(const Header& h) const {
    const uint8_t type = h.imageType;
    if (type != 1 && type != 2 && type != 9 && type != 10) {
        TL_THROW(kErrTga, 194, int32_t{type});
    }
    if (IsColorMapped(type)) {
        if (h.colorMapEntrySize != 24 && h.colorMapEntrySize != 32) {
            TL_THROW(kErrTga, 195, int32_t{h.colorMapEntrySize});
        }
        if (h.pixelDepth != 8 && h.pixelDepth != 16) {
            TL_THROW(kErrTga, 192, int32_t{type}, int32_t{h.pixelDepth});
        }
    } else if (h.pixelDepth != 24 && h.pixelDepth != 32) {
        TL_THROW(kErrTga, 192, int32_t{type}, int32_t{h.pixelDepth});
    }
    if (h.descriptor > 63) {
        TL_THROW(kErrTga, 193, int32_t{h.descriptor});
    }
    const int32_t alphaBits = h.descriptor & 15;
    if (alphaBits != 0 && alphaBits != 8) {
        TL_THROW(kErrTga, 191, int32_t{h.descriptor});
    }
}

void CTgaFile::FailBrokenFile(const Header& h) const {
    TL_THROW(kErrTga, 146, GetPath(), int32_t{h.width}, int32_t{h.height});
}

template <typename Reader, typename Place>
void CTgaFile::DecodeRuns(Reader& reader, const Header& h, std::size_t pixelBytes,
                          Place place) const {
    const std::size_t p = (h.pixelDepth + 7u) / 8u;
    // Packets may run on from one row into the next, so each row is gathered in a buffer.
    const std::size_t stride = std::size_t{h.width} * p;
    std::vector<uint8_t> row(stride);
    std::size_t inRow = 0;
    std::size_t storedRow = 0;
    const auto append = [&](std::span<const uint8_t> bytes) {
        while (!bytes.empty()) {
            const std::size_t part = std::min(bytes.size(), stride - inRow);
            std::copy_n(bytes.begin(), part, row.begin() + static_cast<std::ptrdiff_t>(inRow));
            inRow += part;
            bytes = bytes.subspan(part);
            if (inRow == stride) {
                place(storedRow++, std::span<const uint8_t>(row));
                inRow = 0;
            }
        }
    };
    std::array<uint8_t, kMaxPacket * 4> run{};
    std::size_t written = 0;
    while (written < pixelBytes) {
        const uint8_t packet = reader.U8();
        const std::size_t count = (packet & 0x7Fu) + 1u;
        if (count * p > pixelBytes - written) {
            FailBrokenFile(h);
        }
        if ((packet & 0x80u) != 0) {
            const auto pixel = reader.Take(p);
            std::copy(pixel.begin(), pixel.end(), run.begin());
            // The pixels filled so far, doubled until the run is complete.
            const std::size_t bytes = count * p;
            for (std::size_t filled = p; filled < bytes; filled *= 2) {
                std::copy_n(run.begin(), std::min(filled, bytes - filled),
                            run.begin() + static_cast<std::ptrdiff_t>(filled));
            }
            append(std::span<const uint8_t>(run).first(bytes));
        } else {
            append(reader.Take(count * p));
        }
        written += count * p;
    }
}

std::unique_ptr<IImage> CTgaFile::Load() {
    Open(Access::kRead);
    SeekTo(0);
    std::array<uint8_t, kHeaderSize> head{};
    const Header h = CheckedHeader(std::span<const uint8_t>(head).first(Read(head)));
    // The pixels pass through a window, so the file and the picture never sit side by side.
    CFileByteReader reader(*this, CFileByteReader::kWindow, [this, &h] { FailBrokenFile(h); });
    std::unique_ptr<IImage> image = DecodePixels(reader, h);
    Close();
    return image;
}

std::unique_ptr<IImage> CTgaFile::Decode(std::span<const uint8_t> file) const {
    const Header h = CheckedHeader(file);
    CByteReader reader(file, [this, &h] { FailBrokenFile(h); });
    reader.Seek(kHeaderSize);
    return DecodePixels(reader, h);
}

CTgaFile::Header CTgaFile::CheckedHeader(std::span<const uint8_t> head) const {
    const Header h = ParseHeader(head);
    ValidateFormat(h);
    ValidateFuture(h);
    if (int64_t{h.width} * h.height > IImage::kMaxPixels) {
        FailBrokenFile(h);
    }
    return h;
}

template <typename Reader>
std::unique_ptr<IImage> CTgaFile::DecodePixels(Reader& reader, const Header& h) const {
    reader.Skip(h.idLength);

    std::unique_ptr<IImage> image;
    const std::size_t entryBytes = (h.colorMapEntrySize + 7u) / 8u;
    if (IsColorMapped(h.imageType)) {
        std::vector<uint32_t> palette(h.colorMapLength);
        for (uint32_t& entry : palette) {
            const auto bytes = reader.Take(entryBytes);
            entry = entryBytes == 4 ? endian::LoadU32LE(bytes, 0)
                                    : 0xFF000000u | (uint32_t{bytes[2]} << 16) |
                                          (uint32_t{bytes[1]} << 8) | bytes[0];
        }
        auto indexed = std::make_unique<CIndexImage>();
        indexed->SetPalette(palette);
        image = std::move(indexed);
    } else {
        // A colour map in a true-colour file is not used, but it lies before the pixels.
        if (h.colorMapType == 1) {
            reader.Skip(h.colorMapLength * entryBytes);
        }
        image = std::make_unique<CRgbImage>();
    }

    const std::size_t p = (h.pixelDepth + 7u) / 8u;
    const std::size_t w = h.width;
    const std::size_t rows = h.height;
    const std::size_t pixelBytes = w * rows * p;
    const bool topDown = (h.descriptor & kTopToBottom) != 0;
    const bool mirrored = (h.descriptor & kRightToLeft) != 0;
    // Each stored row is unpacked straight into its picture row, turned over and mirrored as
    // the descriptor says.
    const auto place = [&](std::size_t row, std::span<const uint8_t> bytes) {
        const auto target = static_cast<int32_t>(topDown ? row : rows - 1 - row);
        image->ReadBits(bytes, 0, target, static_cast<int32_t>(w), 1, h.pixelDepth, 1);
        if (mirrored) {
            const std::span<uint32_t> words =
                image->Pixels().subspan(static_cast<std::size_t>(target) * w, w);
            std::reverse(words.begin(), words.end());
        }
    };
    const auto create = [&] { image->CreateUnset(h.width, h.height, h.pixelDepth); };
    if ((h.imageType & kRunLengthBit) != 0) {
        // No packet yields more than 128 pixels, so a stream too short for the picture is
        // refused before the picture is allocated.
        if (pixelBytes / p > reader.Remaining() * kMaxPacket) {
            FailBrokenFile(h);
        }
        create();
        DecodeRuns(reader, h, pixelBytes, place);
    } else {
        if (pixelBytes > reader.Remaining()) {
            FailBrokenFile(h);
        }
        create();
        for (std::size_t row = 0; row < rows; ++row) {
            place(row, reader.Take(w * p));
        }
    }
    image->SetHasAlpha(IsColorMapped(h.imageType) ? entryBytes == 4 : p == 4);
    return image;
}

std::vector<uint8_t> CTgaFile::EncodeRuns(std::span<const uint8_t> packed, int32_t width,
                                          int32_t height, int32_t bytesPerPixel) {
    const auto rowBytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(bytesPerPixel);
    std::vector<uint8_t> out;
    out.reserve(packed.size() * 2);
    for (std::size_t row = 0; row < static_cast<std::size_t>(height); ++row) {
        AppendRowRuns(out, packed.subspan(row * rowBytes, rowBytes), bytesPerPixel);
    }
    return out;
}

void CTgaFile::Save(const IImage& image) {
    const int32_t width = image.GetWidth();
    const int32_t height = image.GetHeight();
    if (width > kMaxSide || height > kMaxSide) {
        TL_THROW(kErrInputValue, 190);
    }
    const auto* indexed = dynamic_cast<const CIndexImage*>(&image);
    const std::size_t entries =
        indexed != nullptr ? std::min<std::size_t>(indexed->GetPalette().size(), 0xFFFF) : 0;
    int32_t bits = image.GetBpp() == 32 || image.HasAlpha() ? 32 : 24;
    if (indexed != nullptr) {
        bits = image.GetBpp() == 16 ? 16 : 8;
    }

    std::vector<uint8_t> out;
    endian::AppendU8(out, static_cast<uint8_t>(kImageId.size()));
    endian::AppendU8(out, entries > 0 ? 1 : 0);
    endian::AppendU8(out, entries > 0 ? kColorMapped | kRunLengthBit : kTrueColor | kRunLengthBit);
    endian::AppendU16LE(out, 0);
    endian::AppendU16LE(out, static_cast<uint16_t>(entries));
    endian::AppendU8(out, entries > 0 ? 32 : 0);
    endian::AppendU16LE(out, 0);
    endian::AppendU16LE(out, 0);
    endian::AppendU16LE(out, static_cast<uint16_t>(width));
    endian::AppendU16LE(out, static_cast<uint16_t>(height));
    endian::AppendU8(out, static_cast<uint8_t>(bits));
    endian::AppendU8(out, image.HasAlpha() ? 8 : 0);
    out.insert(out.end(), kImageId.begin(), kImageId.end());
    for (std::size_t i = 0; i < entries; ++i) {
        endian::AppendU32LE(out, indexed->GetPalette()[i]);
    }

    // Row by row from the bottom, so that no copy of the whole picture is made: one packed row
    // and its packets at a time.
    Open(Access::kWrite);
    Write(out);
    std::vector<uint8_t> row(static_cast<std::size_t>(IImage::PackedRowBytes(width, bits, 1)));
    std::vector<uint8_t> runs;
    for (int32_t y = height; y-- > 0;) {
        image.WriteBits(row, 0, y, width, 1, bits, 1);
        runs.clear();
        AppendRowRuns(runs, row, bits / 8);
        Write(runs);
    }
    out.clear();
    for (int i = 0; i < 8; ++i) {
        endian::AppendU8(out, 0);
    }
    out.insert(out.end(), kSignature.begin(), kSignature.end());
    endian::AppendU16LE(out, 0);
    Write(out);
    Close();
}
