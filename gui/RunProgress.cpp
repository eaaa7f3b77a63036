#include "gui/RunProgress.h"

#include <algorithm>
#include <limits>

#include "gui/MessageText.h"

namespace {
// Above this many steps the bar moves only every so many steps.
constexpr int32_t kMaxBarSteps = 200;

// The parts of the bar, in thousandths.
constexpr int kDefinitionsEnd = 50;
constexpr int kReadingEnd = 600;
constexpr int kBuildingEnd = 900;
}  // namespace

void CRunProgress::Start(const QString& sourceName) {
    m_sourceName = sourceName;
    m_targetName.clear();
    m_value = 0;
    Enter(0, kDefinitionsEnd);
}

void CRunProgress::Enter(int start, int end) {
    m_stageStart = start;
    m_stageEnd = end;
    m_value = std::max(m_value, start);
    Reset();
}

QString CRunProgress::EnterStatus(int number) {
    switch (number) {
        case 243:
            Enter(0, kDefinitionsEnd);
            return tr(" Loading the character filter...");
        case 244:
            Enter(0, kDefinitionsEnd);
            return tr(" Loading the letter order...");
        case 246:
        case 247:
        case 248:
        case 249:
            Enter(kDefinitionsEnd, kReadingEnd);
            return m_sourceName.isEmpty() ? tr(" Reading the font...")
                                          : tr(" Reading %1...").arg(m_sourceName);
        case 250:
        case 253:
            Enter(kReadingEnd, kBuildingEnd);
            return tr(" Drawing the image font...");
        case 251:
        case 254:
            Enter(kBuildingEnd, kFull);
            return tr(" Writing %1...").arg(m_targetName);
        case 252:
            Enter(kReadingEnd, kFull);
            return tr(" Writing sheets...");
        case 241:
            Finish();
            break;
        default:
            break;
    }
    return MessageText(number);
}

void CRunProgress::Reset() {
    m_range = 0;
    m_position = 0;
    m_divisor = 1;
}

void CRunProgress::SetRange(int32_t steps) {
    m_range = std::max(steps, 0);
    m_divisor = 1;
    for (int32_t n = steps; n > kMaxBarSteps; n /= 2) {
        m_divisor *= 2;
    }
}

bool CRunProgress::Step(int32_t steps) {
    const int32_t old = m_position;
    m_position = static_cast<int32_t>(
        std::clamp<int64_t>(int64_t{old} + steps, 0, std::numeric_limits<int32_t>::max()));
    if (m_position / m_divisor == old / m_divisor) {
        return false;
    }
    if (m_range > 0) {
        const int64_t done = std::min(m_position, m_range);
        m_value = std::max(
            m_value, m_stageStart + static_cast<int>((m_stageEnd - m_stageStart) * done / m_range));
    }
    return true;
}
