#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "image/IImage.h"
#include "platform/BinaryFile.h"

// Truevision TGA files: colour-mapped and true-colour pictures, plain or run-length encoded
// (types 1, 2, 9, 10), in any of the four row orders. Format failures are category 3.
class CTgaFile : public CBinaryFile {
public:
    struct Header {
        uint8_t idLength = 0;
        uint8_t colorMapType = 0;
        uint8_t imageType = 0;
        uint16_t firstEntry = 0;
        uint16_t colorMapLength = 0;
        uint8_t colorMapEntrySize = 0;
        uint16_t xOrigin = 0;
        uint16_t yOrigin = 0;
        uint16_t width = 0;
        uint16_t height = 0;
        uint8_t pixelDepth = 0;
        uint8_t descriptor = 0;
        bool complete = false;  // all 18 header bytes were there
    };

    static constexpr std::size_t kHeaderSize = 18;
    static constexpr std::size_t kFooterSize = 28;
    static constexpr int32_t kMaxSide = 65535;

    explicit CTgaFile(std::u16string path) : CBinaryFile(std::move(path)) {}

    // Whether the last 28 bytes are the footer with its "TRUEVISION-XFILE." signature.
    bool HasFooter();
    static bool HasFooter(std::span<const uint8_t> file);
    // Whether the header fails ValidateFormat; open and read failures still throw.
    bool HasFormatError();
    bool HasFormatError(std::span<const uint8_t> file) const;
    // Colour map presence (184, 181, 180) and size (146).
    void ValidateFormat(const Header& header) const;
    // Image type (194), colour map entry size (195), pixel depth (192), descriptor (193, 191).
    void ValidateFuture(const Header& header) const;

    // A palette picture for colour-mapped types, else a true-colour one; 32-bit entries or
    // pixels carry alpha. Pixel data that ends early or overruns fails with 146.
    std::unique_ptr<IImage> Load();
    // The same from the file's bytes; messages name this file's path.
    std::unique_ptr<IImage> Decode(std::span<const uint8_t> file) const;
    // Run-length encoded, bottom-up, with an image ID, the palette of a palette picture and
    // the footer. Sides above 65535 fail with 190.
    void Save(const IImage& image);

    static Header ParseHeader(std::span<const uint8_t> bytes);
    // The run-length packets of one picture's packed rows (row ends close every packet).
    static std::vector<uint8_t> EncodeRuns(std::span<const uint8_t> packed, int32_t width,
                                           int32_t height, int32_t bytesPerPixel);

private:
    [[noreturn]] void FailBrokenFile(const Header& header) const;
    // The parsed header once it has passed every check on it alone.
    Header CheckedHeader(std::span<const uint8_t> head) const;
    // What follows the header, from a CByteReader over the file's bytes or a CFileByteReader
    // over the open file.
    template <typename Reader>
    std::unique_ptr<IImage> DecodePixels(Reader& reader, const Header& header) const;
    // Expands the run-length packets, handing each stored row of packed pixels to `place`.
    template <typename Reader, typename Place>
    void DecodeRuns(Reader& reader, const Header& header, std::size_t pixelBytes,
                    Place place) const;
};
