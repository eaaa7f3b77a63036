#pragma once

class QGridLayout;
class QWidget;

// One row of a page's grid: the lead (a label or a check box) in column 0, the field across
// `span` columns from column 1 and what goes after the field (its button, a unit), if any,
// right behind it.
void AddFieldRow(QGridLayout& grid, int row, QWidget& lead, QWidget& field, int span,
                 QWidget* after = nullptr);
