#include "image/BitMapFile.h"

#include <algorithm>
#include <vector>

#include "base/ByteReader.h"
#include "base/Endian.h"
#include "base/GlobalException.h"
#include "image/IndexImage.h"
#include "image/RgbImage.h"
#include "platform/FileByteReader.h"

namespace {

constexpr uint16_t kSignature = 0x4D42;  // "BM"
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kPaletteAreaSize = 1024;
constexpr int32_t kPixelsPerMetre = 2834;  // 72 dots per inch

int64_t RowSize(int64_t width, int32_t bits) {
    return (bits * width + 31) / 32 * 4;
}

// The 32-bit layout that uncompressed files use, which editors also declare as colour masks.
bool HasPlainMasks(const CBitMapFile::Headers& h) {
    return h.redMask == 0x00FF0000u && h.greenMask == 0x0000FF00u && h.blueMask == 0x000000FFu &&
           (h.alphaMask == 0xFF000000u || h.alphaMask == 0);
}

}  // namespace

CBitMapFile::Headers CBitMapFile::ParseHeaders(std::span<const uint8_t> bytes) {
    Headers h;
    if (bytes.size() >= 2) {
        h.type = endian::LoadU16LE(bytes, 0);
    }
    if (bytes.size() < kHeadersSize) {
        return h;
    }
    // Every read below lies inside the checked 54 bytes.
    CByteReader reader(bytes, [] {});
    reader.Skip(2);
    h.fileSize = reader.U32LE();
    h.reserved1 = reader.U16LE();
    h.reserved2 = reader.U16LE();
    h.dataOffset = reader.U32LE();
    h.headerSize = reader.U32LE();
    h.width = reader.S32LE();
    h.height = reader.S32LE();
    h.planes = reader.U16LE();
    h.bitCount = reader.U16LE();
    h.compression = reader.U32LE();
    h.imageSize = reader.U32LE();
    reader.Skip(8);
    h.colorsUsed = reader.U32LE();
    h.colorsImportant = reader.U32LE();
    h.complete = true;
    // Colour masks sit right after the first 40 header bytes, inside a larger header or after
    // a 40-byte one; the alpha mask exists only in headers of 56 bytes or more.
    if (h.compression == kBitFields && reader.Remaining() >= 12) {
        h.redMask = reader.U32LE();
        h.greenMask = reader.U32LE();
        h.blueMask = reader.U32LE();
        if (h.headerSize >= 56 && reader.Remaining() >= 4) {
            h.alphaMask = reader.U32LE();
        }
    }
    return h;
}

std::vector<uint8_t> CBitMapFile::ReadHeaderBytes() {
    std::vector<uint8_t> bytes(kHeadersSize + 16);
    Open(Access::kRead);
    SeekTo(0);
    bytes.resize(Read(bytes));
    Close();
    return bytes;
}

bool CBitMapFile::IsBmp() {
    return IsBmp(ReadHeaderBytes());
}

bool CBitMapFile::IsBmp(std::span<const uint8_t> file) {
    return ParseHeaders(file).type == kSignature;
}

bool CBitMapFile::HasFormatError() {
    return HasFormatError(ReadHeaderBytes());
}

bool CBitMapFile::HasFormatError(std::span<const uint8_t> file) const {
    try {
        ValidateFormat(ParseHeaders(file));
    } catch (const CGeneralException&) {
        return true;
    }
    return false;
}

void CBitMapFile::ValidateFormat(const Headers& h) const {
    if (!h.complete || h.type != kSignature || h.reserved1 != 0 || h.reserved2 != 0 ||
        h.dataOffset < kHeadersSize || h.headerSize < kInfoHeaderSize) {
        TL_THROW(kErrBmp, 149, GetPath());
    }
    if (h.width < 1 || h.height == 0) {
        TL_THROW(kErrBmp, 146, GetPath(), h.width, h.height);
    }
}

void CBitMapFile::ValidateFuture(const Headers& h) const {
    const uint16_t bits = h.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
        TL_THROW(kErrBmp, 107, int32_t{bits}, GetPath());
    }
    const bool plain =
        h.compression == 0 || (h.compression == kBitFields && bits == 32 && HasPlainMasks(h));
    if (!plain || h.planes != 1) {
        TL_THROW(kErrBmp, 217, GetPath());
    }
}

std::unique_ptr<IImage> CBitMapFile::Load() {
    Open(Access::kRead);
    SeekTo(0);
    const std::size_t fileSize = RemainingSize();
    std::vector<uint8_t> head(std::min<std::size_t>(fileSize, kHeadersSize + 16));
    head.resize(Read(head));
    const Headers declared = ParseHeaders(head);
    // Then everything Begin looks at: up to the pixels, and past the largest palette.
    const std::size_t have = head.size();
    head.resize(std::min<std::size_t>(
        fileSize, std::max<std::size_t>(
                      {have, declared.dataOffset,
                       std::size_t{kFileHeaderSize} + declared.headerSize + kPaletteAreaSize})));
    head.resize(have + Read(std::span(head).subspan(have)));
    Headers h;
    std::unique_ptr<IImage> image = Begin(head, fileSize, h);

    const auto stride = static_cast<std::size_t>(RowSize(h.width, h.bitCount));
    const auto rowCount = static_cast<std::size_t>(image->GetHeight());
    SeekTo(static_cast<int32_t>(h.dataOffset));
    // Begin checked the size, so running short means the file changed meanwhile.
    CFileByteReader reader(*this, std::max(CFileByteReader::kWindow, stride),
                           [this] { TL_THROW(kErrBmp, 149, GetPath()); });
    for (std::size_t row = 0; row < rowCount; ++row) {
        PlaceRows(*image, h, reader.Take(stride), row);
    }
    Close();
    return image;
}

std::unique_ptr<IImage> CBitMapFile::Decode(std::span<const uint8_t> file) const {
    Headers h;
    std::unique_ptr<IImage> image = Begin(file, file.size(), h);
    const std::size_t stride = static_cast<std::size_t>(RowSize(h.width, h.bitCount));
    PlaceRows(*image, h,
              file.subspan(h.dataOffset, stride * static_cast<std::size_t>(image->GetHeight())), 0);
    return image;
}

std::unique_ptr<IImage> CBitMapFile::Begin(std::span<const uint8_t> head, std::size_t fileSize,
                                           Headers& h) const {
    h = ParseHeaders(head);
    ValidateFormat(h);
    ValidateFuture(h);

    // Declared sizes are checked against what the file holds before anything is allocated.
    const int32_t bits = h.bitCount;
    const int64_t rows = h.height < 0 ? -int64_t{h.height} : int64_t{h.height};
    const int64_t rowSize = RowSize(h.width, bits);
    const auto size = static_cast<int64_t>(fileSize);
    const int64_t paletteStart = int64_t{kFileHeaderSize} + h.headerSize;
    if (rows * h.width > IImage::kMaxPixels || h.dataOffset > size ||
        rowSize * rows > size - h.dataOffset || paletteStart > size) {
        TL_THROW(kErrBmp, 146, GetPath(), h.width, h.height);
    }
    CByteReader reader(head, [this] { TL_THROW(kErrBmp, 149, GetPath()); });

    std::unique_ptr<IImage> image;
    if (bits < 16) {
        // 2^bits entries as far as the file holds them; an index past the colours the file
        // declares is a broken picture either way, so missing entries just show black.
        std::vector<uint32_t> palette(std::size_t{1} << bits, 0u);
        reader.Seek(static_cast<std::size_t>(paletteStart));
        const std::size_t present = std::min(palette.size(), reader.Remaining() / 4);
        for (std::size_t i = 0; i < present; ++i) {
            palette[i] = reader.U32LE() & 0x00FFFFFFu;
        }
        auto indexed = std::make_unique<CIndexImage>();
        indexed->SetPalette(palette);
        image = std::move(indexed);
    } else {
        image = std::make_unique<CRgbImage>();
    }
    image->CreateUnset(h.width, static_cast<int32_t>(rows), bits);
    image->SetHasAlpha(bits == 32);
    return image;
}

void CBitMapFile::PlaceRows(IImage& image, const Headers& h, std::span<const uint8_t> rows,
                            std::size_t first) {
    // Bottom-up files are turned over on the way.
    const auto stride = static_cast<std::size_t>(RowSize(h.width, h.bitCount));
    const auto rowCount = static_cast<std::size_t>(image.GetHeight());
    for (std::size_t i = 0; i < rows.size() / stride; ++i) {
        const std::size_t stored = first + i;
        const std::size_t target = h.height > 0 ? rowCount - 1 - stored : stored;
        image.ReadBits(rows.subspan(i * stride, stride), 0, static_cast<int32_t>(target), h.width,
                       1, h.bitCount, 4);
    }
}

void CBitMapFile::Save(const IImage& image) {
    const auto* indexed = dynamic_cast<const CIndexImage*>(&image);
    int32_t bits = 8;
    if (indexed == nullptr) {
        bits = image.GetBpp() == 32 || image.HasAlpha() ? 32 : 24;
    }
    const uint32_t areaSize = indexed != nullptr ? kPaletteAreaSize : 0;
    const uint32_t dataOffset = kHeadersSize + areaSize;
    const uint32_t colors =
        indexed != nullptr
            ? static_cast<uint32_t>(std::min<std::size_t>(indexed->GetPalette().size(), 256))
            : 0;
    const int32_t width = image.GetWidth();
    const int32_t height = image.GetHeight();
    const int64_t rowSize = RowSize(width, bits);
    const auto dataSize = static_cast<uint32_t>(rowSize * height);

    std::vector<uint8_t> out;
    out.reserve(dataOffset);
    endian::AppendU16LE(out, kSignature);
    endian::AppendU32LE(out, dataSize + dataOffset);
    endian::AppendU16LE(out, 0);
    endian::AppendU16LE(out, 0);
    endian::AppendU32LE(out, dataOffset);
    endian::AppendU32LE(out, kInfoHeaderSize);
    endian::AppendU32LE(out, static_cast<uint32_t>(width));
    endian::AppendU32LE(out, static_cast<uint32_t>(height));
    endian::AppendU16LE(out, 1);
    endian::AppendU16LE(out, static_cast<uint16_t>(bits));
    endian::AppendU32LE(out, 0);
    endian::AppendU32LE(out, dataSize);
    endian::AppendU32LE(out, kPixelsPerMetre);
    endian::AppendU32LE(out, kPixelsPerMetre);
    endian::AppendU32LE(out, colors);
    endian::AppendU32LE(out, colors);
    if (indexed != nullptr) {
        for (uint32_t i = 0; i < colors; ++i) {
            endian::AppendU32LE(out, indexed->GetPalette()[i] & 0x00FFFFFFu);
        }
        out.resize(dataOffset, 0);
    }

    // Row by row from the bottom, so that no copy of the whole picture is made.
    Open(Access::kWrite);
    Write(out);
    std::vector<uint8_t> row(static_cast<std::size_t>(rowSize));
    for (int32_t y = height; y-- > 0;) {
        image.WriteBits(row, 0, y, width, 1, bits, 4);
        Write(row);
    }
    Close();
}
