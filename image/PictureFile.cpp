#include "image/PictureFile.h"

#include "base/GlobalException.h"
#include "image/BitMapFile.h"
#include "image/PngFile.h"
#include "image/TgaFile.h"

PictureFormat DetectPictureFormat(const std::u16string& path) {
    if (CPngFile(path).IsPng()) {
        return PictureFormat::kPng;
    }
    const bool bmp = CBitMapFile(path).IsBmp();
    const bool tga = CTgaFile(path).HasFooter();
    if (bmp) {
        return tga ? PictureFormat::kUndetected : PictureFormat::kBmp;
    }
    if (tga) {
        return PictureFormat::kTga;
    }
    const bool bmpFails = CBitMapFile(path).HasFormatError();
    const bool tgaFails = CTgaFile(path).HasFormatError();
    if (bmpFails && !tgaFails) {
        return PictureFormat::kTga;
    }
    if (tgaFails && !bmpFails) {
        return PictureFormat::kBmp;
    }
    return PictureFormat::kUndetected;
}

std::unique_ptr<IImage> LoadPicture(const std::u16string& path, PictureFormat format) {
    switch (format) {
        case PictureFormat::kBmp:
            return CBitMapFile(path).Load();
        case PictureFormat::kTga:
            return CTgaFile(path).Load();
        case PictureFormat::kPng:
            return CPngFile(path).Load();
        case PictureFormat::kUndetected:
            break;
    }
    TL_THROW(kErrImage, 121);
}

std::unique_ptr<IImage> LoadPicture(const std::u16string& path) {
    return LoadPicture(path, DetectPictureFormat(path));
}
