#include "platform/FontService.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_GLYPH_H
#include FT_STROKER_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <climits>
#include <optional>
#include <vector>

#include "platform/FontCatalog.h"

namespace {

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
struct StrokerDeleter {
    void operator()(FT_Stroker stroker) const { FT_Stroker_Done(stroker); }
};
struct GlyphDeleter {
    void operator()(FT_Glyph glyph) const { FT_Done_Glyph(glyph); }
};
using LibraryPtr = std::unique_ptr<FT_LibraryRec_, LibraryDeleter>;
using FacePtr = std::unique_ptr<FT_FaceRec_, FaceDeleter>;
using StrokerPtr = std::unique_ptr<FT_StrokerRec_, StrokerDeleter>;
using GlyphPtr = std::unique_ptr<FT_GlyphRec_, GlyphDeleter>;

// The largest pixel size the rasteriser accepts.
constexpr int64_t kMaxPpem = 0xFFFF;
// No picture of the font model may hold more pixels than a 16384 x 16384 sheet, so a bitmap
// beyond that can never become a glyph.
constexpr int64_t kMaxBitmapBytes = int64_t{16384} * 16384;
// Used when a size of 0 asks for the default.
constexpr int64_t kDefaultPpem = 12;

enum class SlotContent { kNothing, kGray, kMono };

// round(value * numerator / denominator), halves up; the denominator is positive.
int32_t ScaleRounded(int64_t value, int64_t numerator, int64_t denominator) {
    const int64_t n = 2 * value * numerator + denominator;
    const int64_t d = 2 * denominator;
    const int64_t q = n / d;
    return static_cast<int32_t>((n % d != 0 && n < 0) ? q - 1 : q);
}

int32_t RoundPixels26Dot6(FT_Pos value) {
    return static_cast<int32_t>((value + 32) >> 6);
}
int32_t RoundPixels16Dot16(FT_Fixed value) {
    return static_cast<int32_t>((value + 0x8000) >> 16);
}

// The bitmap's row `y`, counted from the top whichever way its rows run in memory.
const uint8_t* BitmapRow(const FT_Bitmap& bitmap, uint32_t y) {
    const int64_t pitch = bitmap.pitch;
    const int64_t row = pitch >= 0 ? int64_t{y} : int64_t{bitmap.rows} - 1 - y;
    return bitmap.buffer + row * (pitch >= 0 ? pitch : -pitch);
}

// 256 coverage levels to 17 or 65, rounding to the nearest.
constexpr std::array<uint8_t, 256> CoverageTable(int top) {
    std::array<uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c) {
        table[static_cast<std::size_t>(c)] = static_cast<uint8_t>((c * top + 127) / 255);
    }
    return table;
}
constexpr std::array<uint8_t, 256> kTo17 = CoverageTable(16);
constexpr std::array<uint8_t, 256> kTo65 = CoverageTable(64);

}  // namespace

struct CFontService::State {
    LibraryPtr library;
    FacePtr face;
    TextMetrics metrics;
    // The glyph index of every code unit, from one walk of the face's character map: a
    // conversion asks for all 65,534 codes, and most faces map a few thousand.
    std::vector<FT_UInt> indices;
    FT_UInt slotIndex = 0;
    SlotContent slotContent = SlotContent::kNothing;
    // The stroker, when glyphs are stroked, and the ring of glyph `ringIndex` (0: none held).
    StrokerPtr stroker;
    FT_UInt ringIndex = 0;
    std::vector<uint8_t> ringBytes;
    ByteRows ringRows;
    GlyphMetrics ringMetrics;

    FT_UInt CharIndex(char16_t code) const { return indices.empty() ? 0 : indices[code]; }

    void MapCodes() {
        indices.assign(std::size_t{0x10000}, 0);
        FT_UInt index = 0;
        for (FT_ULong code = FT_Get_First_Char(face.get(), &index); index != 0 && code <= 0xFFFF;
             code = FT_Get_Next_Char(face.get(), code, &index)) {
            indices[code] = index;
        }
    }

    // Renders the glyph into the slot unless it holds that rendering already, and its ring when
    // a stroker is set. Loading and then rendering is what FT_LOAD_RENDER does in one call.
    FT_GlyphSlot Render(FT_UInt index, SlotContent content) {
        if (slotContent == content && slotIndex == index) {
            return face->glyph;
        }
        slotContent = SlotContent::kNothing;
        ringIndex = 0;
        const bool mono = content == SlotContent::kMono;
        const FT_Int32 flags =
            FT_LOAD_NO_BITMAP | (mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
        const FT_Render_Mode mode = mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL;
        if (FT_Load_Glyph(face.get(), index, flags) != 0) {
            return nullptr;
        }
        if (stroker && !StrokeSlot(mode)) {
            return nullptr;
        }
        if (face->glyph->format != FT_GLYPH_FORMAT_BITMAP &&
            FT_Render_Glyph(face->glyph, mode) != 0) {
            return nullptr;
        }
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        const unsigned char pixelMode = mono ? FT_PIXEL_MODE_MONO : FT_PIXEL_MODE_GRAY;
        if (!Usable(bitmap, pixelMode)) {
            return nullptr;
        }
        slotIndex = index;
        slotContent = content;
        ringIndex = stroker ? index : 0;
        return face->glyph;
    }

    // A rendering of the expected kind that a glyph of the font model can hold.
    static bool Usable(const FT_Bitmap& bitmap, unsigned char pixelMode) {
        const bool empty = bitmap.width == 0 || bitmap.rows == 0;
        if (!empty && (bitmap.pixel_mode != pixelMode || bitmap.buffer == nullptr)) {
            return false;
        }
        return int64_t{bitmap.width} * bitmap.rows <= kMaxBitmapBytes;
    }

    // What the stroker holds after parsing an outline, as an outline glyph, rendered: one
    // border alone (`border` set), filled, or both borders (the band within the radius of every
    // contour). This is the export that FT_Glyph_StrokeBorder and FT_Glyph_Stroke make after a
    // parse of their own, so one parse serves both renderings. Null on failure.
    GlyphPtr RenderedStroke(std::optional<FT_StrokerBorder> border, FT_Render_Mode mode) const {
        FT_UInt points = 0;
        FT_UInt contours = 0;
        // As in those two functions, a border the stroker could not close exports as empty.
        if (border) {
            (void)FT_Stroker_GetBorderCounts(stroker.get(), *border, &points, &contours);
        } else {
            (void)FT_Stroker_GetCounts(stroker.get(), &points, &contours);
        }
        FT_Glyph made = nullptr;
        if (FT_New_Glyph(library.get(), FT_GLYPH_FORMAT_OUTLINE, &made) != 0) {
            return nullptr;
        }
        GlyphPtr owned(made);
        FT_Outline& outline = reinterpret_cast<FT_OutlineGlyph>(made)->outline;
        if (FT_Outline_New(library.get(), points, static_cast<FT_Int>(contours), &outline) != 0) {
            return nullptr;
        }
        outline.n_points = 0;
        outline.n_contours = 0;
        if (border) {
            FT_Stroker_ExportBorder(stroker.get(), *border, &outline);
        } else {
            FT_Stroker_Export(stroker.get(), &outline);
        }
        // FreeType's two-level rasteriser gives up (a raster overflow) on the strokes of some
        // glyphs of many crossing contours, such as a snowman or a keyboard at a wide pen; the
        // gray one draws them, and StrokeSlot takes its coverage to two levels.
        FT_Glyph rendered = made;
        bool gray = mode != FT_RENDER_MODE_MONO;
        if (FT_Glyph_To_Bitmap(&rendered, mode, nullptr, false) != 0) {
            if (gray || FT_Glyph_To_Bitmap(&rendered, FT_RENDER_MODE_NORMAL, nullptr, false) != 0) {
                return nullptr;
            }
            gray = true;
        }
        owned.reset(rendered);
        const FT_Bitmap& bitmap = reinterpret_cast<const FT_BitmapGlyphRec*>(rendered)->bitmap;
        return Usable(bitmap, gray ? FT_PIXEL_MODE_GRAY : FT_PIXEL_MODE_MONO) ? std::move(owned)
                                                                              : nullptr;
    }

    // Strokes the outline loaded in the slot into the ring, one byte per pixel: the larger
    // coverage of the band and of the grown glyph (the outside border filled). Where the pen is
    // wider than a tight curve or a small counter, the stroker turns an offset inside out and
    // the nonzero fill leaves a hole, the band in tight hooks and the grown glyph in small
    // counters; each covers the other's. A slot without an outline has no ring.
    bool StrokeSlot(FT_Render_Mode mode) {
        ringRows = ByteRows{};
        ringMetrics = GlyphMetrics{};
        if (face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
            return true;
        }
        // The stroker's parse is most of the cost of an outlined glyph: it runs once.
        FT_Outline* source = &face->glyph->outline;
        if (FT_Stroker_ParseOutline(stroker.get(), source, false) != 0) {
            return false;
        }
        const GlyphPtr parts[] = {RenderedStroke(std::nullopt, mode),
                                  RenderedStroke(FT_Outline_GetOutsideBorder(source), mode)};
        int64_t left = INT32_MAX, top = INT32_MIN, right = INT32_MIN, bottom = INT32_MAX;
        for (const GlyphPtr& part : parts) {
            if (!part) {
                return false;
            }
            const auto* glyph = reinterpret_cast<const FT_BitmapGlyphRec*>(part.get());
            if (glyph->bitmap.width == 0 || glyph->bitmap.rows == 0) {
                continue;
            }
            left = std::min<int64_t>(left, glyph->left);
            right = std::max<int64_t>(right, int64_t{glyph->left} + glyph->bitmap.width);
            top = std::max<int64_t>(top, glyph->top);
            bottom = std::min<int64_t>(bottom, int64_t{glyph->top} - glyph->bitmap.rows);
        }
        if (left >= right || (right - left) * (top - bottom) > kMaxBitmapBytes) {
            return left >= right;
        }
        const auto width = static_cast<int32_t>(right - left);
        const auto height = static_cast<int32_t>(top - bottom);
        ringBytes.assign(std::size_t(width) * std::size_t(height), 0);
        const bool mono = mode == FT_RENDER_MODE_MONO;
        for (const GlyphPtr& part : parts) {
            const auto* glyph = reinterpret_cast<const FT_BitmapGlyphRec*>(part.get());
            const FT_Bitmap& bitmap = glyph->bitmap;
            const bool bits = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
            for (uint32_t y = 0; y < bitmap.rows; ++y) {
                const uint8_t* from = BitmapRow(bitmap, y);
                uint8_t* to = ringBytes.data() + std::size_t(top - glyph->top + y) * width +
                              std::size_t(glyph->left - left);
                for (uint32_t x = 0; x < bitmap.width; ++x) {
                    // Two levels become the ends of the coverage range; a gray rendering in
                    // place of a two-level one inks the pixels it covers at least half.
                    // A two-level row holds a bit a pixel: its bytes end at width / 8.
                    uint8_t coverage = 0;
                    if (bits) {
                        coverage = (from[x >> 3] & (0x80u >> (x & 7))) != 0 ? 255 : 0;
                    } else {
                        coverage = from[x];
                        if (mono) {
                            coverage = coverage >= 128 ? 255 : 0;
                        }
                    }
                    to[x] = std::max(to[x], coverage);
                }
            }
        }
        ringMetrics.blackBoxX = width;
        ringMetrics.blackBoxY = height;
        ringMetrics.originX = static_cast<int32_t>(left);
        ringMetrics.originY = static_cast<int32_t>(top);
        ringRows = ByteRows{ringBytes.data(), width, width, height};
        return true;
    }

    // The hinted advance; the query may reuse the glyph slot, so what it held is forgotten.
    bool Advance(FT_UInt index, int32_t& advance) {
        FT_Fixed value = 0;
        slotContent = SlotContent::kNothing;
        if (FT_Get_Advance(face.get(), index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP, &value) != 0) {
            return false;
        }
        advance = RoundPixels16Dot16(value);
        return true;
    }
};

CFontService::CFontService() = default;
CFontService::~CFontService() = default;
CFontService::CFontService(CFontService&&) noexcept = default;
CFontService& CFontService::operator=(CFontService&&) noexcept = default;

bool CFontService::Initialize() {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        return false;
    }
    m_state = std::make_unique<State>();
    m_state->library.reset(library);
    return true;
}

bool CFontService::CreateFont(const FontDescription& description) {
    if (!m_state) {
        return false;
    }
    State& s = *m_state;
    s.face.reset();
    s.indices.clear();
    s.slotContent = SlotContent::kNothing;
    s.ringIndex = 0;
    // A font file named by the user stands for itself; any other name is an installed family,
    // or failing that a family with a style, a full name or a PostScript name.
    auto location = FontFileReference(description.faceName);
    if (!location) {
        location = FindFaceFile(description.faceName, description.weight, description.italic);
    }
    if (!location) {
        location = FindStyledFace(description.faceName);
    }
    if (!location) {
        return false;
    }
    FT_Face opened = nullptr;
    if (FT_New_Face(s.library.get(), location->path.c_str(), static_cast<FT_Long>(location->index),
                    &opened) != 0) {
        return false;
    }
    s.face.reset(opened);
    FT_Face face = s.face.get();
    if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
        s.face.reset();
        return false;
    }

    const int64_t upem = face->units_per_EM;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    const bool hasOs2 = os2 != nullptr && os2->version != 0xFFFF;
    const int64_t winAscent = hasOs2 ? int64_t{os2->usWinAscent} : int64_t{face->ascender};
    const int64_t winDescent = hasOs2 ? int64_t{os2->usWinDescent} : -int64_t{face->descender};
    const int64_t maxAdvance =
        hhea != nullptr ? int64_t{hhea->advance_Width_Max} : int64_t{face->max_advance_width};
    // Faces without the table state no average; their widest advance stands in for it.
    const int64_t averageWidth =
        hasOs2 && os2->xAvgCharWidth > 0 ? int64_t{os2->xAvgCharWidth} : maxAdvance;

    int64_t ppem = kDefaultPpem;
    if (description.height < 0) {
        ppem = -int64_t{description.height};
    } else if (description.height > 0 && winAscent + winDescent > 0) {
        ppem = std::max<int64_t>(1, ScaleRounded(description.height, upem, winAscent + winDescent));
    }
    if (ppem > kMaxPpem) {
        s.face.reset();
        return false;
    }
    // The average width becomes a horizontal scale: the font's average advance is made W wide.
    int64_t xScale26Dot6 = 64 * ppem;
    FT_Error sized = 0;
    if (description.width > 0 && averageWidth > 0) {
        xScale26Dot6 = ScaleRounded(64 * int64_t{description.width}, upem, averageWidth);
        if (xScale26Dot6 < 1 || xScale26Dot6 > 64 * kMaxPpem) {
            s.face.reset();
            return false;
        }
        sized = FT_Set_Char_Size(face, xScale26Dot6, ppem * 64, 72, 72);
    } else {
        sized = FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(ppem));
    }
    if (sized != 0) {
        s.face.reset();
        return false;
    }

    TextMetrics& m = s.metrics;
    m.ascent = ScaleRounded(winAscent, ppem, upem);
    m.descent = ScaleRounded(winDescent, ppem, upem);
    m.height = m.ascent + m.descent;
    m.internalLeading = m.height - static_cast<int32_t>(ppem);
    m.aveCharWidth = ScaleRounded(averageWidth, xScale26Dot6, 64 * upem);
    m.maxCharWidth = ScaleRounded(maxAdvance, xScale26Dot6, 64 * upem);
    s.MapCodes();
    return true;
}

bool CFontService::GetTextMetrics(TextMetrics& metrics) const {
    if (!m_state || !m_state->face) {
        return false;
    }
    metrics = m_state->metrics;
    return true;
}

uint16_t CFontService::GetGlyphIndex(char16_t code) {
    const FT_UInt index = m_state ? m_state->CharIndex(code) : 0;
    return index == 0 || index >= kMissingGlyph ? kMissingGlyph : static_cast<uint16_t>(index);
}

uint32_t CFontService::GetGlyphCoverage(char16_t code, GlyphMetrics& metrics, ByteRows& coverage) {
    const FT_UInt index = m_state ? m_state->CharIndex(code) : 0;
    if (index == 0) {
        return kGlyphError;
    }
    const FT_GlyphSlot slot = m_state->Render(index, SlotContent::kGray);
    if (slot == nullptr) {
        return kGlyphError;
    }
    const FT_Bitmap& bitmap = slot->bitmap;
    coverage.first = bitmap.rows == 0 ? bitmap.buffer : BitmapRow(bitmap, 0);
    coverage.pitch = bitmap.pitch;
    coverage.width = static_cast<int32_t>(bitmap.width);
    coverage.height = static_cast<int32_t>(bitmap.rows);
    metrics.blackBoxX = static_cast<int32_t>(bitmap.width);
    metrics.blackBoxY = static_cast<int32_t>(bitmap.rows);
    metrics.originX = slot->bitmap_left;
    metrics.originY = slot->bitmap_top;
    metrics.cellIncX = RoundPixels26Dot6(slot->advance.x);
    return ((bitmap.width + 3u) & ~3u) * bitmap.rows;
}

uint8_t CFontService::LevelOfCoverage(GlyphFormat format, uint8_t coverage) {
    return format == GlyphFormat::kGray65 ? kTo65[coverage] : kTo17[coverage];
}

uint32_t CFontService::GetGlyphOutline(char16_t code, GlyphFormat format, GlyphMetrics& metrics,
                                       std::span<uint8_t> buffer) {
    const bool levels = format == GlyphFormat::kGray17 || format == GlyphFormat::kGray65;
    if (!levels && format != GlyphFormat::kMetrics) {
        return kGlyphError;
    }
    GlyphMetrics found;
    ByteRows coverage;
    const uint32_t size = GetGlyphCoverage(code, found, coverage);
    if (size == kGlyphError || (levels && !buffer.empty() && buffer.size() < size)) {
        return kGlyphError;
    }
    if (levels && !buffer.empty()) {
        const auto stride = static_cast<std::size_t>((coverage.width + 3) & ~3);
        for (int32_t y = 0; y < coverage.height; ++y) {
            const uint8_t* from = coverage.first + y * coverage.pitch;
            uint8_t* to = buffer.data() + std::size_t(y) * stride;
            for (int32_t x = 0; x < coverage.width; ++x) {
                to[x] = LevelOfCoverage(format, from[x]);
            }
            std::fill(to + coverage.width, to + stride, uint8_t{0});
        }
    }
    metrics = found;
    return levels ? size : 0;
}

bool CFontService::SetStroke(int32_t radius) {
    if (!m_state || radius < 0) {
        return false;
    }
    State& s = *m_state;
    s.slotContent = SlotContent::kNothing;
    s.ringIndex = 0;
    if (radius == 0) {
        s.stroker.reset();
        return true;
    }
    if (!s.stroker) {
        FT_Stroker stroker = nullptr;
        if (FT_Stroker_New(s.library.get(), &stroker) != 0) {
            return false;
        }
        s.stroker.reset(stroker);
    }
    FT_Stroker_Set(s.stroker.get(), static_cast<FT_Fixed>(radius) * 64, FT_STROKER_LINECAP_ROUND,
                   FT_STROKER_LINEJOIN_ROUND, 0);
    return true;
}

bool CFontService::GetStrokeRing(char16_t code, GlyphMetrics& metrics, ByteRows& ring) const {
    const FT_UInt index = m_state ? m_state->CharIndex(code) : 0;
    if (index == 0 || m_state->ringIndex != index) {
        return false;
    }
    metrics = m_state->ringMetrics;
    ring = m_state->ringRows;
    return true;
}

bool CFontService::GetCharAbcWidths(char16_t code, AbcWidths& widths) {
    const FT_UInt index = m_state ? m_state->CharIndex(code) : 0;
    if (index == 0) {
        return false;
    }
    const FT_GlyphSlot slot = m_state->Render(index, SlotContent::kGray);
    if (slot == nullptr) {
        return false;
    }
    const int32_t a = slot->bitmap_left;
    const auto b = static_cast<int32_t>(slot->bitmap.width);
    int32_t advance = 0;
    if (!m_state->Advance(index, advance)) {
        return false;
    }
    widths = AbcWidths{a, b, advance - a - b};
    return true;
}

bool CFontService::GetCharWidth(char16_t code, int32_t& width) {
    const FT_UInt index = m_state ? m_state->CharIndex(code) : 0;
    return index != 0 && m_state->Advance(index, width);
}

bool CFontService::DrawOpaqueText(char16_t code, std::span<uint8_t> cell, int32_t side,
                                  int32_t stride, uint8_t ink, uint8_t paper) {
    const FT_UInt index = m_state ? m_state->CharIndex(code) : 0;
    if (index == 0 || side < 0 || stride < side ||
        int64_t{side} * stride > static_cast<int64_t>(cell.size())) {
        return false;
    }
    const FT_GlyphSlot slot = m_state->Render(index, SlotContent::kMono);
    if (slot == nullptr) {
        return false;
    }
    const TextMetrics& m = m_state->metrics;
    const int32_t boxWidth = std::clamp(RoundPixels26Dot6(slot->advance.x), 0, side);
    const int32_t boxHeight = std::clamp(m.height, 0, side);
    for (int32_t y = 0; y < boxHeight; ++y) {
        uint8_t* row = cell.data() + std::size_t(y) * std::size_t(stride);
        std::fill(row, row + boxWidth, paper);
    }
    const FT_Bitmap& bitmap = slot->bitmap;
    for (uint32_t y = 0; y < bitmap.rows; ++y) {
        const int64_t cellY = int64_t{m.ascent} - slot->bitmap_top + y;
        if (cellY < 0 || cellY >= boxHeight) {
            continue;
        }
        const uint8_t* bits = BitmapRow(bitmap, y);
        uint8_t* row = cell.data() + std::size_t(cellY) * std::size_t(stride);
        // Only the bitmap columns that land inside the box.
        const int64_t first = std::max<int64_t>(0, -int64_t{slot->bitmap_left});
        const int64_t last = std::min<int64_t>(bitmap.width, boxWidth - int64_t{slot->bitmap_left});
        for (int64_t x = first; x < last; ++x) {
            if ((bits[x >> 3] & (0x80u >> (x & 7))) != 0) {
                row[slot->bitmap_left + x] = ink;
            }
        }
    }
    return true;
}
