#include "readers/ImageFontReader.h"

#include <algorithm>
#include <vector>

#include "base/GlobalException.h"
#include "core/FontData.h"
#include "core/PgCtrl.h"
#include "format/TextureFormat.h"
#include "image/ConvertWords.h"
#include "image/ImageFontCell.h"
#include "image/IndexImage.h"
#include "image/PictureFile.h"
#include "platform/MemoryPages.h"
#include "xml/CharFilter.h"
#include "xml/GlyphOrder.h"
#include "xml/OrderFileCheck.h"

namespace {

using image_font_cell::CellGrid;
using image_font_cell::kAreaOffset;
using image_font_cell::kExtraHeight;
using image_font_cell::kExtraWidth;

// The displayed colour and the alpha of every pixel of a picture, without a virtual call per
// pixel; a palette picture's alpha is that of its palette entry.
struct PixelSource {
    explicit PixelSource(const IImage& image) : words(image.Pixels()) {
        if (const auto* indexed = dynamic_cast<const CIndexImage*>(&image)) {
            palette = indexed->GetPalette();
            isIndexed = true;
        }
    }
    uint32_t Entry(std::size_t i) const {
        const uint32_t value = words[i] & 0x00FFFFFFu;
        return value < palette.size() ? palette[value] : 0u;
    }
    uint32_t Rgb(std::size_t i) const { return (isIndexed ? Entry(i) : words[i]) & 0x00FFFFFFu; }
    uint32_t Alpha(std::size_t i) const { return (isIndexed ? Entry(i) : words[i]) >> 24; }
    uint32_t Value(std::size_t i) const { return words[i] & 0x00FFFFFFu; }

    std::span<const uint32_t> words;
    std::span<const uint32_t> palette;
    bool isIndexed = false;
};

// A value of `kBits` bits widened to eight by repeating its bits, as x * 255 / (2^kBits - 1)
// does for four and eight bits; shifts keep the conversion loops free of multiplications.
template <uint32_t kBits>
uint32_t Widen(uint32_t value) {
    return kBits == 4 ? (value << 4) | value : value;
}

// An alpha of 0-255 as a format with `kBits` of alpha keeps it, back on 0-255, as the top byte.
template <uint32_t kBits>
uint32_t AlphaWord(uint32_t alpha) {
    const uint32_t kept = alpha >> (8 - kBits);
    return (kBits == 3 ? kept * 255 / 7 : Widen<kBits>(kept)) << 24;
}

// A level of `kBits` back on 0-255 in every colour channel; a palette picture's index serves
// as its level, so larger values are cut to a byte.
template <uint32_t kBits>
uint32_t LevelWord(uint32_t level) {
    return ((kBits == 4 ? level * 255 / 15 : level) & 0xFFu) * 0x010101u;
}

// The grey of a colour as an intensity format of `kBits` keeps it, in every colour channel.
template <uint32_t kBits>
uint32_t GreyWord(uint32_t rgb) {
    const uint32_t sum = ((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF);
    // sum / 3, exact for every sum of three bytes.
    const uint32_t grey = Widen<kBits>(((sum * 683) >> 11) >> (8 - kBits));
    return grey | (grey << 8) | (grey << 16);
}

// The positions along one marker edge, grouped by the first and the second colour met.
struct MarkerLists {
    std::vector<int32_t> first;
    std::vector<int32_t> second;
};

// Walks the first row (vertical false) or column of the picture from `start` to `end`
// inclusive; a third colour fails with `message`.
MarkerLists ReadMarkers(const IImage& image, bool vertical, int32_t start, int32_t end,
                        int message) {
    MarkerLists lists;
    uint32_t firstColour = 0;
    uint32_t secondColour = 0;
    for (int32_t i = start; i <= end; ++i) {
        const uint32_t c = vertical ? image.GetRgb(0, i) : image.GetRgb(i, 0);
        if (lists.first.empty() || c == firstColour) {
            firstColour = c;
            lists.first.push_back(i);
        } else if (lists.second.empty() || c == secondColour) {
            secondColour = c;
            lists.second.push_back(i);
        } else {
            TL_THROW(kErrImage, message);
        }
    }
    return lists;
}

}  // namespace

CImageFontReader::CImageFontReader(Settings settings) : m_settings(std::move(settings)) {}

CImageFontReader::~CImageFontReader() = default;

bool CImageFontReader::HasAlphaFormat() const {
    return m_settings.format == kTexIA4 || m_settings.format == kTexIA8 ||
           m_settings.format == kTexRGB5A3 || m_settings.format == kTexRGBA8;
}

CImageFontReader::ImageFormat CImageFontReader::DetectFormat(const std::u16string& path) {
    return DetectPictureFormat(path);
}

std::unique_ptr<IImage> CImageFontReader::LoadImageW(const std::u16string& path,
                                                     ImageFormat format) {
    return ::LoadPicture(path, format);
}

void CImageFontReader::LoadPicture() {
    m_format = DetectFormat(m_settings.imagePath);
    m_picture = LoadImageW(m_settings.imagePath, m_format);
}

CellGrid CImageFontReader::GridOf(const CGlyphOrder& order, const IImage& image) {
    // An order without cells has no rows to divide the picture by.
    if (order.GetWidth() < 1) {
        TL_THROW(kErrXml, 155, order.GetWidth());
    }
    if (order.GetHeight() < 1) {
        TL_THROW(kErrXml, 154, order.GetHeight());
    }
    const int32_t bx = order.GetWidth();
    const int32_t by = order.GetHeight();
    return CellGrid::OfArea(bx, by, image.GetWidth() / bx - kExtraWidth,
                            image.GetHeight() / by - kExtraHeight);
}

void CImageFontReader::ValidateImageFontFile(const IImage& image, int32_t bx, int32_t by) {
    const int32_t width = image.GetWidth();
    const int32_t height = image.GetHeight();
    const int32_t px = width / bx;
    const int32_t py = height / by;
    if (px - kExtraWidth < 1) {
        TL_THROW(kErrImage, 204, width, int64_t{kExtraWidth} * bx);
    }
    if (py - kExtraHeight < 1) {
        TL_THROW(kErrImage, 203, height, int64_t{kExtraHeight} * by);
    }
    if (px * bx != width) {
        TL_THROW(kErrImage, 162, width, bx);
    }
    if (py * by != height) {
        TL_THROW(kErrImage, 161, height, by);
    }
}

bool CImageFontReader::CheckMargin(const IImage& image, int32_t x, int32_t y, int32_t w,
                                   int32_t h) {
    const PixelSource from(image);
    const auto stride = static_cast<std::size_t>(image.GetWidth());
    const auto rgbAt = [&](int32_t px, int32_t py) {
        return from.Rgb(static_cast<std::size_t>(py) * stride + static_cast<std::size_t>(px));
    };
    const uint32_t c = rgbAt(x, y);
    for (const int32_t row : {y, y + h - 3, y + h - 1}) {
        for (int32_t i = x; i < x + w; ++i) {
            if (rgbAt(i, row) != c) {
                return false;
            }
        }
    }
    for (const int32_t column : {x, x + w - 1}) {
        for (int32_t j = y; j < y + h; ++j) {
            if (rgbAt(column, j) != c) {
                return false;
            }
        }
    }
    return true;
}

void CImageFontReader::ValidateInput() {
    if (!IsFileExists(m_settings.imagePath)) {
        TL_THROW(kErrInputValue, 131, m_settings.imagePath);
    }
    m_picture.reset();
    LoadPicture();
    const IImage& image = *m_picture;
    m_order = std::make_unique<CGlyphOrder>();
    LoadOrderFile(m_settings.orderPath, *m_order);
    const CGlyphOrder& order = *m_order;
    const CellGrid grid = GridOf(order, image);
    ValidateImageFontFile(image, grid.bx, grid.by);

    g_pPgCtrl->SetProgressRange(grid.bx * grid.by);
    for (int32_t row = 0; row < grid.by; ++row) {
        for (int32_t column = 0; column < grid.bx; ++column) {
            g_pPgCtrl->StepProgress(1);
            if (order.GetCharCode(column, row) == CGlyphOrder::NullCode) {
                continue;
            }
            const int32_t x0 = grid.px * column;
            const int32_t y0 = grid.py * row;
            if (!CheckMargin(image, x0 + 1, y0 + 1, grid.px - 2, grid.py - 2)) {
                ReportWarning(g_pPgCtrl, 266, {x0 + grid.px / 2, y0 + grid.py / 2});
            }
        }
    }
}

uint32_t CImageFontReader::ConvertImage(CRgbImage& work, IImage& source) const {
    const PixelSource from(source);
    const std::span<uint32_t> words = source.Pixels();
    const std::size_t count = words.size();

    // Alpha from the picture, or keyed on the background colour: settled before any word
    // changes, since the words are converted where they lie.
    bool keyed = true;
    if (HasAlphaFormat() && source.HasAlpha() && count > 0) {
        const uint32_t first = from.Alpha(0);
        bool uniform = true;
        for (std::size_t i = 1; i < count && uniform; ++i) {
            uniform = from.Alpha(i) == first;
        }
        if (uniform) {
            ReportWarning(g_pPgCtrl, 264);
        } else {
            keyed = false;
        }
    }
    const int32_t alphaBits = m_settings.format == kTexIA4      ? 4
                              : m_settings.format == kTexRGB5A3 ? 3
                                                                : 8;
    const bool intensity = m_settings.format == kTexI4 || m_settings.format == kTexI8 ||
                           m_settings.format == kTexIA4 || m_settings.format == kTexIA8;
    const bool fourBits = m_settings.format == kTexI4 || m_settings.format == kTexIA4;

    // `colourOf` and `alphaOf` take a word of the source: the colour as the format keeps it,
    // and the alpha word to add when the picture's alpha is used.
    const auto convert = [&](auto colourOf, auto alphaOf) {
        if (count == 0) {
            return;
        }
        if (keyed) {
            const uint32_t background = colourOf(words[0]);
            ConvertWords(words, [=](uint32_t w) {
                const uint32_t colour = colourOf(w);
                return colour | (colour == background ? 0u : 0xFF000000u);
            });
            return;
        }
        ConvertWords(words, [=](uint32_t w) { return colourOf(w) | alphaOf(w); });
    };
    const auto withAlpha = [&](auto colourOf) {
        switch (alphaBits) {
            case 4:
                return convert(colourOf, [](uint32_t w) { return AlphaWord<4>(w >> 24); });
            case 3:
                return convert(colourOf, [](uint32_t w) { return AlphaWord<3>(w >> 24); });
            default:
                return convert(colourOf, [](uint32_t w) { return AlphaWord<8>(w >> 24); });
        }
    };
    if (from.isIndexed) {
        // Palette pictures (rare in image fonts) take the plain way, through their entries;
        // in intensity formats the index itself is the level.
        const std::span<const uint32_t> palette = from.palette;
        const auto entry = [palette](uint32_t w) {
            const uint32_t index = w & 0x00FFFFFFu;
            return index < palette.size() ? palette[index] : 0u;
        };
        convert(
            [=](uint32_t w) {
                return !intensity ? entry(w) & 0x00FFFFFFu
                       : fourBits ? LevelWord<4>(w & 0x00FFFFFFu)
                                  : LevelWord<8>(w & 0x00FFFFFFu);
            },
            [=](uint32_t w) {
                const uint32_t alpha = entry(w) >> 24;
                return alphaBits == 4   ? AlphaWord<4>(alpha)
                       : alphaBits == 3 ? AlphaWord<3>(alpha)
                                        : AlphaWord<8>(alpha);
            });
    } else if (!intensity) {
        withAlpha([](uint32_t w) { return w & 0x00FFFFFFu; });
    } else if (fourBits) {
        withAlpha([](uint32_t w) { return GreyWord<4>(w); });
    } else {
        withAlpha([](uint32_t w) { return GreyWord<8>(w); });
    }
    source.MoveWordsTo(work, 24);
    work.SetHasAlpha(true);
    return count > 0 ? work.Pixels()[0] : 0u;
}

CImageFontReader::ArrangeInfo CImageFontReader::LoadArrangeInfo(const IImage& image,
                                                                const CellGrid& grid) {
    ArrangeInfo info;
    const MarkerLists top = ReadMarkers(image, false, 1, grid.px - 2, 144);
    if (top.second.size() == 2) {
        info.width = top.second[1] - top.second[0] - 1;
    } else if (top.first.size() == 2) {
        info.width = top.first[1] - top.first[0] - 1;
    } else if (!top.first.empty() && !top.second.empty()) {
        TL_THROW(kErrImage, 144);
    }

    const MarkerLists left = ReadMarkers(image, true, 1, grid.py - 4, 147);
    if (left.first.size() == left.second.size()) {
        TL_THROW(kErrImage, 219);
    }
    const std::vector<int32_t>& m =
        left.first.size() < left.second.size() ? left.first : left.second;
    switch (m.size()) {
        case 0:
            TL_THROW(kErrImage, 163);
        case 1:
            info.baseline = m[0] - kAreaOffset;
            break;
        case 2:
            info.baseline = m[1] - kAreaOffset;
            info.ascent = m[1] - m[0] - 1;
            info.descent = 0;
            break;
        case 3:
            info.baseline = m[1] - kAreaOffset;
            info.ascent = m[1] - m[0] - 1;
            info.descent = m[2] - m[1];
            break;
        default:
            TL_THROW(kErrImage, 147);
    }
    return info;
}

void CImageFontReader::AssistLinear(IImage& picture) {
    const int32_t width = picture.GetWidth();
    const int32_t height = picture.GetHeight();
    // The unchanged words with a transparent ring, so every pixel has eight neighbours.
    const int32_t stride = width + 2;
    std::vector<uint32_t> copy(
        static_cast<std::size_t>(stride) * static_cast<std::size_t>(height + 2), 0u);
    const std::span<uint32_t> pixels = picture.Pixels();
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            copy[static_cast<std::size_t>((y + 1) * stride + x + 1)] =
                pixels[static_cast<std::size_t>(y * width + x)];
        }
    }
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            uint32_t& word = pixels[static_cast<std::size_t>(y * width + x)];
            if ((word >> 24) != 0) {
                continue;
            }
            uint32_t n = 0;
            uint32_t sums[3] = {0, 0, 0};
            for (int32_t dy = 0; dy < 3; ++dy) {
                for (int32_t dx = 0; dx < 3; ++dx) {
                    const uint32_t near =
                        copy[static_cast<std::size_t>((y + dy) * stride + x + dx)];
                    if ((dx == 1 && dy == 1) || (near >> 24) == 0) {
                        continue;
                    }
                    ++n;
                    sums[0] += (near >> 16) & 0xFF;
                    sums[1] += (near >> 8) & 0xFF;
                    sums[2] += near & 0xFF;
                }
            }
            if (n == 0) {
                continue;
            }
            const uint32_t rgb = (((sums[0] + n / 2) / n) << 16) | (((sums[1] + n / 2) / n) << 8) |
                                 ((sums[2] + n / 2) / n);
            word = (word & 0xFF000000u) | rgb;
        }
    }
}

void CImageFontReader::LoadOneGlyph(CFontData& font, const IImage& image, const CellGrid& grid,
                                    int32_t column, int32_t row, uint16_t code, int32_t baseline,
                                    uint32_t background) const {
    const int32_t x0 = grid.AreaLeft(column);
    const int32_t y0 = grid.AreaTop(row);
    const std::span<const uint32_t> widthLine = image.Pixels().subspan(
        static_cast<std::size_t>(y0 + grid.gh + 1) * static_cast<std::size_t>(image.GetWidth()) +
            static_cast<std::size_t>(x0),
        static_cast<std::size_t>(grid.gw));
    auto glyph = std::make_unique<CGlyph>();
    bool lined = false;
    if (m_settings.linearAssist && HasAlphaFormat()) {
        // The area with a ring of transparent background, recoloured on its own.
        std::unique_ptr<IImage> area = image.CreateSame();
        area->Create(grid.gw + 2, grid.gh + 2, image.GetBpp());
        area->Fill(background, 0);
        area->CopyRect(image, x0, y0, 1, 1, grid.gw, grid.gh);
        AssistLinear(*area);
        lined = glyph->SetFromCell(*area, ImageRect{0, 0, grid.gw + 2, grid.gh + 2}, widthLine,
                                   baseline + 1, background);
    } else {
        // Cropped straight from the picture.
        lined = glyph->SetFromCell(image, ImageRect{x0, y0, x0 + grid.gw, y0 + grid.gh}, widthLine,
                                   baseline, background);
    }
    if (!lined) {
        TL_THROW(kErrImage, 160, grid.px * column + grid.px / 2, grid.py * row + grid.py / 2);
    }
    if (glyph->leftSpace == 0 && glyph->rightSpace == 0 && glyph->image.GetWidth() == 0) {
        return;
    }
    font.AddGlyph(std::move(glyph), code);
}

void CImageFontReader::CheckNullCell(const IImage& image, const CellGrid& grid, int32_t column,
                                     int32_t row, uint32_t background) const {
    const int32_t x0 = grid.AreaLeft(column);
    const int32_t y0 = grid.AreaTop(row);
    const uint32_t first = image.GetWord(x0, y0);
    bool clean = true;
    for (int32_t y = y0; y < y0 + grid.gh && clean; ++y) {
        for (int32_t x = x0; x < x0 + grid.gw && clean; ++x) {
            clean = image.GetWord(x, y) == first;
        }
    }
    for (int32_t x = x0; x < x0 + grid.gw && clean; ++x) {
        clean = image.GetWord(x, y0 + grid.gh + 1) == background;
    }
    if (!clean) {
        ReportWarning(
            g_pPgCtrl, 261,
            {grid.px * column + grid.px / 2, grid.py * row + grid.py / 2, m_settings.orderPath});
    }
}

void CImageFontReader::ReadFontData(CFontData& font, const CCharFilter& filter) {
    g_pPgCtrl->SetStatus(246);
    g_pPgCtrl->ResetProgress();
    font.glyphImageFormat.Set(m_settings.format);

    // Without ValidateInput before (or on a second read), the files are read now.
    if (!m_picture) {
        LoadPicture();
    }
    g_pPgCtrl->SetStatus(m_format == ImageFormat::kTga   ? 248
                         : m_format == ImageFormat::kPng ? 420
                                                         : 246);
    g_pPgCtrl->ResetProgress();
    if (!m_order) {
        m_order = std::make_unique<CGlyphOrder>();
        m_order->Load(m_settings.orderPath);
    }
    // The picture becomes the working picture and the order is let go at the end: the run
    // holds one decoded picture, and only while it reads.
    const std::unique_ptr<IImage> source = std::move(m_picture);
    const std::unique_ptr<CGlyphOrder> kept = std::move(m_order);
    const CGlyphOrder& order = *kept;

    CRgbImage work;
    const uint32_t background = ConvertImage(work, *source);
    font.backgroundColor.Set(background);

    const CellGrid grid = GridOf(order, work);
    ValidateImageFontFile(work, grid.bx, grid.by);
    const ArrangeInfo info = LoadArrangeInfo(work, grid);
    if (info.width > 0) {
        font.width.Set(info.width);
        font.widthFromSource = true;
    } else {
        font.width.Set(grid.gw);
    }
    if (info.ascent >= 0 && info.descent >= 0) {
        font.ascent.Set(info.ascent);
        font.descent.Set(info.descent);
        font.ascentDescentFromSource = true;
    } else {
        font.ascent.Set(info.baseline);
        font.descent.Set(grid.gh - info.baseline);
    }

    g_pPgCtrl->SetProgressRange(grid.bx * grid.by);
    for (int32_t row = 0; row < grid.by; ++row) {
        for (int32_t column = 0; column < grid.bx; ++column) {
            g_pPgCtrl->StepProgress(1);
            const uint16_t code = order.GetCharCode(column, row);
            if (code == CGlyphOrder::NullCode) {
                CheckNullCell(work, grid, column, row, background);
            } else if (!filter.IsExcluded(code)) {
                LoadOneGlyph(font, work, grid, column, row, code, info.baseline, background);
            }
        }
        // The rows of read cells are not looked at again: their memory goes back while the
        // glyphs taken from them grow, so the run's peak is not the picture plus every glyph.
        const std::span<uint32_t> done = work.Pixels().first(
            static_cast<std::size_t>(grid.py) * static_cast<std::size_t>(row + 1) *
            static_cast<std::size_t>(work.GetWidth()));
        ReleaseMemoryPages(done.data(), done.size_bytes());
    }
}
