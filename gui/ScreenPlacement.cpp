#include "gui/ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace {

int64_t OverlapArea(const QRect& a, const QRect& b) {
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : int64_t{common.width()} * common.height();
}

// The free area (without panels and task bars) of the screen the rectangle overlaps most.
QRect BestScreenArea(const QRect& rect) {
    QRect best;
    int64_t bestArea = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const int64_t area = OverlapArea(rect, screen->availableGeometry());
        if (area > bestArea) {
            bestArea = area;
            best = screen->availableGeometry();
        }
    }
    if (bestArea == 0) {
        const QScreen* primary = QGuiApplication::primaryScreen();
        return primary ? primary->availableGeometry() : QRect();
    }
    return best;
}

}  // namespace

QRect FitOnScreen(const QRect& wanted) {
    const QRect area = BestScreenArea(wanted);
    if (area.isEmpty()) {
        return wanted;
    }
    QRect fitted(wanted.topLeft(), wanted.size().boundedTo(area.size()));
    fitted.moveLeft(std::clamp(fitted.left(), area.left(), area.right() + 1 - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), area.top(), area.bottom() + 1 - fitted.height()));
    return fitted;
}

bool IsOnAnyScreen(const QRect& rect) {
    const auto screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [&rect](const QScreen* screen) {
        return OverlapArea(rect, screen->availableGeometry()) > 0;
    });
}
