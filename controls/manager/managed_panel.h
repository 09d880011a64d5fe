#pragma once
// A control of the host window that names the manager as its master, reached
// late through its members: the names are looked up (without regard to case)
// once, when the control is collected, and every later access goes by the
// dispatch number found. A control that is destroyed later reads as gone.
//
// Only controls of type "QVSRegInfo" are serviced; "QVSLimitGauge" controls
// are collected and left alone. Reading a member the control lacks, or one
// that holds no number, fails with the control's BasicError (438, 13, 6).

#include "controls/common/control.h"

#include <QPointer>
#include <QString>

#include <optional>

namespace orvessa {

class ManagedPanel {
public:
    // The control when it is one the manager collects and its master is
    // `managerName`, compared exactly; otherwise nothing.
    static std::optional<ManagedPanel> collect(vsq::controls::Control& control,
                                               const QString& managerName);

    bool serviceable() const { return serviceable_ && control() != nullptr; }
    bool is(const vsq::controls::Control* control) const { return control == control_; }
    // Its name on the host, for failure texts.
    QString name() const;

    // A serviceable panel only.
    bool Flag() const;
    void setFlag(bool value) const;
    // Empty reads as False.
    bool ExecuteRead() const;
    double CommunicationsType() const;
    double DeviceAddress() const;
    double AddressPointer() const;
    double RWValue() const;
    void setRWValue(float value) const;

private:
    struct Ids {
        std::optional<vsq::controls::DispatchId> flag, executeRead, communicationsType,
            deviceAddress, addressPointer, rwValue;
    };

    vsq::controls::Control* control() const;
    // The control; a destroyed one fails with 91.
    vsq::controls::Control& live() const;
    QVariant get(const std::optional<vsq::controls::DispatchId>& id) const;
    double number(const std::optional<vsq::controls::DispatchId>& id) const;
    void put(const std::optional<vsq::controls::DispatchId>& id, const QVariant& value) const;

    vsq::controls::Control* control_ = nullptr;
    QPointer<QObject> alive_; // set when the control is a Qt object
    bool tracked_ = false;    // alive_ tells whether it still exists
    bool serviceable_ = false;
    Ids ids_;
};

} // namespace orvessa
