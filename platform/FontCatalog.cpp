#include "platform/FontCatalog.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <tuple>

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

bool HasFamily(FcPattern* font, const std::string& family) {
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
        if (family == reinterpret_cast<const char*>(name)) {
            return true;
        }
    }
    return false;
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
    return {FontFileStatus::kRegistered, faceCount};
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
                                    IntProperty(font, FC_INDEX, 0)};
            bestRank = rank;
        }
    }
    return best;
}
