#include "gui/FittingScrollArea.h"

#include <QScrollBar>

namespace {
// The smallest height worth scrolling through.
constexpr int kMinimumHeight = 160;
}  // namespace

CFittingScrollArea::CFittingScrollArea(QWidget* parent) : QScrollArea(parent) {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QSize CFittingScrollArea::sizeHint() const {
    if (widget() == nullptr) {
        return QScrollArea::sizeHint();
    }
    const int frame = 2 * frameWidth();
    // Room for the vertical bar is kept, so that the content never shrinks when it appears.
    return widget()->sizeHint() + QSize(frame + verticalScrollBar()->sizeHint().width(), frame);
}

QSize CFittingScrollArea::minimumSizeHint() const {
    if (widget() == nullptr) {
        return QScrollArea::minimumSizeHint();
    }
    const int frame = 2 * frameWidth();
    return QSize(
        widget()->minimumSizeHint().width() + frame + verticalScrollBar()->sizeHint().width(),
        kMinimumHeight);
}
