// Servicing the panels' requests on the simulated board, checked on the journal.

#include "controls/manager/tests/manager_fixture.h"

#include <memory>

using vsq::controls::PropertyBag;

TEST_F(ManagerTest, TwoFlaggedPanelsAreServedInOneTickInHostOrder) {
    auto destroyed = std::make_unique<PanelStub>(&window);
    host.add(*destroyed, "QVSRegInfo3");
    start();
    pc().chip().setRegisterValue(0x94, 0x3E);
    second.request(0, 0x58, 0x01, false, 0x5A);
    first.request(0, 0xA8, 0x94, true);
    destroyed->request(0, 0xA8, 0x10, false, 0x77);
    destroyed.reset(); // while the manager holds it, its request raised: never served
    ASSERT_TRUE(tick());
    EXPECT_EQ(traffic(), "S A8+ 94+ P S A9+ 3E- P S 58+ 01+ 5A+ P");
    EXPECT_EQ(first.flagWrites, QStringList{"false 62"}); // the value is in place first
    EXPECT_EQ(second.flagWrites, QStringList{"false 90"});
    EXPECT_EQ(manager.DeviceAddress(), 0x58); // the last serviced panel's
}

TEST_F(ManagerTest, OnlyPanelsNamingTheManagerExactlyAreServed) {
    PanelStub wrongCase(&window);
    PanelStub gauge(&window, "QVSLimitGauge");
    host.add(wrongCase, "QVSRegInfo3");
    host.add(gauge, "QVSLimitGauge1");
    wrongCase.fields["Master"] = "qvsmanager1";
    first.request(0, 0xA8, 0x94, true);
    manager.readProperties(bagWith("Enabled", true));
    ASSERT_TRUE(tick()); // the first tick serves before it finds its panels
    EXPECT_TRUE(first.flag());
    wrongCase.request(0, 0xA8, 0x94, true);
    gauge.request(0, 0xA8, 0x94, true);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(tick());
    }
    EXPECT_FALSE(first.flag());
    EXPECT_TRUE(wrongCase.flag());
    EXPECT_TRUE(gauge.flag());
    EXPECT_EQ(traffic(), "S A8+ 94+ P S A9+ 3E- P");
}

TEST_F(ManagerTest, TheParallelPortCarriesEachShapeUpToItsLargestValues) {
    const struct {
        std::int16_t shape;
        float device, address;
        bool read;
        float value;
        const char* traffic;
        float result;
        const char* aboutToWrite;
    } rows[] = {
        {0, 0x58, 0x00, true, 0, "S 58+ 00+ P S 59+ 80- P", 0x80, nullptr},
        {0, 0x58, 0x00, false, 90.5f, "S 58+ 00+ 5A+ P", 90.5f, "AboutToWrite 0 88 0 90.5"},
        {1, 0x18, 0x21, false, 4660, "S 18+ 21+ 12+ 34+ P", 4660, "AboutToWrite 1 24 33 4660"},
        {1, 0x18, 0x21, true, 0, "S 18+ 21+ P S 19+ 12+ 34- P", 4660, nullptr},
        {2, 0x90, 0, false, 0x24, "S 90+ 24+ P", 0x24, "AboutToWrite 2 144 0 36"},
        {2, 0x90, 0, true, 0, "S 91+ 24- P", 0x24, nullptr},
        {3, 0xA8, 0xF812, false, 0x77, "S A8+ F8+ 12+ 77+ P", 0x77, "AboutToWrite 3 168 63506 119"},
        {3, 0xA8, 0xF812, true, 0, "S A8+ F8+ 12+ P S A9+ 77- P", 0x77, nullptr},
        {7, 0xA8, 0x10, true, 5, "", 0, nullptr},
        {7, 0xA8, 0x10, false, 5, "", 5, "AboutToWrite 7 168 16 5"},
        // The largest values each transfer may carry go through whole.
        {0, 0xA8, 0xFF, false, 255, "S A8+ FF+ FF+ P", 255, "AboutToWrite 0 168 255 255"},
        {1, 0xA8, 0x10, false, 65535, "S A8+ 10+ FF+ FF+ P", 65535, "AboutToWrite 1 168 16 65535"},
        {2, 0xFE, 0, false, 255, "S FE- FF- P", 255, "AboutToWrite 2 254 0 255"},
        {3, 0xA8, 65535, true, 0, "S A8+ FF+ FF+ P S A9+ 00- P", 0, nullptr},
    };
    start();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.traffic);
        ASSERT_TRUE(serveFirst(row.shape, row.device, row.address, row.read, row.value));
        EXPECT_EQ(traffic(), row.traffic);
        EXPECT_FALSE(first.flag());
        EXPECT_EQ(first.rwValue(), row.result);
        EXPECT_EQ(events, row.aboutToWrite ? QStringList{row.aboutToWrite} : QStringList{});
    }
}

// The chipset's host controller is given the 7-bit address; it has byte
// register transfers only.
TEST_F(ManagerTest, TheChipsetMediumCarriesByteRegistersOnly) {
    PropertyBag bag = bagWith("CommType", QVariant::fromValue<quint8>(1));
    bag.append("SMBusBaseAddress", 20480.0f); // the controller's base, 0x5000
    start(bag);
    pc().chip(vsq::sim::kChipsetBus).setRegisterValue(0x11, 0x42);
    first.request(0, 0xA8, 0x11, true);
    second.request(0, 0xA8, 0x12, false, 0x24);
    ASSERT_TRUE(tick());
    EXPECT_EQ(traffic(vsq::sim::kChipsetBus), "S A8+ 11+ Sr A9+ 42- P S A8+ 12+ 24+ P");
    EXPECT_EQ(first.rwValue(), 0x42);
    EXPECT_EQ(pc().chip(vsq::sim::kChipsetBus).registerValue(0x12), 0x24);

    for (std::int16_t shape : {1, 2, 3}) {
        ASSERT_TRUE(serveFirst(shape, 0xA8, 0xF812, true, 9));
        EXPECT_EQ(traffic(vsq::sim::kChipsetBus), "");
        EXPECT_FALSE(first.flag());
        EXPECT_EQ(first.rwValue(), 0);
        EXPECT_EQ(events, QStringList{QStringLiteral("ArbitrationError 5 The chipset SMBus has no "
                                                     "transfer of shape %1 (QVSRegInfo1 asks for "
                                                     "it)")
                                          .arg(shape)});
    }
}

TEST_F(ManagerTest, TheUsbMediumCarriesNothing) {
    start(bagWith("CommType", QVariant::fromValue<quint8>(2)));
    first.request(0, 0xA8, 0x94, true, 7);
    second.request(0, 0xA8, 0x10, false, 0x5A);
    ASSERT_TRUE(tick());
    EXPECT_EQ(traffic(), "");
    EXPECT_EQ(traffic(vsq::sim::kChipsetBus), "");
    EXPECT_EQ(first.flagWrites, QStringList{"false 0"});
    EXPECT_EQ(second.flagWrites, QStringList{"false 90"});
    EXPECT_EQ(events, QStringList{"AboutToWrite 0 168 16 90"});
}

TEST_F(ManagerTest, ACountdownOfThreeStopsTheTimerAfterThreeTicks) {
    start();
    manager.setServiceNControlsEnabled(true);
    manager.setServiceNControls(3);
    EXPECT_TRUE(tick());
    EXPECT_TRUE(tick());
    EXPECT_TRUE(tick());
    EXPECT_FALSE(manager.pollTimerActive());
    EXPECT_EQ(manager.ServiceNControls(), 0);
}

// A value that does not fit its transfer is refused before the bus sees it.
TEST_F(ManagerTest, ABadRequestMakesNoTransferAndClearsTheFlag) {
    const struct {
        std::int16_t shape;
        float device, address;
        bool read;
        float value;
        const char* error;
    } rows[] = {
        {0, 300, 0x10, true, 0, "device address 300, outside 0 to 255"},
        {0, -1, 0x10, true, 0, "device address -1, outside 0 to 255"},
        {-1, 0xA8, 0x10, true, 0, "transfer shape -1, outside 0 to 255"},
        {0, 0xA8, 256, true, 0, "register address 256, outside 0 to 255"},
        {1, 0x18, 0x21, false, 65536, "word value 65536, outside 0 to 65535"},
        {0, 0xA8, 0x10, false, 255.5f, "value 255.5, outside 0 to 255"},
        {2, 0x90, 999, false, -3, "value -3, outside 0 to 255"},
        {3, 0xA8, 70000, true, 0, "EEPROM address 70000, outside 0 to 65535"},
    };
    start();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.error);
        ASSERT_TRUE(serveFirst(row.shape, row.device, row.address, row.read, row.value));
        EXPECT_EQ(traffic(), "");
        EXPECT_FALSE(first.flag());
        EXPECT_EQ(first.rwValue(), row.read ? 0 : row.value);
        EXPECT_EQ(events, QStringList{QStringLiteral("ArbitrationError 6 Overflow: QVSRegInfo1 "
                                                     "asks for ") +
                                      row.error});
    }
}

// The bus refused every attempt: the object that carried the transfer
// reported it, and the manager passes it on; a read yields 0.
TEST_F(ManagerTest, ATransferThatFailsOnTheBusRaisesArbitrationError) {
    PropertyBag bag = bagWith("ArbitrationOn", true);
    bag.append("ArbitrationMaxCollisions", QVariant::fromValue<quint8>(2));
    start(bag);
    pc().holdSdaLow(1, true);
    for (std::int16_t shape : {0, 3}) {
        ASSERT_TRUE(serveFirst(shape, 0xA8, shape == 3 ? 0xF812 : 0x94, true, 9));
        EXPECT_FALSE(first.flag());
        EXPECT_EQ(first.rwValue(), 0);
        EXPECT_EQ(events,
                  QStringList{"ArbitrationError 2 " +
                              QString::fromStdString(brisendal::testing::arbitrationText(2))});
    }
}

TEST_F(ManagerTest, AnIdleManagerTicksSlowerUntilAPanelRaisesItsFlag) {
    start(); // its tick is the first idle one
    for (int i = 2; i < orvessa::QVSManager::kIdleTicks; ++i) {
        ASSERT_TRUE(tick());
    }
    EXPECT_EQ(manager.pollIntervalMs(), 1);
    ASSERT_TRUE(tick());
    EXPECT_EQ(manager.pollIntervalMs(), 10);
    second.dispatchPut("Flag", true); // through the setter: the host hears of it
    EXPECT_EQ(manager.pollIntervalMs(), 1);
}
