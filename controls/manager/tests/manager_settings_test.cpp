// The manager's properties, its property bag, what it pushes into the
// process-wide bus state, and the switching of its poll timer.

#include "controls/manager/tests/manager_fixture.h"

#include <functional>

using orvessa::QVSManager;
using vsq::controls::PropertyBag;
namespace id = orvessa::QVSManagerId;

namespace {

// Every property in slot order: its initial value, and another that is saved
// under its name and read back. True is -1.
const struct Member {
    vsq::controls::DispatchId id;
    const char* name;
    double initial, other;
} kMembers[] = {
    // clang-format off
    {id::CommType, "CommType", 0, 2}, {id::PrinterPortAddress, "PrinterPortAddress", 888, 632},
    {id::DeviceAddress, "DeviceAddress", 0, 0xA8},
    {id::SMBusBaseAddress, "SMBusBaseAddress", 0, 20480},
    {id::StatusPortOrBits, "StatusPortOrBits", 0, 1},
    {id::ControlPortOrBits, "ControlPortOrBits", 0, 2},
    {id::DataPortOrBits, "DataPortOrBits", 0, 4}, {id::Enabled, "Enabled", 0, -1},
    {id::ServiceNControls, "ServiceNControls", 0, 5},
    {id::ServiceNControlsEnabled, "ServiceNControlsEnabled", 0, -1},
    {id::DataInverted, "DataInverted", -1, 0}, {id::ArbitrationOn, "ArbitrationOn", 0, -1},
    {id::ArbitrationMaxCollisions, "ArbitrationMaxCollisions", 10, 3},
    // clang-format on
};

void expectValues(QVSManager& manager, double Member::*value) {
    for (const Member& row : kMembers) {
        EXPECT_EQ(vsq::controls::toDouble(manager.dispatchGet(row.id)), row.*value) << row.name;
    }
}

} // namespace

TEST_F(ManagerTest, ANewManagerAndAnEmptyBagGiveTheDefaultsAndSaveNoKeys) {
    startApplication();
    protocol_->setMaxArbitrationDenials(7);
    manager.initProperties();
    expectValues(manager, &Member::initial);
    EXPECT_EQ(brisendal::busState().MaxArbitrationDenials, 7); // nothing pushed
    PropertyBag saved;
    manager.writeProperties(saved);
    EXPECT_TRUE(saved.isEmpty());

    manager.readProperties(PropertyBag{});
    expectValues(manager, &Member::initial);
    EXPECT_FALSE(manager.pollTimerActive());
}

TEST_F(ManagerTest, EveryPropertyIsSavedUnderItsNameAndReadBack) {
    manager.initProperties();
    QStringList names;
    for (const Member& row : kMembers) {
        events.clear();
        manager.dispatchPut(row.id, row.other);
        EXPECT_EQ(events, QStringList{QStringLiteral("changed ") + row.name});
        names << row.name;
    }
    PropertyBag saved;
    manager.writeProperties(saved);
    QStringList keys;
    for (const auto& entry : saved.entries()) {
        keys << entry.key;
    }
    EXPECT_EQ(keys, names);

    QWidget otherWindow;
    vsq::controls::ControlHost otherHost(otherWindow);
    QVSManager again(&otherWindow);
    otherHost.add(again, "QVSManager1");
    again.readProperties(saved);
    expectValues(again, &Member::other);
}

// The new library objects put part of the bus state back first; the manager's
// own settings follow, the data lines' OR bits among them.
TEST_F(ManagerTest, ReadingTheBagResetsTheBusStateThenPushesItsSettings) {
    startApplication();
    protocol_->setDelay(0.5f);
    protocol_->setMaxArbitrationDenials(3);
    protocol_->setBitsToStayHigh(0x40);
    PropertyBag bag;
    bag.append("DataPortOrBits", QVariant::fromValue<quint8>(0x0C));
    bag.append("ControlPortOrBits", QVariant::fromValue<quint8>(0x30));
    bag.append("DeviceAddress", QVariant::fromValue<quint8>(0x58));
    bag.append("ArbitrationOn", true);
    manager.readProperties(bag);

    const auto& state = brisendal::busState();
    EXPECT_EQ(state.Delay, 0.0f);
    EXPECT_EQ(protocol_->MaxArbitrationDenials(), 10);
    EXPECT_EQ(state.BitsToStayHigh, 0x0C);
    EXPECT_EQ(state.DeviceAddress, 0x58);
    EXPECT_TRUE(state.ArbitrationOn);
    EXPECT_TRUE(state.DataInverted);
    EXPECT_EQ(state.PortAddress, 0x378);
    ASSERT_FALSE(dataWrites().empty());
    EXPECT_EQ(dataWrites().back() & 0xFC, 0x0C); // the idle lines, OR the bits
}

TEST_F(ManagerTest, SettersPushIntoTheProcessWideBusState) {
    startApplication();
    manager.readProperties(PropertyBag{});
    const auto& state = brisendal::busState();
    manager.setDataPortOrBits(0x14);
    EXPECT_EQ(state.BitsToStayHigh, 0x14);
    EXPECT_EQ(state.OrBits, 0x14);
    manager.setDeviceAddress(0x5A);
    EXPECT_EQ(protocol_->DeviceAddress(), 0x5A);
    manager.setDataInverted(false);
    EXPECT_FALSE(state.DataInverted);
    // Stored only, until the next bag read.
    manager.setControlPortOrBits(0xFF);
    manager.setArbitrationOn(true);
    manager.setArbitrationMaxCollisions(3);
    EXPECT_EQ(state.BitsToStayHigh, 0x14);
    EXPECT_FALSE(state.ArbitrationOn);
    EXPECT_EQ(state.MaxArbitrationDenials, 10);
}

TEST_F(ManagerTest, ThePollTimerRunsOnlyWhenAsked) {
    const PropertyBag enabled = bagWith("Enabled", true);
    const auto countdown = [&](std::uint8_t ticks) {
        return [&, ticks](QVSManager& m) {
            m.readProperties(enabled);
            m.setServiceNControlsEnabled(true);
            m.setServiceNControls(ticks);
        };
    };
    const struct {
        const char* what;
        bool userMode;
        std::function<void(QVSManager&)> act;
        bool running;
    } rows[] = {
        {"bag without Enabled", true, [&](QVSManager& m) { m.readProperties({}); }, false},
        {"bag with Enabled", true, [&](QVSManager& m) { m.readProperties(enabled); }, true},
        {"bag with Enabled, design", false, [&](QVSManager& m) { m.readProperties(enabled); },
         false},
        {"Enabled True", true, [](QVSManager& m) { m.setEnabled(true); }, true},
        {"Enabled False stops it", true,
         [](QVSManager& m) {
             m.setEnabled(true);
             m.setEnabled(false);
         },
         false},
        {"Enabled True, design", false, [](QVSManager& m) { m.setEnabled(true); }, false},
        {"countdown, design", false, countdown(2), true},
        {"countdown of 0", false, countdown(0), false},
        {"saving a stopped manager", true,
         [&](QVSManager& m) {
             PropertyBag bag;
             m.readProperties({});
             m.writeProperties(bag);
         },
         false},
    };
    for (const auto& row : rows) {
        vsq::controls::ControlHost otherHost(window);
        otherHost.setUserMode(row.userMode);
        QVSManager other(&window);
        otherHost.add(other, "QVSManager2");
        row.act(other);
        EXPECT_EQ(other.pollTimerActive(), row.running) << row.what;
    }
}

TEST_F(ManagerTest, ItKeepsItsSizeWhateverTheHostGives) {
    manager.resize(300, 90);
    EXPECT_EQ(manager.size(), QSize(32, 32)); // 480 twips square
}
