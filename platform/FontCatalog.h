#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The catalogue of installed fonts, as the font configuration service lists them. Names are
// compared by us, exactly: the service's own matching ignores case and blanks and always finds
// some font, so it can neither test existence nor pick a face by name.

// Every family name of every installed font, mapped to true when the first font listed under
// that name has outlines (is not a bitmap-only font).
std::map<std::u16string, bool> ListInstalledFaces();

// Where one face of an installed font lives.
struct FontFileLocation {
    std::string path;     // the font file
    int64_t index = 0;    // the face within the file
    bool outline = true;  // false for a bitmap-only face, which cannot be rendered at any size
};

// A font given by its file rather than an installed family name: the value names an existing
// file (face 0), or an existing file followed by "#N" (face N of a collection). Anything else is
// nothing here, and so a family name.
std::optional<FontFileLocation> FontFileReference(const std::u16string& value);

enum class FontFileStatus {
    kRegistered,  // the face is there and the file is listed for the rest of the run
    kNotAFont,    // not a regular file the rasteriser can open as a font
    kNoSuchFace,  // a font, but with fewer faces than the index asks for
};
struct FontFileCheck {
    FontFileStatus status = FontFileStatus::kNotAFont;
    int64_t faceCount = 0;
    bool outline = false;  // the face has outlines (when registered)
};

// Checks that the file holds the face and adds the file to the application fonts of our
// configuration for the rest of the run, so that it is listed like an installed font.
FontFileCheck RegisterFontFile(const FontFileLocation& file);

// The installed face whose family names include `faceName` exactly, closest to the wanted
// weight (OpenType scale, 400 regular) and slant; outline faces before bitmap-only ones.
std::optional<FontFileLocation> FindFaceFile(const std::u16string& faceName, int32_t weight,
                                             bool italic);

// The installed face that a name other than a font file or a family names, matched exactly on
// the names the faces report, tried in this order:
// - a family with a style, "Family:Style", or with properties in the font configuration's
//   pattern syntax, "Family:style=Bold" or "Family:weight=bold:slant=italic" (each property
//   must be among the face's own values);
// - a full name ("DejaVu Sans Bold Oblique");
// - a PostScript name ("DejaVuSans-BoldOblique").
// Among several faces that match, outline faces come first, then the one reporting the matched
// family and style as its first names, then the normal width.
std::optional<FontFileLocation> FindStyledFace(const std::u16string& value);

// An installed family with the style names of its faces: the style of the face that the family
// name alone picks first, the others in alphabetical order.
struct FamilyStyles {
    std::u16string family;
    std::vector<std::u16string> styles;
};
// Every installed family, in the order of ListInstalledFaces.
std::vector<FamilyStyles> ListFamilyStyles();
// One family's styles; empty when no installed face reports that family.
std::vector<std::u16string> StylesOfFamily(const std::u16string& family);
