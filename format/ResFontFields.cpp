#include "format/ResFontFields.h"

#include "base/GlobalException.h"

void ThrowBrokenResource() {
    TL_THROW(kErrBofnt, 151);
}

void CFieldWriter::Text(std::string_view text) {
    m_out.insert(m_out.end(), text.begin(), text.end());
    m_out.push_back(0);
}
