#pragma once

#include <memory>

#include "core/FontData.h"
#include "core/FontReader.h"
#include "support/TestSupport.h"
#include "xml/CharFilter.h"

namespace testing_support {

// Everything the reader gives, checked and read with no filter and a quiet progress control.
inline std::unique_ptr<CFontData> ReadWholeFont(CFontReader&& reader) {
    const ScopedPgCtrl progress;
    reader.ValidateInput();
    auto font = std::make_unique<CFontData>();
    reader.ReadFontData(*font, CCharFilter());
    return font;
}

}  // namespace testing_support
