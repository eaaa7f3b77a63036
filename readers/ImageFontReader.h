#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/FontReader.h"
#include "format/TextureFormat.h"
#include "image/IImage.h"
#include "image/ImageFontCell.h"
#include "image/PictureFile.h"
#include "image/RgbImage.h"

class CGlyphOrder;

// Reads an image font: a PNG, BMP or TGA picture divided into equal cells, one character per cell
// as a letter order file says. Each cell holds a grid line, a margin, the glyph area, a margin,
// the width line row, a margin and the grid line again; marker pixels on the outer edges of the
// first cell give the font's width, baseline, ascent and descent.
class CImageFontReader : public CFontReader {
public:
    using ImageFormat = PictureFormat;

    // Font metrics read from the marker pixels; -1 where nothing is marked.
    struct ArrangeInfo {
        int32_t width = -1;
        int32_t ascent = -1;
        int32_t descent = -1;
        int32_t baseline = 0;
    };

    struct Settings {
        std::u16string imagePath;
        std::u16string orderPath;
        // The format the glyphs take on: it decides how colours and alpha are read.
        TextureFormat format = kTexI4;
        // Recolour transparent pixels around the glyphs for bilinear filtering.
        bool linearAssist = false;
    };

    explicit CImageFontReader(Settings settings);
    ~CImageFontReader() override;

    void ValidateInput() override;
    void ReadFontData(CFontData& font, const CCharFilter& filter) override;

    // PNG, BMP or TGA by content; the file's extension plays no part.
    static ImageFormat DetectFormat(const std::u16string& path);
    static std::unique_ptr<IImage> LoadImageW(const std::u16string& path, ImageFormat format);
    // The block counts of a letter order, refusing one without cells before anything is
    // divided by them.
    static image_font_cell::CellGrid GridOf(const CGlyphOrder& order, const IImage& image);
    // The picture must divide into cells of at least 5 x 7 pixels.
    static void ValidateImageFontFile(const IImage& image, int32_t bx, int32_t by);
    // True when the margin lines of the rectangle (top, two rows near the bottom, both sides)
    // are all of one colour.
    static bool CheckMargin(const IImage& image, int32_t x, int32_t y, int32_t w, int32_t h);
    // Recolours transparent pixels next to opaque ones with their neighbours' average, so that
    // bilinear filtering blends towards the glyph's own colour.
    static void AssistLinear(IImage& picture);

    // Colours and alpha as the texture format will hold them, in the source's own words, which
    // then move to `work` (the source is left empty); returns the background word.
    uint32_t ConvertImage(CRgbImage& work, IImage& source) const;
    static ArrangeInfo LoadArrangeInfo(const IImage& image, const image_font_cell::CellGrid& grid);
    void LoadOneGlyph(CFontData& font, const IImage& image, const image_font_cell::CellGrid& grid,
                      int32_t column, int32_t row, uint16_t code, int32_t baseline,
                      uint32_t background) const;
    void CheckNullCell(const IImage& image, const image_font_cell::CellGrid& grid, int32_t column,
                       int32_t row, uint32_t background) const;

private:
    bool HasAlphaFormat() const;
    // Reads the picture file once, decoded into m_picture.
    void LoadPicture();

    Settings m_settings;
    // Kept from ValidateInput for ReadFontData, which lets go of them: the picture is decoded
    // and the letter order parsed once a run.
    ImageFormat m_format = ImageFormat::kUndetected;
    std::unique_ptr<IImage> m_picture;
    std::unique_ptr<CGlyphOrder> m_order;
};
