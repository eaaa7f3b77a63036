#include "xml/CharSelection.h"

void CCharSelection::PrepareFilter() {
    if (m_loadFilter) {
        m_loadFilter(m_filter);
    }
    m_filter.CombineWithOrder(m_order);
}

void CCharSelection::ReportMissing(const CFontData& font) const {
    if (m_loadFilter) {
        m_filter.CheckMissing(font);
    }
}
