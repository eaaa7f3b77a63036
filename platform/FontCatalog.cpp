#include "platform/FontCatalog.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>
#include <string_view>
#include <tuple>
#include <vector>

#include "base/Text.h"
#include "platform/FileSystem.h"

namespace {

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct ObjectSetDeleter {
    void operator()(FcObjectSet* s) const { FcObjectSetDestroy(s); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;
using ObjectSetPtr = std::unique_ptr<FcObjectSet, ObjectSetDeleter>;
using FontSetPtr = std::unique_ptr<FcFontSet, FontSetDeleter>;

struct ConfigDeleter {
    void operator()(FcConfig* c) const { FcConfigDestroy(c); }
};

// Our own configuration, loaded on first use and released at exit. The library's implicit
// default configuration is never freed, which leaves its start-up allocations behind.
FcConfig* Configuration() {
    static const std::unique_ptr<FcConfig, ConfigDeleter> config(FcInitLoadConfigAndFonts());
    return config.get();
}

// The fonts matching `pattern`, each carrying only the listed properties.
FontSetPtr ListFonts(FcPattern* pattern, FcObjectSet* properties) {
    FcConfig* config = Configuration();
    if (config == nullptr || pattern == nullptr || properties == nullptr) {
        return nullptr;
    }
    return FontSetPtr(FcFontList(config, pattern, properties));
}

bool HasOutline(FcPattern* font) {
    FcBool outline = FcFalse;
    return FcPatternGetBool(font, FC_OUTLINE, 0, &outline) == FcResultMatch && outline;
}

int IntProperty(FcPattern* font, const char* name, int fallback) {
    int value = fallback;
    return FcPatternGetInteger(font, name, 0, &value) == FcResultMatch ? value : fallback;
}

// Larger face numbers read as this one: out of any collection's range, and still printable.
constexpr int64_t kFaceIndexCap = INT32_MAX;

// Whether the file is among the application fonts already: each conversion of the desktop
// program checks its font again, and the set would otherwise grow by a copy every time.
bool IsApplicationFont(FcConfig* config, const std::string& path) {
    FcFontSet* fonts = FcConfigGetFonts(config, FcSetApplication);
    for (int f = 0; fonts != nullptr && f < fonts->nfont; ++f) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(fonts->fonts[f], FC_FILE, 0, &file) == FcResultMatch &&
            path == reinterpret_cast<const char*>(file)) {
            return true;
        }
    }
    return false;
}

// Where `wanted` stands among the font's values of a string property; -1 when it is not there.
int IndexOfString(FcPattern* font, const char* object, std::string_view wanted) {
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(font, object, i, &name) == FcResultMatch; ++i) {
        if (wanted == reinterpret_cast<const char*>(name)) {
            return i;
        }
    }
    return -1;
}

bool HasFamily(FcPattern* font, const std::string& family) {
    return IndexOfString(font, FC_FAMILY, family) >= 0;
}

std::vector<std::string> StringValues(FcPattern* font, const char* object) {
    std::vector<std::string> values;
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(font, object, i, &value) == FcResultMatch; ++i) {
        values.emplace_back(reinterpret_cast<const char*>(value));
    }
    return values;
}

std::optional<FontFileLocation> LocationOf(FcPattern* font) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) {
        return std::nullopt;
    }
    return FontFileLocation{reinterpret_cast<const char*>(file), IntProperty(font, FC_INDEX, 0),
                            HasOutline(font)};
}

// Calls `visit` with every installed font and every font file registered for this run, each
// with all its properties.
template <typename Visit>
void ForEachFont(Visit visit) {
    FcConfig* config = Configuration();
    if (config == nullptr) {
        return;
    }
    for (const FcSetName set : {FcSetSystem, FcSetApplication}) {
        FcFontSet* fonts = FcConfigGetFonts(config, set);
        for (int f = 0; fonts != nullptr && f < fonts->nfont; ++f) {
            visit(fonts->fonts[f]);
        }
    }
}

// Whether every value the user's pattern gives for a property is among the font's values of
// it, compared exactly (numbers by value, text by every character).
bool HasEveryProperty(FcPattern* font, FcPattern* wanted) {
    FcPatternIter property;
    FcPatternIterStart(wanted, &property);
    if (!FcPatternIterIsValid(wanted, &property)) {
        return false;  // no property at all names nothing
    }
    do {
        const char* object = FcPatternIterGetObject(wanted, &property);
        for (int i = 0; i < FcPatternIterValueCount(wanted, &property); ++i) {
            FcValue value{};
            FcPatternIterGetValue(wanted, &property, i, &value, nullptr);
            bool found = false;
            FcValue own{};
            for (int j = 0; !found && FcPatternGet(font, object, j, &own) == FcResultMatch; ++j) {
                found = FcValueEqual(value, own);
            }
            if (!found) {
                return false;
            }
        }
    } while (FcPatternIterNext(wanted, &property));
    return true;
}

// Picks the best of the faces `rank` accepts (it gives a rank, smaller is better, or nothing):
// outline faces first, then the rank, then the normal width; ties go to the file name and face
// number, so that the choice never depends on the order the fonts are listed in.
template <typename Rank>
std::optional<FontFileLocation> BestFace(Rank rank) {
    std::optional<FontFileLocation> best;
    std::tuple<bool, int, int, std::string, int64_t> bestRank;
    ForEachFont([&](FcPattern* font) {
        const std::optional<int> own = rank(font);
        std::optional<FontFileLocation> location;
        if (!own || !(location = LocationOf(font))) {
            return;
        }
        auto candidate = std::make_tuple(
            !location->outline, *own,
            std::abs(IntProperty(font, FC_WIDTH, FC_WIDTH_NORMAL) - FC_WIDTH_NORMAL),
            location->path, location->index);
        if (!best || candidate < bestRank) {
            best = std::move(location);
            bestRank = std::move(candidate);
        }
    });
    return best;
}

// "Family:Style" or "Family:property=value:...".
std::optional<FontFileLocation> FindFamilyWithStyle(const std::string& family,
                                                    const std::string& style) {
    if (style.find('=') == std::string::npos) {
        return BestFace([&](FcPattern* font) -> std::optional<int> {
            const int familyIndex = IndexOfString(font, FC_FAMILY, family);
            const int styleIndex = IndexOfString(font, FC_STYLE, style);
            return familyIndex < 0 || styleIndex < 0 ? std::nullopt
                                                     : std::optional(familyIndex + styleIndex);
        });
    }
    const std::string properties = ":" + style;
    const PatternPtr wanted(FcNameParse(reinterpret_cast<const FcChar8*>(properties.c_str())));
    if (!wanted) {
        return std::nullopt;
    }
    return BestFace([&](FcPattern* font) -> std::optional<int> {
        const int familyIndex = IndexOfString(font, FC_FAMILY, family);
        return familyIndex < 0 || !HasEveryProperty(font, wanted.get())
                   ? std::nullopt
                   : std::optional(familyIndex);
    });
}

std::optional<FontFileLocation> FindByName(const char* object, const std::string& name) {
    return BestFace([&](FcPattern* font) -> std::optional<int> {
        const int index = IndexOfString(font, object, name);
        return index < 0 ? std::nullopt : std::optional(index);
    });
}

// The first style name of the face at `location`.
std::u16string StyleOf(const FontFileLocation& location) {
    std::u16string style;
    ForEachFont([&](FcPattern* font) {
        const auto own = LocationOf(font);
        const auto styles = StringValues(font, FC_STYLE);
        if (style.empty() && own && own->path == location.path && own->index == location.index &&
            !styles.empty()) {
            style = Utf8ToUtf16(styles.front());
        }
    });
    return style;
}

// The styles of each family, the style of the face its name alone picks first.
std::vector<FamilyStyles> StylesByFamily(const std::u16string* onlyFamily) {
    std::map<std::u16string, std::set<std::u16string>> styles;
    ForEachFont([&](FcPattern* font) {
        const auto fontStyles = StringValues(font, FC_STYLE);
        for (const std::string& name : StringValues(font, FC_FAMILY)) {
            const std::u16string family = Utf8ToUtf16(name);
            if (onlyFamily != nullptr && family != *onlyFamily) {
                continue;
            }
            auto& own = styles[family];
            for (const std::string& style : fontStyles) {
                own.insert(Utf8ToUtf16(style));
            }
        }
    });
    std::vector<FamilyStyles> families;
    for (auto& [family, names] : styles) {
        FamilyStyles entry{family, {}};
        const auto regular = FindFaceFile(family, 400, false);
        const std::u16string first = regular ? StyleOf(*regular) : std::u16string();
        if (names.contains(first)) {
            entry.styles.push_back(first);
        }
        for (const std::u16string& style : names) {
            if (style != first) {
                entry.styles.push_back(style);
            }
        }
        families.push_back(std::move(entry));
    }
    return families;
}

}  // namespace

std::map<std::u16string, bool> ListInstalledFaces() {
    std::map<std::u16string, bool> faces;
    const PatternPtr pattern(FcPatternCreate());
    const ObjectSetPtr properties(FcObjectSetBuild(FC_FAMILY, FC_OUTLINE, nullptr));
    const FontSetPtr fonts = ListFonts(pattern.get(), properties.get());
    if (!fonts) {
        return faces;
    }
    for (int f = 0; f < fonts->nfont; ++f) {
        FcPattern* font = fonts->fonts[f];
        const bool outline = HasOutline(font);
        FcChar8* name = nullptr;
        for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
            faces.emplace(Utf8ToUtf16(reinterpret_cast<const char*>(name)), outline);
        }
    }
    return faces;
}

std::optional<FontFileLocation> FontFileReference(const std::u16string& value) {
    if (value.empty()) {
        return std::nullopt;
    }
    if (fs::Exists(value)) {
        return FontFileLocation{Utf16ToUtf8(value), 0};
    }
    const std::size_t hash = value.rfind(u'#');
    if (hash == std::u16string::npos || hash == 0 || hash + 1 == value.size()) {
        return std::nullopt;
    }
    int64_t index = 0;
    for (std::size_t i = hash + 1; i < value.size(); ++i) {
        if (value[i] < u'0' || value[i] > u'9') {
            return std::nullopt;
        }
        index = std::min(index * 10 + (value[i] - u'0'), kFaceIndexCap);
    }
    const std::u16string path = value.substr(0, hash);
    if (!fs::Exists(path)) {
        return std::nullopt;
    }
    return FontFileLocation{Utf16ToUtf8(path), index};
}

FontFileCheck RegisterFontFile(const FontFileLocation& file) {
    FcConfig* config = Configuration();
    // Opening a pipe or a device could wait forever, and a folder is no font either.
    if (config == nullptr || !fs::IsRegularFile(Utf8ToUtf16(file.path))) {
        return {};
    }
    const auto* path = reinterpret_cast<const FcChar8*>(file.path.c_str());
    int faceCount = 0;
    const FontSetPtr scanned(FcFontSetCreate());
    if (!scanned ||
        FcFreeTypeQueryAll(path, static_cast<unsigned>(-1), nullptr, &faceCount, scanned.get()) ==
            0 ||
        faceCount <= 0) {
        return {};
    }
    if (file.index >= faceCount) {
        return {FontFileStatus::kNoSuchFace, faceCount};
    }
    if (!IsApplicationFont(config, file.path) && !FcConfigAppFontAddFile(config, path)) {
        return {FontFileStatus::kNotAFont, faceCount};
    }
    bool outline = false;
    for (int f = 0; f < scanned->nfont; ++f) {
        // Named instances of a variable face carry the face's number in the low 16 bits.
        FcPattern* face = scanned->fonts[f];
        if ((IntProperty(face, FC_INDEX, -1) & 0xFFFF) == file.index) {
            outline = outline || HasOutline(face);
        }
    }
    return {FontFileStatus::kRegistered, faceCount, outline};
}

std::optional<FontFileLocation> FindFaceFile(const std::u16string& faceName, int32_t weight,
                                             bool italic) {
    const std::string family = Utf16ToUtf8(faceName);
    // The service's loose family match narrows the list; the exact test is ours.
    const PatternPtr pattern(FcPatternCreate());
    if (!pattern || !FcPatternAddString(pattern.get(), FC_FAMILY,
                                        reinterpret_cast<const FcChar8*>(family.c_str()))) {
        return std::nullopt;
    }
    const ObjectSetPtr properties(FcObjectSetBuild(FC_FAMILY, FC_FILE, FC_INDEX, FC_OUTLINE,
                                                   FC_WEIGHT, FC_SLANT, FC_WIDTH, nullptr));
    const FontSetPtr fonts = ListFonts(pattern.get(), properties.get());
    if (!fonts) {
        return std::nullopt;
    }
    const int wantedWeight = FcWeightFromOpenType(weight);
    const int wantedSlant = italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN;
    std::optional<FontFileLocation> best;
    std::tuple<bool, int, int, int> bestRank;
    for (int f = 0; f < fonts->nfont; ++f) {
        FcPattern* font = fonts->fonts[f];
        FcChar8* file = nullptr;
        if (!HasFamily(font, family) ||
            FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) {
            continue;
        }
        const auto rank = std::make_tuple(
            !HasOutline(font), std::abs(IntProperty(font, FC_WEIGHT, wantedWeight) - wantedWeight),
            std::abs(IntProperty(font, FC_SLANT, wantedSlant) - wantedSlant),
            std::abs(IntProperty(font, FC_WIDTH, FC_WIDTH_NORMAL) - FC_WIDTH_NORMAL));
        if (!best || rank < bestRank) {
            best = FontFileLocation{reinterpret_cast<const char*>(file),
                                    IntProperty(font, FC_INDEX, 0), HasOutline(font)};
            bestRank = rank;
        }
    }
    return best;
}

std::optional<FontFileLocation> FindStyledFace(const std::u16string& value) {
    const std::string text = Utf16ToUtf8(value);
    const std::size_t colon = text.find(':');
    if (colon != std::string::npos && colon > 0 && colon + 1 < text.size()) {
        if (auto face = FindFamilyWithStyle(text.substr(0, colon), text.substr(colon + 1))) {
            return face;
        }
    }
    if (text.empty()) {
        return std::nullopt;
    }
    if (auto face = FindByName(FC_FULLNAME, text)) {
        return face;
    }
    return FindByName(FC_POSTSCRIPT_NAME, text);
}

std::vector<FamilyStyles> ListFamilyStyles() {
    return StylesByFamily(nullptr);
}

std::vector<std::u16string> StylesOfFamily(const std::u16string& family) {
    auto families = StylesByFamily(&family);
    return families.empty() ? std::vector<std::u16string>() : std::move(families.front().styles);
}
