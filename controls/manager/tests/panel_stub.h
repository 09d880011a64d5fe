#pragma once
// A stand-in register panel for the manager's tests: a control of type
// "QVSRegInfo" carrying only the members the manager reaches by name, under
// the panel's dispatch numbers. It records each Flag write with the RWValue
// in place at that moment.

#include "controls/common/control.h"
#include "controls/common/member_table.h"

#include <QStringList>
#include <QWidget>

#include <cstdint>

class PanelStub : public QWidget, public vsq::controls::Control {
public:
    explicit PanelStub(QWidget* parent, QString type = QStringLiteral("QVSRegInfo"))
        : QWidget(parent), type_(std::move(type)) {}

    float RWValue() const { return rwValue; }
    void setRWValue(float v) { rwValue = v; }
    float AddressPointer() const { return addressPointer; }
    void setAddressPointer(float v) { addressPointer = v; }
    bool ExecuteRead() const { return executeRead; }
    void setExecuteRead(bool v) { executeRead = v; }
    bool Flag() const {
        ++flagReads;
        return flag;
    }
    void setFlag(bool v) {
        flag = v;
        flagWrites << QStringLiteral("%1 %2").arg(v ? "True" : "False").arg(rwValue);
    }
    QString Master() const { return master; }
    void setMaster(const QString& v) { master = v; }
    std::int16_t CommunicationsType() const { return communicationsType; }
    void setCommunicationsType(std::int16_t v) { communicationsType = v; }
    float DeviceAddress() const { return deviceAddress; }
    void setDeviceAddress(float v) { deviceAddress = v; }

    // A pending request, as the panel's own sequences raise it.
    void request(std::int16_t shape, float device, float address, bool read, float value = 0) {
        communicationsType = shape;
        deviceAddress = device;
        addressPointer = address;
        executeRead = read;
        rwValue = value;
        flag = true;
    }

    QString typeName() const override { return type_; }
    const vsq::controls::MemberTable& memberTable() const override {
        using vsq::controls::propertyMember;
        static const vsq::controls::MemberTable table{
            propertyMember("RWValue", 0x6803001B, &PanelStub::RWValue, &PanelStub::setRWValue),
            propertyMember("AddressPointer", 0x6803001A, &PanelStub::AddressPointer,
                           &PanelStub::setAddressPointer),
            propertyMember("ExecuteRead", 0x68030019, &PanelStub::ExecuteRead,
                           &PanelStub::setExecuteRead),
            propertyMember("Flag", 0x68030018, &PanelStub::Flag, &PanelStub::setFlag),
            propertyMember("Master", 0x68030017, &PanelStub::Master, &PanelStub::setMaster),
            propertyMember("CommunicationsType", 0x68030001, &PanelStub::CommunicationsType,
                           &PanelStub::setCommunicationsType),
            propertyMember("DeviceAddress", 0x68030000, &PanelStub::DeviceAddress,
                           &PanelStub::setDeviceAddress),
        };
        return table;
    }
    void initProperties() override {}
    void readProperties(const vsq::controls::PropertyBag&) override {}
    void writeProperties(vsq::controls::PropertyBag&) override {}

    float rwValue = 0;
    float addressPointer = 0;
    bool executeRead = true;
    bool flag = false;
    QString master = QStringLiteral("QVSManager1");
    std::int16_t communicationsType = 0;
    float deviceAddress = 0;
    QStringList flagWrites;
    mutable std::uint64_t flagReads = 0;

private:
    QString type_;
};
