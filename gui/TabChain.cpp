#include "gui/TabChain.h"

#include <QGridLayout>
#include <QLayout>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>
#include <tuple>

namespace {

void CollectWidget(QWidget& widget, std::vector<QWidget*>& chain);

void CollectPage(QWidget* page, std::vector<QWidget*>& chain) {
    if (page != nullptr && page->layout() != nullptr) {
        CollectTabChain(*page->layout(), chain);
    }
}

void CollectWidget(QWidget& widget, std::vector<QWidget*>& chain) {
    if (auto* tabs = qobject_cast<QTabWidget*>(&widget)) {
        chain.push_back(tabs->tabBar());
        for (const Qt::Corner corner : {Qt::TopLeftCorner, Qt::TopRightCorner}) {
            if (QWidget* cornerWidget = tabs->cornerWidget(corner)) {
                CollectWidget(*cornerWidget, chain);
            }
        }
        for (int i = 0; i < tabs->count(); ++i) {
            CollectPage(tabs->widget(i), chain);
        }
        return;
    }
    if ((widget.focusPolicy() & Qt::TabFocus) != 0) {
        chain.push_back(&widget);
    }
    if (auto* scroll = qobject_cast<QScrollArea*>(&widget)) {
        CollectPage(scroll->widget(), chain);
    } else {
        CollectPage(&widget, chain);
    }
}

}  // namespace

void CollectTabChain(const QLayout& layout, std::vector<QWidget*>& chain) {
    // A grid's items by their place; any other layout's in their order.
    std::vector<std::tuple<int, int, int>> places;  // row, column, item
    const auto* grid = qobject_cast<const QGridLayout*>(&layout);
    for (int i = 0; i < layout.count(); ++i) {
        int row = 0;
        int column = i;
        if (grid != nullptr) {
            int rowSpan = 0;
            int columnSpan = 0;
            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        }
        places.emplace_back(row, column, i);
    }
    std::sort(places.begin(), places.end());
    for (const auto& [row, column, index] : places) {
        QLayoutItem* item = layout.itemAt(index);
        if (QWidget* widget = item->widget()) {
            CollectWidget(*widget, chain);
        } else if (const QLayout* inner = item->layout()) {
            CollectTabChain(*inner, chain);
        }
    }
}

void SetTabChain(const std::vector<QWidget*>& chain) {
    for (std::size_t i = 1; i < chain.size(); ++i) {
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    }
}
