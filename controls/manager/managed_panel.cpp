#include "controls/manager/managed_panel.h"

#include "controls/common/basic_error.h"
#include "controls/common/basic_variant.h"

namespace orvessa {

using vsq::controls::BasicError;
using vsq::controls::Control;
using vsq::controls::DispatchId;

namespace {

const QString kRegInfoType = QStringLiteral("QVSRegInfo");
const QString kLimitGaugeType = QStringLiteral("QVSLimitGauge");
constexpr int kObjectNotSet = 91;

std::optional<DispatchId> idOf(const Control& control, const QString& name) {
    if (const auto* member = control.memberTable().find(name)) {
        return member->id;
    }
    return std::nullopt;
}

} // namespace

std::optional<ManagedPanel> ManagedPanel::collect(Control& control, const QString& managerName) {
    const QString type = control.typeName();
    if (type != kRegInfoType && type != kLimitGaugeType) {
        return std::nullopt;
    }
    try {
        if (vsq::controls::toText(control.dispatchGet(QStringLiteral("master"))) != managerName) {
            return std::nullopt;
        }
    } catch (const BasicError&) {
        return std::nullopt; // no master to compare
    }
    ManagedPanel panel;
    panel.control_ = &control;
    panel.alive_ = dynamic_cast<QObject*>(&control);
    panel.tracked_ = !panel.alive_.isNull();
    panel.serviceable_ = type == kRegInfoType;
    if (panel.serviceable_) {
        panel.ids_ = {idOf(control, "Flag"),
                      idOf(control, "ExecuteRead"),
                      idOf(control, "CommunicationsType"),
                      idOf(control, "DeviceAddress"),
                      idOf(control, "AddressPointer"),
                      idOf(control, "RWValue")};
    }
    return panel;
}

Control* ManagedPanel::control() const {
    return tracked_ && alive_.isNull() ? nullptr : control_;
}

Control& ManagedPanel::live() const {
    Control* panel = control();
    if (panel == nullptr) {
        throw BasicError(kObjectNotSet, "Object variable or With block variable not set");
    }
    return *panel;
}

QString ManagedPanel::name() const {
    const Control* panel = control();
    return panel == nullptr ? QString() : panel->nameOnHost();
}

QVariant ManagedPanel::get(const std::optional<DispatchId>& id) const {
    if (!id) {
        throw BasicError(vsq::controls::ErrorNumber::MemberNotSupported);
    }
    return live().dispatchGet(*id);
}

double ManagedPanel::number(const std::optional<DispatchId>& id) const {
    return vsq::controls::toDouble(get(id));
}

void ManagedPanel::put(const std::optional<DispatchId>& id, const QVariant& value) const {
    if (!id) {
        throw BasicError(vsq::controls::ErrorNumber::MemberNotSupported);
    }
    live().dispatchPut(*id, value);
}

bool ManagedPanel::Flag() const {
    return vsq::controls::toBoolean(get(ids_.flag));
}
void ManagedPanel::setFlag(bool value) const {
    put(ids_.flag, value);
}
bool ManagedPanel::ExecuteRead() const {
    return vsq::controls::toBoolean(get(ids_.executeRead));
}
double ManagedPanel::CommunicationsType() const {
    return number(ids_.communicationsType);
}
double ManagedPanel::DeviceAddress() const {
    return number(ids_.deviceAddress);
}
double ManagedPanel::AddressPointer() const {
    return number(ids_.addressPointer);
}
double ManagedPanel::RWValue() const {
    return number(ids_.rwValue);
}
void ManagedPanel::setRWValue(float value) const {
    put(ids_.rwValue, value);
}

} // namespace orvessa
