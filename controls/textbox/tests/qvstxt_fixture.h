#pragma once
// A numeric text box placed anew on a shown host window, with what it raises
// recorded in order.

#include "controls/common/control_host.h"
#include "controls/textbox/qvstxt.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <gtest/gtest.h>

class QvstxtTest : public ::testing::Test {
protected:
    QvstxtTest() {
        host.add(box, "QVSTXT1");
        host.placeNew();
        window.resize(200, 60);
        box.setGeometry(0, 0, 100, 20);
        window.show();
        textBox()->setFocus();
        QObject::connect(&box, &quiltane::QVSTXT::Update,
                         [this](const QString& text) { events << "Update " + text; });
        QObject::connect(&box, &quiltane::QVSTXT::ErrorOccured,
                         [this](qint16 number, const QString& text) {
                             events << QStringLiteral("ErrorOccured %1 %2").arg(number).arg(text);
                         });
        QObject::connect(&box, &quiltane::QVSTXT::KeyUp, [this](qint16& code, qint16& shift) {
            events << QStringLiteral("KeyUp %1 %2").arg(code).arg(shift);
        });
        QObject::connect(
            &host, &vsq::controls::ControlHost::propertyChanged,
            [this](vsq::controls::Control*, const QString& name) { events << "changed " + name; });
    }

    QLineEdit* textBox() { return box.findChild<QLineEdit*>(QStringLiteral("TextBox")); }
    QPushButton* indicator() { return box.findChild<QPushButton*>(QStringLiteral("Indicator")); }
    // The indicator shows red (0x0000FF: the colour value keeps red in its low byte).
    bool red() const { return box.indicatorColor() == 0x0000FFu; }
    // Events of one kind only ("KeyUp", "Update", ...).
    QStringList only(const QString& kind) const {
        return events.filter(QRegularExpression("^" + kind));
    }

    QWidget window;
    vsq::controls::ControlHost host{window};
    quiltane::QVSTXT box{&window};
    QStringList events;
};
