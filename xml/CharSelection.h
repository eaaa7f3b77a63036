#pragma once

#include <functional>

#include "core/ICharSelection.h"
#include "xml/CharFilter.h"
#include "xml/GlyphOrder.h"

// The letter order and character filter of one run, over their definition files.
class CCharSelection final : public ICharSelection {
public:
    using FilterLoader = std::function<void(CCharFilter&)>;

    // `loadFilter` fills the filter from the run's filter file; without one the filter keeps the
    // letter order's characters, or every character when the writer has no letter order.
    explicit CCharSelection(FilterLoader loadFilter = nullptr)
        : m_loadFilter(std::move(loadFilter)) {}

    CGlyphOrder& Order() override { return m_order; }
    const CCharFilter& Filter() const override { return m_filter; }
    void PrepareFilter() override;
    void ReportMissing(const CFontData& font) const override;

private:
    FilterLoader m_loadFilter;
    CCharFilter m_filter;
    CGlyphOrder m_order;
};
