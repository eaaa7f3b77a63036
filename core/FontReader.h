#pragma once

#include "core/FontIO.h"

class CFontData;
class CCharFilter;

class CFontReader : public CFontIO {
public:
    // Adds one glyph per character of the source that the filter lets through and sets the
    // font-wide fields the source defines.
    virtual void ReadFontData(CFontData& font, const CCharFilter& filter) = 0;
};
