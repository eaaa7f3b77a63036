#pragma once

#include <QScrollArea>

// A vertical scroll area that asks for the whole size of its content, so a window holding it
// is as large as its content where the screen allows and scrolls only where it does not. Its
// width never needs a horizontal scroll bar.
class CFittingScrollArea : public QScrollArea {
    Q_OBJECT

public:
    explicit CFittingScrollArea(QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};
