#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// An AngelCode BMFont descriptor (.fnt) in memory, whichever of its three forms (text, XML,
// binary version 3) it came from or goes to: the tags `info`, `common`, `page` and `char`, and
// how many `kerning` pairs it held. Numbers are kept as read, in 64 bits, until CheckDescriptor
// has put every one inside the range the font model and the pictures allow.

// Where a tag stood in its file: a line of a text or XML descriptor, or an entry of a block of
// a binary one (both counted from 1), for the messages that point at it.
struct BmFontPlace {
    int32_t line = 0;
    int32_t block = 0;
    int32_t entry = 0;
};

// The meaning of the channel fields of `common` (alphaChnl, redChnl, greenChnl, blueChnl).
enum BmFontChannelUse : int32_t {
    kChannelGlyph = 0,
    kChannelOutline = 1,
    kChannelGlyphAndOutline = 2,
    kChannelZero = 3,
    kChannelOne = 4,
};

// The channel bits of a character's `chnl`.
enum BmFontChannelBits : int32_t {
    kChnlBlue = 1,
    kChnlGreen = 2,
    kChnlRed = 4,
    kChnlAlpha = 8,
    kChnlAll = 15,
};

struct BmFontInfo {
    std::u16string face;
    int64_t size = 0;
    BmFontPlace place;
};

struct BmFontCommon {
    int64_t lineHeight = 0;
    int64_t base = 0;
    int64_t scaleW = 0;
    int64_t scaleH = 0;
    int64_t pages = 0;
    bool packed = false;
    int64_t alphaChnl = kChannelGlyph;
    int64_t redChnl = kChannelGlyph;
    int64_t greenChnl = kChannelGlyph;
    int64_t blueChnl = kChannelGlyph;
    BmFontPlace place;
};

struct BmFontPage {
    int64_t id = 0;
    // As the descriptor names it: relative to the descriptor's folder.
    std::u16string file;
    BmFontPlace place;
};

struct BmFontChar {
    int64_t id = 0;
    int64_t x = 0;
    int64_t y = 0;
    int64_t width = 0;
    int64_t height = 0;
    int64_t xoffset = 0;
    int64_t yoffset = 0;
    int64_t xadvance = 0;
    int64_t page = 0;
    int64_t chnl = kChnlAll;
    BmFontPlace place;
};

struct BmFontDescriptor {
    BmFontInfo info;
    std::optional<BmFontCommon> common;
    std::vector<BmFontPage> pages;
    // The characters up to U+FFFF, each id once, in the descriptor's order.
    std::vector<BmFontChar> chars;
    // The ids of the characters beyond U+FFFF, which are left out.
    std::vector<int64_t> beyondIds;
    int64_t kerningPairs = 0;
    // The ids up to U+FFFF read so far.
    std::vector<bool> idsGiven;
};

// The three forms, told apart by content.
enum class BmFontForm { kText, kXml, kBinary };

// The largest side of a page, as for any picture; and the most pages a descriptor may name (a
// binary descriptor's character keeps its page in one byte).
inline constexpr int64_t kBmFontMaxSide = 16384;
inline constexpr int64_t kBmFontMaxPages = 256;
// The last code the font model holds, and the last of Unicode.
inline constexpr int64_t kBmFontLastCode = 0xFFFF;
inline constexpr int64_t kBmFontLastUnicode = 0x10FFFF;

// The numbers of `common` and of a `char` tag by their keys, in the order BMFont writes them.
using BmFontField = std::pair<std::string_view, int64_t>;
std::array<BmFontField, 10> CommonFields(const BmFontCommon& common);
std::array<BmFontField, 10> CharFields(const BmFontChar& ch);

// "line 12" or "block 4, entry 7", in the user's language.
std::u16string PlaceText(const BmFontPlace& place);

// Takes a `char` tag read at `ch.place` of the descriptor `path`: one of an id up to U+FFFF
// (each given once, 448, as it is read) into `chars`, one beyond (up to U+10FFFF, 446) only as
// its id into `beyondIds`, since the font model holds 16-bit codes. A `page` tag past the most a
// descriptor may hold is refused (462) as it is read. So a file of empty or repeated tags takes
// no more memory than the largest font it could describe.
void AddBmFontChar(BmFontDescriptor& descriptor, const BmFontChar& ch, const std::u16string& path);
BmFontPage& AddBmFontPage(BmFontDescriptor& descriptor, const BmFontPlace& place,
                          const std::u16string& path);

// Puts every number of the descriptor `path` into its range (446), requires a `common` tag
// (444), every page id given once (455) and every character's page declared (449) and its
// rectangle inside its page (447). Throws
// category 8 naming the file and the line or block.
void CheckDescriptor(const BmFontDescriptor& descriptor, const std::u16string& path);

// The file of each page by id, after CheckDescriptor; empty for an id no `page` tag gave.
std::vector<std::u16string> PageFiles(const BmFontDescriptor& descriptor);
