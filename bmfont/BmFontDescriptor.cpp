#include "bmfont/BmFontDescriptor.h"

#include <vector>

#include "base/GlobalException.h"
#include "base/ResString.h"

namespace {

constexpr int kLinePlace = 440;
constexpr int kBlockPlace = 441;
constexpr int kNoTag = 444;
constexpr int kOutOfRange = 446;
constexpr int kOutsidePage = 447;
constexpr int kRepeatedId = 448;
constexpr int kUndeclaredPage = 449;
constexpr int kRepeatedPage = 455;
constexpr int kTooManyTags = 462;

// Offsets and advances are 16-bit signed in a binary descriptor.
constexpr int64_t kShortMin = -32768;
constexpr int64_t kShortMax = 32767;
constexpr int64_t kUShortMax = 65535;

// Checks the fields of one tag against their ranges, naming the tag's place and the file.
class RangeCheck {
public:
    RangeCheck(const BmFontPlace& place, const std::u16string& path)
        : m_place(place), m_path(path) {}

    void operator()(std::u16string_view key, int64_t value, int64_t lowest, int64_t highest) const {
        if (value < lowest || value > highest) {
            TL_THROW(kErrInputValue, kOutOfRange, key, value, PlaceText(m_place), m_path, lowest,
                     highest);
        }
    }

private:
    const BmFontPlace& m_place;
    const std::u16string& m_path;
};

void CheckCommon(const BmFontCommon& c, const std::u16string& path) {
    const RangeCheck check(c.place, path);
    check(u"lineHeight", c.lineHeight, 0, kUShortMax);
    check(u"base", c.base, 0, kUShortMax);
    check(u"scaleW", c.scaleW, 1, kBmFontMaxSide);
    check(u"scaleH", c.scaleH, 1, kBmFontMaxSide);
    check(u"pages", c.pages, 0, kBmFontMaxPages);
    check(u"alphaChnl", c.alphaChnl, kChannelGlyph, kChannelOne);
    check(u"redChnl", c.redChnl, kChannelGlyph, kChannelOne);
    check(u"greenChnl", c.greenChnl, kChannelGlyph, kChannelOne);
    check(u"blueChnl", c.blueChnl, kChannelGlyph, kChannelOne);
}

bool IsPackedChannel(int64_t chnl) {
    return chnl == kChnlBlue || chnl == kChnlGreen || chnl == kChnlRed || chnl == kChnlAlpha ||
           chnl == kChnlAll;
}

void CheckChar(const BmFontChar& ch, const BmFontCommon& common, const std::vector<bool>& declared,
               const std::u16string& path) {
    const RangeCheck check(ch.place, path);
    check(u"width", ch.width, 0, kBmFontMaxSide);
    check(u"height", ch.height, 0, kBmFontMaxSide);
    check(u"xoffset", ch.xoffset, kShortMin, kShortMax);
    check(u"yoffset", ch.yoffset, kShortMin, kShortMax);
    check(u"xadvance", ch.xadvance, kShortMin, kShortMax);
    check(u"chnl", ch.chnl, 0, kChnlAll);
    if (common.packed && !IsPackedChannel(ch.chnl)) {
        check(u"chnl", ch.chnl, kChnlAll, kChnlAll);
    }
    if (ch.page < 0 || ch.page >= static_cast<int64_t>(declared.size()) ||
        !declared[static_cast<std::size_t>(ch.page)]) {
        TL_THROW(kErrInputValue, kUndeclaredPage, ch.page, PlaceText(ch.place), path);
    }
    if (ch.x < 0 || ch.y < 0 || ch.x + ch.width > common.scaleW ||
        ch.y + ch.height > common.scaleH) {
        TL_THROW(kErrInputValue, kOutsidePage, ch.id, PlaceText(ch.place), path, common.scaleW,
                 common.scaleH);
    }
}

}  // namespace

std::array<BmFontField, 10> CommonFields(const BmFontCommon& c) {
    return {{{"lineHeight", c.lineHeight},
             {"base", c.base},
             {"scaleW", c.scaleW},
             {"scaleH", c.scaleH},
             {"pages", c.pages},
             {"packed", c.packed ? 1 : 0},
             {"alphaChnl", c.alphaChnl},
             {"redChnl", c.redChnl},
             {"greenChnl", c.greenChnl},
             {"blueChnl", c.blueChnl}}};
}

std::array<BmFontField, 10> CharFields(const BmFontChar& ch) {
    return {{{"id", ch.id},
             {"x", ch.x},
             {"y", ch.y},
             {"width", ch.width},
             {"height", ch.height},
             {"xoffset", ch.xoffset},
             {"yoffset", ch.yoffset},
             {"xadvance", ch.xadvance},
             {"page", ch.page},
             {"chnl", ch.chnl}}};
}

std::u16string PlaceText(const BmFontPlace& place) {
    if (place.line > 0) {
        return FormatResString(kLinePlace, {place.line});
    }
    return FormatResString(kBlockPlace, {place.block, place.entry});
}

void AddBmFontChar(BmFontDescriptor& descriptor, const BmFontChar& ch, const std::u16string& path) {
    RangeCheck(ch.place, path)(u"id", ch.id, 0, kBmFontLastUnicode);
    if (ch.id > kBmFontLastCode) {
        descriptor.beyondIds.push_back(ch.id);
        if (descriptor.beyondIds.size() > kBmFontLastUnicode - kBmFontLastCode) {
            TL_THROW(kErrInputValue, kTooManyTags, path, kBmFontLastUnicode + 1, u"char",
                     PlaceText(ch.place));
        }
        return;
    }
    descriptor.idsGiven.resize(kBmFontLastCode + 1, false);
    const auto id = static_cast<std::size_t>(ch.id);
    if (descriptor.idsGiven[id]) {
        TL_THROW(kErrInputValue, kRepeatedId, ch.id, PlaceText(ch.place), path);
    }
    descriptor.idsGiven[id] = true;
    descriptor.chars.push_back(ch);
}

BmFontPage& AddBmFontPage(BmFontDescriptor& descriptor, const BmFontPlace& place,
                          const std::u16string& path) {
    if (static_cast<int64_t>(descriptor.pages.size()) >= kBmFontMaxPages) {
        TL_THROW(kErrInputValue, kTooManyTags, path, kBmFontMaxPages, u"page", PlaceText(place));
    }
    BmFontPage& page = descriptor.pages.emplace_back();
    page.place = place;
    return page;
}

void CheckDescriptor(const BmFontDescriptor& descriptor, const std::u16string& path) {
    if (!descriptor.common) {
        TL_THROW(kErrInputValue, kNoTag, path, u"common");
    }
    const BmFontCommon& common = *descriptor.common;
    CheckCommon(common, path);

    std::vector<bool> declared(static_cast<std::size_t>(common.pages), false);
    for (const BmFontPage& page : descriptor.pages) {
        RangeCheck(page.place, path)(u"id", page.id, 0, common.pages - 1);
        const auto id = static_cast<std::size_t>(page.id);
        if (declared[id]) {
            TL_THROW(kErrInputValue, kRepeatedPage, page.id, PlaceText(page.place), path);
        }
        declared[id] = true;
    }

    for (const BmFontChar& ch : descriptor.chars) {
        CheckChar(ch, common, declared, path);
    }
}

std::vector<std::u16string> PageFiles(const BmFontDescriptor& descriptor) {
    std::vector<std::u16string> files(
        descriptor.common ? static_cast<std::size_t>(descriptor.common->pages) : 0);
    for (const BmFontPage& page : descriptor.pages) {
        if (page.id >= 0 && page.id < static_cast<int64_t>(files.size())) {
            files[static_cast<std::size_t>(page.id)] = page.file;
        }
    }
    return files;
}
