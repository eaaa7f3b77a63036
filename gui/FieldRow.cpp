#include "gui/FieldRow.h"

#include <QGridLayout>

void AddFieldRow(QGridLayout& grid, int row, QWidget& lead, QWidget& field, int span,
                 QWidget* after) {
    grid.addWidget(&lead, row, 0);
    grid.addWidget(&field, row, 1, 1, span);
    if (after != nullptr) {
        grid.addWidget(after, row, 1 + span);
    }
}
