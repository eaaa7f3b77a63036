#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

// The catalogue of installed fonts, as the font configuration service lists them. Names are
// compared by us, exactly: the service's own matching ignores case and blanks and always finds
// some font, so it can neither test existence nor pick a face by name.

// Every family name of every installed font, mapped to true when the first font listed under
// that name has outlines (is not a bitmap-only font).
std::map<std::u16string, bool> ListInstalledFaces();

// Where one face of an installed font lives.
struct FontFileLocation {
    std::string path;   // the font file
    int64_t index = 0;  // the face within the file
};

// The installed face whose family names include `faceName` exactly, closest to the wanted
// weight (OpenType scale, 400 regular) and slant; outline faces before bitmap-only ones.
std::optional<FontFileLocation> FindFaceFile(const std::u16string& faceName, int32_t weight,
                                             bool italic);
