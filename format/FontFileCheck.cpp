#include "format/FontFileCheck.h"

#include "base/GlobalException.h"
#include "core/FontIO.h"
#include "platform/BinaryFile.h"

CResFont LoadFontFile(const std::u16string& path) {
    if (!CFontIO::IsFileExists(path)) {
        TL_THROW(kErrInputValue, 131, path);
    }
    CBinaryFile file(path);
    file.Open(CBinaryFile::Access::kRead);
    CResFont font;
    font.Load(file);
    file.Close();
    return font;
}

// Besides the header, a truncated or broken block structure fails here, before any work
// starts, with the same errors the reader would give later.
void ValidateFontFile(const std::u16string& path) {
    LoadFontFile(path);
}
