#pragma once
// What the display-control tests share: the failure number of a call, a wheel
// turn, and a record of the events a control raised.

#include "controls/common/dispatchable.h"

#include <QApplication>
#include <QStringList>
#include <QWheelEvent>
#include <QWidget>

inline int failureOf(auto&& call) {
    return vsq::controls::statusOf(call).number;
}

// Notches of the wheel over the widget's middle (positive: away from the user).
inline void turnWheel(QWidget& widget, int notches) {
    const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
    QWheelEvent event(at, widget.mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
}
