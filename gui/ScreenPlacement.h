#pragma once

#include <QRect>

// Where a window may go so that the user sees it: the rectangle kept at its size where it
// fits, moved wholly onto the screen it overlaps most (the primary screen when it overlaps
// none, as after a monitor was unplugged), and shrunk to that screen's free area if it is
// larger.
QRect FitOnScreen(const QRect& wanted);

// True when the rectangle overlaps the free area of any screen attached now.
bool IsOnAnyScreen(const QRect& rect);
