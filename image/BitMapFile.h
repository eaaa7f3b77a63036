#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "image/IImage.h"
#include "platform/BinaryFile.h"

// Windows bitmap files: uncompressed 1, 4, 8, 24 and 32 bits per pixel, any information header
// of 40 bytes or more. Every format failure is category 2 naming the file.
class CBitMapFile : public CBinaryFile {
public:
    // The 14-byte file header and the first 40 bytes of the information header, plus the
    // colour masks that follow them when the file has them (0 otherwise).
    struct Headers {
        uint16_t type = 0;
        uint32_t fileSize = 0;
        uint16_t reserved1 = 0;
        uint16_t reserved2 = 0;
        uint32_t dataOffset = 0;
        uint32_t headerSize = 0;
        int32_t width = 0;
        int32_t height = 0;
        uint16_t planes = 0;
        uint16_t bitCount = 0;
        uint32_t compression = 0;
        uint32_t imageSize = 0;
        uint32_t colorsUsed = 0;
        uint32_t colorsImportant = 0;
        uint32_t redMask = 0;
        uint32_t greenMask = 0;
        uint32_t blueMask = 0;
        uint32_t alphaMask = 0;
        bool complete = false;  // all 54 header bytes were there
    };

    static constexpr uint32_t kFileHeaderSize = 14;
    static constexpr uint32_t kInfoHeaderSize = 40;
    static constexpr uint32_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;

    explicit CBitMapFile(std::u16string path) : CBinaryFile(std::move(path)) {}

    // Whether the file starts with "BM"; nothing else is looked at.
    bool IsBmp();
    static bool IsBmp(std::span<const uint8_t> file);
    // Whether the headers fail ValidateFormat; open and read failures still throw.
    bool HasFormatError();
    bool HasFormatError(std::span<const uint8_t> file) const;
    // Signature, reserved fields, offsets (149) and size (146).
    void ValidateFormat(const Headers& headers) const;
    // Depth (107), then compression and planes (217).
    void ValidateFuture(const Headers& headers) const;

    // A palette picture below 16 bits per pixel, else a true-colour one; 32 bits carry alpha.
    // The pixel rows are read a few at a time, so the file is never held whole beside the
    // picture.
    std::unique_ptr<IImage> Load();
    // The same from the file's bytes; messages name this file's path.
    std::unique_ptr<IImage> Decode(std::span<const uint8_t> file) const;
    // Palette pictures are written at 8 bits with a 256-entry palette area, true-colour ones
    // at 24 bits, or 32 when the picture is 32 bits or has alpha; rows bottom-up.
    void Save(const IImage& image);

    static Headers ParseHeaders(std::span<const uint8_t> bytes);

private:
    // The first bytes of the file, as many as ParseHeaders looks at.
    std::vector<uint8_t> ReadHeaderBytes();
    // Checks the headers of a file of `fileSize` bytes whose first bytes are `head` (at least
    // up to the pixels and past the palette, as far as the file goes) and makes the picture
    // with its palette; its pixels are left for PlaceRows.
    std::unique_ptr<IImage> Begin(std::span<const uint8_t> head, std::size_t fileSize,
                                  Headers& headers) const;
    // Unpacks whole stored rows, the first being stored row `first`, into their picture rows.
    static void PlaceRows(IImage& image, const Headers& headers, std::span<const uint8_t> rows,
                          std::size_t first);
};
