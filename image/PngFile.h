#pragma once

// PNG pictures, read and written through libpng.
//
//   CPngFile(path).IsPng()    whether the file starts with the PNG signature
//   CPngFile(path).Load()     any PNG: grey 1-16 bits, palette with or without tRNS, RGB and
//                             RGBA 8 or 16 bits, Adam7 interlaced or not (see Load below)
//   CPngFile(path).Save(picture)
//   CPngFile(path).SaveRows(width, height, [&](int32_t y, std::span<uint32_t> row) {...})
//                             8-bit RGBA, one row of 0xAARRGGBB words asked for at a time, top
//                             to bottom, so a page never needs to exist whole
//   LoadPicture(path) in image/PictureFile.h detects PNG, BMP or TGA by content and loads it.
//
// Format failures are category 1 and name the file: 146 for a side beyond 16384, 423 for a
// damaged file (libpng's reason appended), 424 for a picture larger than its compressed data
// could ever hold (a decompression bomb), refused before anything is allocated.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "image/IImage.h"
#include "platform/BinaryFile.h"

class CPngFile : public CBinaryFile {
public:
    static constexpr int32_t kMaxSide = 16384;
    static constexpr std::size_t kSignatureSize = 8;

    // Fills `row` (the picture's width in words) with row `y` of the picture to write.
    using RowFiller = std::function<void(int32_t y, std::span<uint32_t> row)>;

    explicit CPngFile(std::u16string path) : CBinaryFile(std::move(path)) {}

    bool IsPng();
    static bool IsPng(std::span<const uint8_t> file);

    // A palette picture becomes a CIndexImage of its bit depth whose words are the indices and
    // whose palette entries are 0x00RRGGBB, or 0xAARRGGBB with alpha from tRNS (then the
    // picture has alpha); any other picture a CRgbImage of 32 bits with alpha when it has an
    // alpha channel or tRNS, else of 24 bits. Grey levels are spread over the three channels,
    // 16-bit samples rounded to 8. Gamma, colour profiles and every other ancillary chunk are
    // ignored. The file passes through a window, decoded row by row into the picture.
    std::unique_ptr<IImage> Load();
    // The same from the file's bytes; messages name this file's path.
    std::unique_ptr<IImage> Decode(std::span<const uint8_t> file) const;

    // 8-bit RGBA of the picture's displayed colours; alpha is the picture's when it has alpha,
    // else opaque.
    void Save(const IImage& image);
    void SaveRows(int32_t width, int32_t height, const RowFiller& fill);

private:
    template <typename Reader>
    std::unique_ptr<IImage> DecodeStream(Reader& reader) const;
    [[noreturn]] void FailDamaged(const std::u16string& reason) const;
};
