#pragma once
// The register panel "QVSRegInfo1" and its manager "QVSManager1" on a host
// window, loaded from their bags as the register window loads them.

#include "controls/common/control_host.h"
#include "controls/common/property_bag_file.h"
#include "controls/manager/qvsmanager.h"
#include "controls/reginfo/qvsreginfo.h"

#include <QCoreApplication>
#include <QTimerEvent>
#include <QWidget>

class ManagedPanel {
public:
    // Adds both to the host and reads their bags: the panel's master is the
    // manager, and the manager is enabled.
    void load() {
        host.add(panel, "QVSRegInfo1");
        host.add(manager, "QVSManager1");
        vsq::controls::PropertyBagFile stored;
        stored.bag("QVSRegInfo1").append("Master", QStringLiteral("QVSManager1"));
        stored.bag("QVSManager1").append("Enabled", true);
        host.readProperties(stored);
    }

    // Delivers one poll tick of the manager, as its running timer would.
    void tick() {
        if (manager.pollTimerActive()) {
            QTimerEvent event(manager.pollTimerId());
            QCoreApplication::sendEvent(&manager, &event);
        }
    }

    QWidget window;
    vsq::controls::ControlHost host{window};
    mirelda::QVSRegInfo panel{&window};
    orvessa::QVSManager manager{&window};
};
