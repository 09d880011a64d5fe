#pragma once
// A stand-in register panel: a control of type "QVSRegInfo" (or another type)
// carrying only the members the manager reaches by name, under the panel's
// dispatch numbers, each holding what it is given. A Flag write is recorded
// with the RWValue in place at that moment and told to the host.

#include "controls/common/control.h"
#include "controls/common/member_table.h"

#include <QStringList>
#include <QVariantMap>
#include <QWidget>

#include <cstdint>

class PanelStub : public QWidget, public vsq::controls::Control {
public:
    explicit PanelStub(QWidget* parent, QString type = QStringLiteral("QVSRegInfo"))
        : QWidget(parent), type_(std::move(type)) {}

    // A pending request, as the panel's own sequences raise it.
    void request(int shape, float device, float address, bool read, float value = 0) {
        fields = {
            {"CommunicationsType", shape}, {"DeviceAddress", device}, {"AddressPointer", address},
            {"ExecuteRead", read},         {"RWValue", value},        {"Flag", true},
            {"Master", fields["Master"]}};
    }
    bool flag() const { return fields["Flag"].toBool(); }
    float rwValue() const { return fields["RWValue"].toFloat(); }

    QString typeName() const override { return type_; }
    const vsq::controls::MemberTable& memberTable() const override {
        static const vsq::controls::MemberTable table{
            field("RWValue", 0x6803001B),       field("AddressPointer", 0x6803001A),
            field("ExecuteRead", 0x68030019),   field("Flag", 0x68030018),
            field("Master", 0x68030017),        field("CommunicationsType", 0x68030001),
            field("DeviceAddress", 0x68030000),
        };
        return table;
    }
    void initProperties() override {}
    void readProperties(const vsq::controls::PropertyBag&) override {}
    void writeProperties(vsq::controls::PropertyBag&) override {}

    QVariantMap fields{{"Master", "QVSManager1"}, {"Flag", false}};
    QStringList flagWrites;
    mutable std::uint64_t flagReads = 0;

private:
    static vsq::controls::Member field(const QString& name, vsq::controls::DispatchId id) {
        return {name,
                id,
                vsq::controls::MemberKind::Property,
                [name](vsq::controls::Dispatchable& self) {
                    auto& panel = static_cast<PanelStub&>(self);
                    panel.flagReads += name == "Flag";
                    return panel.fields.value(name);
                },
                [name](vsq::controls::Dispatchable& self, const QVariant& value) {
                    auto& panel = static_cast<PanelStub&>(self);
                    panel.fields[name] = value;
                    if (name == "Flag") {
                        panel.flagWrites
                            << value.toString() + " " + panel.fields["RWValue"].toString();
                        panel.propertyChanged(name);
                    }
                },
                {}};
    }

    QString type_;
};
