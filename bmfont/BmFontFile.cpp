#include "bmfont/BmFontFile.h"

#include "base/GlobalException.h"
#include "bmfont/BmFontBinary.h"
#include "bmfont/BmFontText.h"
#include "bmfont/BmFontXml.h"
#include "platform/BinaryFile.h"

namespace {

constexpr int kNotDescriptor = 442;
constexpr int kTooLarge = 456;

std::vector<uint8_t> ReadDescriptorBytes(const std::u16string& path) {
    CBinaryFile file(path);
    file.Open(CBinaryFile::Access::kRead);
    if (static_cast<int64_t>(file.RemainingSize()) > kBmFontMaxDescriptorBytes) {
        TL_THROW(kErrInputValue, kTooLarge, path, kBmFontMaxDescriptorBytes >> 20);
    }
    std::vector<uint8_t> bytes = file.ReadAll();
    file.Close();
    return bytes;
}

}  // namespace

BmFontDescriptor LoadBmFontDescriptor(const std::u16string& path) {
    const std::vector<uint8_t> bytes = ReadDescriptorBytes(path);
    BmFontDescriptor descriptor;
    if (LooksLikeBmFontBinary(bytes)) {
        descriptor = ParseBmFontBinary(bytes, path);
    } else if (LooksLikeBmFontXml(bytes)) {
        descriptor = ParseBmFontXml(path);
    } else if (LooksLikeBmFontText(bytes)) {
        descriptor = ParseBmFontText(bytes, path);
    } else {
        TL_THROW(kErrInputValue, kNotDescriptor, path);
    }
    CheckDescriptor(descriptor, path);
    return descriptor;
}

std::vector<uint8_t> SerializeBmFont(const BmFontDescriptor& descriptor, BmFontForm form) {
    switch (form) {
        case BmFontForm::kXml:
            return WriteBmFontXml(descriptor);
        case BmFontForm::kBinary:
            return WriteBmFontBinary(descriptor);
        case BmFontForm::kText:
            break;
    }
    return WriteBmFontText(descriptor);
}
