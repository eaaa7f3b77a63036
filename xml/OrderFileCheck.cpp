#include "xml/OrderFileCheck.h"

#include "base/GlobalException.h"
#include "core/FontIO.h"
#include "xml/GlyphOrder.h"

void ValidateOrderFile(const std::u16string& path) {
    CGlyphOrder order;
    LoadOrderFile(path, order);
}

void LoadOrderFile(const std::u16string& path, CGlyphOrder& order) {
    if (!CFontIO::IsFileExists(path)) {
        TL_THROW(kErrInputValue, 131, path);
    }
    // Loading settles the grid and already refuses a width (155, tested first) or a given
    // height (154) that is not positive, so a loaded order needs no further test here.
    order.Load(path);
}
