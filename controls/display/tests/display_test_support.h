#pragma once
// What the display-control tests share: the failure number of a call, the
// members a control holds, a stored scale whose Max is below its Min, and a
// wheel turn.

#include "controls/common/basic_variant.h"
#include "controls/common/dispatchable.h"
#include "controls/common/property_bag.h"

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QVariant>
#include <QWheelEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

inline int failureOf(auto&& call) {
    return vsq::controls::statusOf(call).number;
}

// One member written by its dispatch number and what it then reads back.
struct MemberCase {
    vsq::controls::DispatchId id;
    QVariant written;
    QVariant read;
};

// Writes each member in turn and reads it back at once.
inline void expectMembers(vsq::controls::Dispatchable& control,
                          const std::vector<MemberCase>& cases) {
    for (const MemberCase& c : cases) {
        control.dispatchPut(c.id, c.written);
        EXPECT_EQ(control.dispatchGet(c.id), c.read) << c.id;
    }
}

// Each member, read by its name, holds the value given (compared as Basic
// compares values).
inline void expectReads(vsq::controls::Dispatchable& control,
                        const std::vector<std::pair<QString, QVariant>>& reads) {
    for (const auto& [name, value] : reads) {
        const QVariant read = control.dispatchGet(name);
        EXPECT_TRUE(vsq::controls::basicEquals(read, value))
            << name.toStdString() << " reads " << read.toString().toStdString();
    }
}

// A stored Max below Min, with the value (stored under `valueKey`, read as
// `value`) above both: the scale shrinks to Min and the value with it.
template <class Control>
void expectAStoredMaxBelowMinShrinksTheScaleToMin(Control& control, const char* valueKey,
                                                  const char* value) {
    vsq::controls::PropertyBag inverted;
    inverted.append("Min", 50);
    inverted.append("Max", 10);
    inverted.append(valueKey, 70);
    control.readProperties(inverted);
    expectReads(control, {{"Min", 50}, {"Max", 50}, {value, 50}});
}

// Notches of the wheel over the widget's middle (positive: away from the user).
inline void turnWheel(QWidget& widget, int notches) {
    const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
    QWheelEvent event(at, widget.mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
}

// A click of `key`, or with key 0 a wheel notch away from the user.
inline void pressKeyOrTurnWheel(QWidget& widget, int key) {
    if (key == 0)
        turnWheel(widget, 1);
    else
        QTest::keyClick(&widget, static_cast<Qt::Key>(key));
}
