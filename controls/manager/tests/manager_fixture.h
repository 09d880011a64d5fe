#pragma once
// The manager "QVSManager1" on a headless host window with two stand-in panels
// before it that name it as their master, on the simulated board. Ticks are
// delivered one at a time (tick()), as the poll timer would deliver them.

#include "comms/tests/simulated_board.h"
#include "controls/common/control_host.h"
#include "controls/common/tests/qstring_printer.h"
#include "controls/manager/qvsmanager.h"
#include "controls/manager/tests/panel_stub.h"

#include <QCoreApplication>
#include <QTimerEvent>

class ManagerTest : public brisendal::testing::SimulatedBoard {
protected:
    void SetUp() override {
        SimulatedBoard::SetUp();
        host.add(first, "QVSRegInfo1");
        host.add(second, "QVSRegInfo2");
        host.add(manager, "QVSManager1");
        QObject::connect(&host, &vsq::controls::ControlHost::propertyChanged,
                         [this](vsq::controls::Control* control, const QString& name) {
                             if (control == &manager) {
                                 events << "changed " + name;
                             }
                         });
        QObject::connect(&manager, &orvessa::QVSManager::ArbitrationError,
                         [this](quint8 number, const QString& text) {
                             events
                                 << QStringLiteral("ArbitrationError %1 %2").arg(number).arg(text);
                         });
        QObject::connect(&manager, &orvessa::QVSManager::AboutToWrite,
                         [this](quint8 shape, float device, float address, float data) {
                             events << QStringLiteral("AboutToWrite %1 %2 %3 %4")
                                           .arg(shape)
                                           .arg(device)
                                           .arg(address)
                                           .arg(data);
                         });
    }

    static vsq::controls::PropertyBag bagWith(const QString& key, const QVariant& value) {
        vsq::controls::PropertyBag bag;
        bag.append(key, value);
        return bag;
    }

    // Loads the manager from a bag, polling on, and lets the first tick build
    // its list; the journal starts empty.
    void start(vsq::controls::PropertyBag bag = {}) {
        bag.append("Enabled", true);
        manager.readProperties(bag);
        tick();
        journal().clear();
        events.clear();
    }

    // A fresh journal and event list, one request of the first panel, one tick;
    // false when no tick arrives.
    bool serveFirst(int shape, float device, float address, bool read, float value = 0) {
        journal().clear();
        events.clear();
        first.request(shape, device, address, read, value);
        return tick();
    }

    // One poll tick; false when the timer is off (no tick arrives).
    bool tick() {
        if (!manager.pollTimerActive()) {
            return false;
        }
        QTimerEvent event(manager.pollTimerId());
        QCoreApplication::sendEvent(&manager, &event);
        return true;
    }

    QWidget window;
    vsq::controls::ControlHost host{window};
    PanelStub first{&window};
    PanelStub second{&window};
    orvessa::QVSManager manager{&window};
    QStringList events;
};
