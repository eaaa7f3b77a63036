#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bmfont/BmFontDescriptor.h"

// The largest descriptor read: far above any real font's (65,536 characters with their kerning
// pairs take a few megabytes), so that a bogus file is refused before it is held in memory.
inline constexpr int64_t kBmFontMaxDescriptorBytes = int64_t{64} << 20;

// Reads the descriptor `path`, its form told by content (binary by its signature, XML by a
// leading '<', text by a leading tag word), and checks it (CheckDescriptor). A file past
// kBmFontMaxDescriptorBytes fails with 456, one of no form with 442 (both category 8).
BmFontDescriptor LoadBmFontDescriptor(const std::u16string& path);

// The bytes of the descriptor in the form asked for.
std::vector<uint8_t> SerializeBmFont(const BmFontDescriptor& descriptor, BmFontForm form);
