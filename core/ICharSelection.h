#pragma once

class CCharFilter;
class CFontData;
class CGlyphOrder;

// The characters one conversion keeps: the letter order the writer supplies and the character
// filter narrowed to it. The definition files behind them are read above the core
// (xml/CharSelection.h); the conversion only drives them, in its fixed order.
class ICharSelection {
public:
    virtual ~ICharSelection() = default;

    // Filled by the writer's LoadGlyphOrder, read by its WriteFontData.
    virtual CGlyphOrder& Order() = 0;
    // What the reader skips.
    virtual const CCharFilter& Filter() const = 0;
    // Loads the run's filter file, when it has one, and narrows the filter to the letter order.
    virtual void PrepareFilter() = 0;
    // Warns about each character the filter file asked for that the font lacks (only when the
    // run has a filter file).
    virtual void ReportMissing(const CFontData& font) const = 0;
};
