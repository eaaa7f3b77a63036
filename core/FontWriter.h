#pragma once

#include "core/FontIO.h"

class CFontData;
class CGlyphOrder;

class CFontWriter : public CFontIO {
public:
    virtual void WriteFontData(CFontData& font, const CGlyphOrder& order) = 0;
    // Fills `order` with the letter order this writer uses (left empty when it has none), so the
    // caller can narrow the filter before reading.
    virtual void LoadGlyphOrder(CGlyphOrder& order) = 0;
};
