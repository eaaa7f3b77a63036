#pragma once

#include <vector>

class QLayout;
class QWidget;

// The keyboard's Tab order as the eye reads a window: the widgets of a layout top to bottom and
// left to right (a grid by row, then column; a box in its order), each container's own
// widgets where the container stands, a tab widget's bar and corner widgets before its pages.
// Widgets that take no focus by Tab (labels) are left out; hidden ones are kept, since Tab
// skips them by itself while they are hidden.
void CollectTabChain(const QLayout& layout, std::vector<QWidget*>& chain);

// Tab moves from each widget of `chain` to the next.
void SetTabChain(const std::vector<QWidget*>& chain);
