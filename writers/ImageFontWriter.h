#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/FontWriter.h"
#include "image/ImageFontCell.h"
#include "image/RgbImage.h"

class CGlyph;

// Draws a font as an image font for an artist to edit: one cell per letter order entry, each
// glyph on a common baseline with its width line under it, optional margin and grid lines, and
// marker pixels in the first cell that record the width, baseline, ascent and descent. The
// image font reader reads these conventions back.
class CImageFontWriter : public CFontWriter {
public:
    enum OutputFormat : int32_t { kByExtension = 0, kBmp = 1, kTga = 2, kPng = 3 };
    // The widest and highest picture written (280 beyond it).
    static constexpr int32_t kMaxPictureSide = 16384;

    // The writer's settings in the order the front ends give them; -1 sizes come from the font
    // and -1 margins centre the glyphs in a given cell size.
    struct Settings {
        std::u16string outputPath;
        std::u16string orderPath;
        OutputFormat outputFormat = kByExtension;
        bool drawGrid = true;
        int32_t cellWidth = -1;
        int32_t cellHeight = -1;
        int32_t leftMargin = 0;
        int32_t topMargin = 0;
        int32_t rightMargin = 0;
        int32_t bottomMargin = 0;
        uint32_t gridColor = 0x000000;
        uint32_t marginColor = 0x99AA99;
        uint32_t widthLineColor = 0xFF0000;
        uint32_t nullCellColor = 0xFF7F7F;
        uint32_t backgroundColor = 0xFFFFFF;
    };

    // Where the drawing goes inside each cell, and the cell grid.
    struct Layout {
        int32_t leftOffset = 0;
        int32_t topOffset = 0;
        int32_t contentWidth = 0;   // Wc
        int32_t contentHeight = 0;  // Hc
        int32_t baseline = 0;       // A, the font's largest glyph ascent
        image_font_cell::CellGrid grid;
    };

    explicit CImageFontWriter(Settings settings) : m_settings(std::move(settings)) {}

    void ValidateSettings() override;
    const std::u16string& GetOutputPath() const override { return m_settings.outputPath; }
    void LoadGlyphOrder(CGlyphOrder& order) override;
    // The picture with the glyph area of every cell that holds a glyph.
    FontPreview PreviewFontData(const CFontData& font, const CGlyphOrder& order) override;

    // The file format to write, the extension deciding for kByExtension (210, 211).
    OutputFormat ResolveFormat() const;
    Layout CalcLayout(const CFontData& font, const CGlyphOrder& order) const;
    std::unique_ptr<CRgbImage> BuildPicture(const CFontData& font, const CGlyphOrder& order) const;
    void DrawGlyph(IImage& picture, const Layout& layout, int32_t column, int32_t row,
                   const CGlyph& glyph) const;
    void DrawGrid(IImage& picture, const Layout& layout) const;
    void DrawArrangeInfo(IImage& picture, const Layout& layout, const CFontData& font) const;

protected:
    void WriteTarget(CFontData& font, const CGlyphOrder& order, FontPreview* written) override;

private:
    // The preview of `picture`, drawn by BuildPicture from the same font and order.
    FontPreview PreviewOfPicture(const CFontData& font, const CGlyphOrder& order,
                                 CRgbImage picture) const;

    Settings m_settings;
};
