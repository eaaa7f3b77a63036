#pragma once

#include <memory>
#include <string>

#include "image/IImage.h"

// The picture formats read by content, whatever the file's name: what every picture loader
// (image fonts, font pages) detects and loads through.
enum class PictureFormat { kUndetected, kBmp, kTga, kPng };

// The PNG signature first; then "BM" and the TGA footer, and when neither or both are there,
// whichever of the two headers passes its checks alone.
PictureFormat DetectPictureFormat(const std::u16string& path);
// Loads the picture in `format`; kUndetected fails with 121.
std::unique_ptr<IImage> LoadPicture(const std::u16string& path, PictureFormat format);
// Both in one.
std::unique_ptr<IImage> LoadPicture(const std::u16string& path);
