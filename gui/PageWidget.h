#pragma once

#include <QWidget>

// A page of a tab widget that asks for no height while another page is in view, so the tab
// widget is as tall as the page it shows rather than its tallest one (the tab widget asks
// every page, shown or not).
class CPageWidget : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    QSize sizeHint() const override { return WhenShown(QWidget::sizeHint()); }
    QSize minimumSizeHint() const override { return WhenShown(QWidget::minimumSizeHint()); }

private:
    QSize WhenShown(QSize size) const { return isHidden() ? QSize(size.width(), 0) : size; }
};
