#pragma once
// A control that a host window carries: reached late through its member table
// (Dispatchable), keeping its settings in a property bag, and using the
// services of its host. A control class derives from its Qt widget and from
// Control, and implements:
//
//   typeName()          its class name as hosts compare it ("QVSTXT")
//   memberTable()       its one explicit member table (member_table.h)
//   initProperties()    a new instance placed on a host: its initial values
//   readProperties()    settings read back from its bag
//   writeProperties()   settings written to its bag, each with its default
//
// Every property write signals propertyChanged() with the property's name as
// its last step. A control that is on no host runs in user mode, has an empty
// name, sees no other controls and takes the application font as ambient font.

#include "controls/common/dispatchable.h"
#include "controls/common/property_bag.h"

#include <QFont>
#include <QString>

#include <vector>

namespace vsq::controls {

class ControlHost;

class Control : public Dispatchable {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    // Leaves its host.
    ~Control() override;

    virtual QString typeName() const = 0;
    virtual void initProperties() = 0;
    virtual void readProperties(const PropertyBag& bag) = 0;
    virtual void writeProperties(PropertyBag& bag) = 0;

    // Host services.
    ControlHost* host() const { return host_; }
    // False while the host is in design mode.
    bool userMode() const;
    // Its name on the host, given there ("QVSManager1").
    QString nameOnHost() const;
    // The host's controls in the host's order, this one among them.
    std::vector<Control*> hostControls() const;
    QFont ambientFont() const;

protected:
    // Tells the host that a property changed (the host marks its settings dirty).
    void propertyChanged(const QString& propertyName);

private:
    friend class ControlHost;
    ControlHost* host_ = nullptr;
};

} // namespace vsq::controls
