#include "compress/LzWindow.h"

#include <algorithm>

void CLzWindow::Reset(std::span<const uint8_t> input) {
    m_input = input;
    m_oldest.fill(kNone);
    m_newest.fill(kNone);
}

std::size_t CLzWindow::ChainOf(std::size_t position) const {
    const uint32_t key = uint32_t{m_input[position]} << 16 | uint32_t{m_input[position + 1]} << 8 |
                         m_input[position + 2];
    return (key * 2654435761u) >> 16;
}

void CLzWindow::Enter(std::size_t position) {
    // A position whose three bytes pass the end can never be a candidate: no search starts
    // later with three bytes left.
    if (position >= kSpan && position - kSpan + kMinMatch <= m_input.size()) {
        // The position leaving the window is the oldest of its chain.
        const std::size_t chain = ChainOf(position - kSpan);
        const int32_t slot = m_oldest[chain];
        m_oldest[chain] = m_next[static_cast<std::size_t>(slot)];
        if (m_oldest[chain] == kNone) {
            m_newest[chain] = kNone;
        }
    }
    if (position + kMinMatch > m_input.size()) {
        return;
    }
    const std::size_t chain = ChainOf(position);
    const auto slot = static_cast<int32_t>(SlotOf(position));
    m_next[static_cast<std::size_t>(slot)] = kNone;
    m_position[static_cast<std::size_t>(slot)] = static_cast<uint32_t>(position);
    if (m_newest[chain] == kNone) {
        m_oldest[chain] = slot;
    } else {
        m_next[static_cast<std::size_t>(m_newest[chain])] = slot;
    }
    m_newest[chain] = slot;
}

CLzWindow::Match CLzWindow::FindLongest(std::size_t position) const {
    Match best;
    const std::size_t remaining = m_input.size() - position;
    if (remaining < kMinMatch) {
        return best;
    }
    const std::size_t limit = std::min(kMaxMatch, remaining);
    for (int32_t slot = m_oldest[ChainOf(position)]; slot != kNone;
         slot = m_next[static_cast<std::size_t>(slot)]) {
        const std::size_t candidate = m_position[static_cast<std::size_t>(slot)];
        if (m_input[candidate] != m_input[position] ||
            m_input[candidate + 1] != m_input[position + 1] ||
            m_input[candidate + 2] != m_input[position + 2]) {
            continue;
        }
        const std::size_t distance = position - candidate;
        if (distance < 2) {
            break;
        }
        std::size_t length = kMinMatch;
        while (length < limit && m_input[candidate + length] == m_input[position + length]) {
            ++length;
        }
        if (length > best.length) {
            best = Match{length, distance};
            if (length == kMaxMatch) {
                break;
            }
        }
    }
    return best;
}
