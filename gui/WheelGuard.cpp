#include "gui/WheelGuard.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>

CWheelGuard::CWheelGuard(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
}

namespace {
bool IsGuarded(const QObject* object) {
    return qobject_cast<const QComboBox*>(object) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(object) != nullptr;
}
}  // namespace

bool CWheelGuard::eventFilter(QObject* watched, QEvent* event) {
    if (!IsGuarded(watched) ||
        (event->type() != QEvent::Wheel && event->type() != QEvent::Polish)) {
        return false;
    }
    auto* field = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::Polish) {
        // The wheel would give the field focus before it reaches the field.
        if (field->focusPolicy() == Qt::WheelFocus) {
            field->setFocusPolicy(Qt::StrongFocus);
        }
        return false;
    }
    const QWidget* focus = QApplication::focusWidget();
    if (focus != nullptr && (focus == field || field->isAncestorOf(focus))) {
        return false;
    }
    // Ignored and taken: the application then offers the event to the parents, up to the
    // scroll area.
    event->ignore();
    return true;
}
