#pragma once

#include <QObject>

// Keeps the mouse wheel from changing a drop-down list or a spin box that has no keyboard
// focus: turned over one while the page scrolls, the wheel goes on to the scroll area around
// it instead. Installed on the application, so fields made later are guarded too.
class CWheelGuard : public QObject {
    Q_OBJECT

public:
    explicit CWheelGuard(QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
