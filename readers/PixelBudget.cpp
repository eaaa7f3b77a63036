#include "readers/PixelBudget.h"

#include <algorithm>

#include "base/GlobalException.h"

CPixelBudget::CPixelBudget(int64_t fileBytes)
    : m_limit(std::max(kFloor, std::max<int64_t>(fileBytes, 0) * kPerFileByte)) {}

void CPixelBudget::Spend(int64_t pixels) {
    if (pixels > m_limit - m_spent) {
        TL_THROW(kErrBofnt, 282, static_cast<int32_t>(m_limit / 1000000));
    }
    m_spent += pixels;
}
