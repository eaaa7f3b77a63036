#pragma once

#include <cstdint>
#include <string>

#include "image/RgbImage.h"

// Image font pictures drawn pixel by pixel for the reader's tests, independent of the writer:
// white paper, black grid lines around every cell, white margins, and the first cell's marker
// pixels as white gaps in its black grid lines.
namespace image_font_fixture {

inline constexpr uint32_t kPaper = 0xFFFFFF;
inline constexpr uint32_t kGrid = 0x000000;
inline constexpr uint32_t kInk = 0x102030;
inline constexpr uint32_t kLine = 0xFF0000;

class CellPicture {
public:
    CellPicture(int32_t bx, int32_t by, int32_t px, int32_t py) : m_px(px), m_py(py) {
        image.Create(bx * px, by * py, 24);
        image.Fill(kPaper, 0);
        for (int32_t i = 0; i < bx; ++i) {
            image.FillRect(px * i, 0, 1, by * py, kGrid, 0);
            image.FillRect(px * i + px - 1, 0, 1, by * py, kGrid, 0);
        }
        for (int32_t j = 0; j < by; ++j) {
            image.FillRect(0, py * j, bx * px, 1, kGrid, 0);
            image.FillRect(0, py * j + py - 1, bx * px, 1, kGrid, 0);
        }
        image.SetPixel(0, 0, kPaper, 0);
    }

    void MarkTop(int32_t x) { image.SetPixel(x, 0, kPaper, 0); }
    void MarkLeft(int32_t y) { image.SetPixel(0, y, kPaper, 0); }
    // A pixel of the glyph area of a cell, in glyph-area coordinates.
    void Ink(int32_t column, int32_t row, int32_t x, int32_t y, uint32_t colour = kInk) {
        image.SetPixel(m_px * column + 2 + x, m_py * row + 2 + y, colour, 0);
    }
    // Glyph-area columns [start, end) of the cell's width line.
    void WidthLine(int32_t column, int32_t row, int32_t start, int32_t end) {
        image.FillRect(m_px * column + 2 + start, m_py * row + m_py - 3, end - start, 1, kLine, 0);
    }

    CRgbImage image;

private:
    int32_t m_px;
    int32_t m_py;
};

// A letter order of `width` x `height` cells holding `cells` (one character per cell; '~' is an
// empty cell and ' ' the space, which the file gives as an element).
inline std::string LetterOrder(int32_t width, int32_t height, const std::u16string& cells) {
    std::string order;
    for (const char16_t c : cells) {
        if (c == u'~') {
            order += "<null/>";
        } else if (c == u' ') {
            order += "<sp/>";
        } else {
            order += "<code>" + std::to_string(int{c}) + "</code>";
        }
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<letter-order version=\"1.1\"><body>"
           "<area width=\"" +
           std::to_string(width) + "\" height=\"" + std::to_string(height) + "\"/><order>" + order +
           "</order></body></letter-order>\n";
}

}  // namespace image_font_fixture
