// The EEPROM routines on the simulated board: they always address the chip at
// gChipAddress, whatever device address other clients left in the library.

#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/device/conversions.h"
#include "comms/com_error.h"
#include "platform/parallel_port_driver.h"
#include "simulated_board.h"

using namespace trelvane;
using namespace trelvane::testing;

namespace {

constexpr std::uint8_t kOtherDevice = 0xAA; // what the register access window sets

using EEPROMIOWithoutADriver = FreshProgram;

class EEPROMIO : public SimulatedBoard {
protected:
    void SetUp() override {
        SimulatedBoard::SetUp();
        protocol().setDeviceAddress(kOtherDevice);
    }
};

} // namespace

// An address beyond 32 bits raises Overflow before any traffic.
TEST_F(EEPROMIO, ByteWriteAndReadAddressTheChipAndAnAddressBeyond32BitsOverflows) {
    EXPECT_THROW(WriteEEPROMByte(3e10f, 0x11), Overflow);
    EXPECT_THROW(ReadEEPROMByte(-3e10f), Overflow);
    EXPECT_TRUE(journal().events().empty());
    WriteEEPROMByte(0xF910, 0x5A);
    EXPECT_EQ(traffic(), "S A8+ F9+ 10+ 5A+ P");
    EXPECT_EQ(chip().eepromByte(0xF910), 0x5A);
    journal().clear();
    EXPECT_EQ(ReadEEPROMByte(0xF910), 0x5A);
    EXPECT_EQ(bytes(), (Bytes{0xA8, 0xF9, 0x10, 0xA9, 0x5A}));
    EXPECT_EQ(protocol().DeviceAddress(), kOtherDevice);
}

TEST_F(EEPROMIO, AddressIsRoundedAndSplitIntoItsLow16Bits) {
    struct Case {
        float address;
        std::uint8_t highByte;
        std::uint8_t lowByte;
    };
    for (const Case c : {Case{0xF900 + 255, 0xF9, 0xFF}, Case{0xF800 + 0.5f, 0xF8, 0x00},
                         Case{0xF800 + 1.5f, 0xF8, 0x02}, Case{0xF800 + 0x10000, 0xF8, 0x00},
                         Case{-1.0f, 0xFF, 0xFF}}) {
        journal().clear();
        WriteEEPROMByte(c.address, 0x11);
        EXPECT_EQ(bytes(), (Bytes{0xA8, c.highByte, c.lowByte, 0x11})) << c.address;
    }
}

// The EEPROM object is fetched before the address is split: when the root
// object cannot be created, its failed status is what reaches the caller.
TEST_F(EEPROMIOWithoutADriver, TheFetchFailsBeforeTheAddressIsSplit) {
    gChipAddress = 0xA8;
    auto& driver = vsq::platform::ParallelPortDriver::instance();
    const auto library = driver.libraryName();
    driver.setLibraryName("libno-such-driver.so");
    EXPECT_THROW(WriteEEPROMByte(3e10f, 0x11), brisendal::ComError);
    EXPECT_THROW(ReadEEPROMByte(-3e10f), brisendal::ComError);
    EXPECT_FALSE(comPortCreated());
    driver.setLibraryName(library);
}

// The traffic starts only after the wait: nothing reaches the bus while it runs.
TEST_F(EEPROMIO, PageEraseWaitsThenErasesThePageOfTheChip) {
    chip().setRegisterValue(0x90, 0x08); // EE_ERASE, as callers set it
    for (int offset = 0; offset < 0x20; ++offset) {
        chip().setEepromByte(static_cast<std::uint16_t>(0xF9E0 + offset), 0x00);
    }
    chip().setEepromByte(0xF9DF, 0x00);
    const double before = vsq::platform::secondsNow();
    std::size_t eventsDuringWait = 0;
    const auto previous = vsq::platform::setYieldHook([&](vsq::platform::YieldMode mode) {
        time_.clock().advance(0.001);
        if (mode == vsq::platform::YieldMode::Normal) { // the wait's yields, not a frame's
            eventsDuringWait += journal().events().size();
        }
    });

    EraseEEPROMPage(0xF9, 0xE0);

    vsq::platform::setYieldHook(previous);
    EXPECT_GE(vsq::platform::secondsNow() - before, 0.03);
    EXPECT_EQ(eventsDuringWait, 0u);
    EXPECT_EQ(bytes(), (Bytes{0xA8, 0xF9, 0xE0, 0xA8, 0xFE}));
    EXPECT_EQ(journal().count(1, vsq::sim::EventKind::Start), 2u);
    EXPECT_EQ(chip().pageErases(), 1);
    EXPECT_EQ(chip().eepromByte(0xF9E0), 0xFF);
    EXPECT_EQ(chip().eepromByte(0xF9FF), 0xFF);
    EXPECT_EQ(chip().eepromByte(0xF9DF), 0x00);
    EXPECT_EQ(protocol().DeviceAddress(), kOtherDevice);
}

TEST_F(EEPROMIO, OnTheChipsetRoadPageEraseOnlyWaits) {
    gPortType = 1;
    const double before = vsq::platform::secondsNow();
    EraseEEPROMPage(0xF9, 0xE0);
    EXPECT_GE(vsq::platform::secondsNow() - before, 0.03);
    EXPECT_TRUE(journal().events().empty());
}
