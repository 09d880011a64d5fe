// The VSQ5540's EEPROM frames and UPDCFG, driven by hand-written line sequences.

#include "line_master.h"
#include "sim/simulated_pc.h"
#include "sim/vsq5540_defaults.h"

#include <gtest/gtest.h>

using namespace vsq::sim;
using vsq::sim::testing::MasterTest;

namespace {

class ChipEeprom : public MasterTest {
protected:
    // The communications library's EEPROM frames.
    void setAddress(std::uint8_t high, std::uint8_t low) { master.write({0xA8, high, low}); }
    void writeEeprom(std::uint8_t high, std::uint8_t low, std::uint8_t data) {
        master.write({0xA8, high, low, data});
    }
    std::uint8_t readEeprom(std::uint8_t high, std::uint8_t low) {
        setAddress(high, low);
        return master.receiveByte(0xA8);
    }
    void erasePage(std::uint8_t high, std::uint8_t low) {
        setAddress(high, low);
        master.sendByte(0xA8, 0xFE);
    }
    Vsq5540& chip() { return pc.chip(); }
};

} // namespace

TEST_F(ChipEeprom, PowerUpHoldsTheDefaultSetUpAndAnErasedUserHalf) {
    const auto defaults = vsq5540DefaultRegisters();
    // UPDCFG, P1PLBIMKA, P2PLBIMKA, P8PLBIMKA, P9SFDIMKA, PS2OVHYST, P6PDOCFG and 0x0E.
    const int registers[][2] = {{0x90, 0x01}, {0x01, 0xFF}, {0x11, 0xFE}, {0x71, 0xBF},
                                {0x83, 0x7F}, {0xC1, 0x1F}, {0x5D, 0x17}, {0x0E, 0x00}};
    for (const auto& [reg, value] : registers)
        EXPECT_EQ(chip().registerValue(static_cast<std::uint8_t>(reg)), value) << reg;
    for (int i = 0; i <= 0xDF; ++i)
        EXPECT_EQ(chip().eepromByte(static_cast<std::uint16_t>(0xF800 + i)), defaults[i]) << i;
    for (int i = 0xE0; i <= 0x1FF; ++i)
        EXPECT_EQ(chip().eepromByte(static_cast<std::uint16_t>(0xF800 + i)), 0xFF) << i;
}

TEST_F(ChipEeprom, PointerSetByteWriteAndReadBack) {
    writeEeprom(0xF9, 0x10, 0x5A);
    EXPECT_EQ(chip().eepromByte(0xF910), 0x5A);
    EXPECT_EQ(chip().registerValue(0xF9), 0x00); // no register was touched
    EXPECT_EQ(readEeprom(0xF9, 0x10), 0x5A);
    EXPECT_EQ(readEeprom(0xF8, 0x94), 0x3E); // DEVID's copy in the configuration half
    EXPECT_EQ(pc.journal().text(1).substr(0, 23), "S A8+ F9+ 10+ 5A+ P S A");

    // After an EEPROM read a byte-data read of a register reads the register again.
    EXPECT_EQ(master.readByteData(0xA8, 0x90), 0x01);
}

TEST_F(ChipEeprom, SequentialBytesStayInTheirPageOnWriteAndRunOnOnRead) {
    master.write({0xA8, 0xF9, 0x1F, 0x01, 0x02}); // 0x02 wraps to the start of page 0xF900
    EXPECT_EQ(chip().eepromByte(0xF91F), 0x01);
    EXPECT_EQ(chip().eepromByte(0xF900), 0x02);
    EXPECT_EQ(chip().eepromByte(0xF920), 0xFF);

    setAddress(0xF9, 0x1F);
    master.start();
    master.writeByte(0xA9);
    EXPECT_EQ(master.readByte(true), 0x01);
    EXPECT_EQ(master.readByte(false), 0xFF); // 0xF920
    master.stop();
}

// A page is erased only while EE_ERASE is set and with the pointer set
// straight before; any address inside the page erases that whole page alone.
TEST_F(ChipEeprom, PageEraseNeedsEeEraseAndThePointerSetStraightBefore) {
    writeEeprom(0xF9, 0xE3, 0x00);
    erasePage(0xF9, 0xE0);
    EXPECT_EQ(chip().pageErases(), 0);
    EXPECT_EQ(chip().eepromByte(0xF9E3), 0x00);

    master.writeByteData(0xA8, 0x90, 0x09); // UPD and EE_ERASE
    setAddress(0xF8, 0x20);
    master.readByteData(0xA8, 0x00); // another frame between the two
    master.sendByte(0xA8, 0xFE);
    writeEeprom(0xF8, 0x21, 0x00); // a byte written is no pointer set either
    master.sendByte(0xA8, 0xFE);
    EXPECT_EQ(chip().pageErases(), 0);
    EXPECT_EQ(chip().eepromByte(0xF820), 0x00);

    erasePage(0xF8, 0x3F);
    EXPECT_EQ(chip().pageErases(), 1);
    for (int i = 0x20; i < 0x40; ++i)
        EXPECT_EQ(chip().eepromByte(static_cast<std::uint16_t>(0xF800 + i)), 0xFF) << i;
    EXPECT_EQ(chip().eepromByte(0xF801), 0xFF);
    EXPECT_EQ(chip().eepromByte(0xF840), 0x00);
    EXPECT_EQ(chip().eepromByte(0xF894), 0x3E);
    EXPECT_EQ(chip().eepromByte(0xF9E3), 0x00);
    erasePage(0xF9, 0xE0); // a page of the user half alike
    EXPECT_EQ(chip().pageErases(), 2);
    EXPECT_EQ(chip().eepromByte(0xF9E3), 0xFF);
    EXPECT_EQ(chip().registerValue(0x90), 0x09); // EE_ERASE stays set
}

TEST_F(ChipEeprom, RamLoadAndEepromLoadCopyTheWorkingRegisters) {
    master.writeByteData(0xA8, 0x10, 0x5A);
    master.writeByteData(0xA8, 0x90, 0x05); // EEPROMLD
    EXPECT_EQ(chip().registerValue(0x90), 0x01);
    EXPECT_EQ(chip().eepromByte(0xF810), 0x5A);
    EXPECT_EQ(chip().eepromByte(0xF890), 0x01);

    master.writeByteData(0xA8, 0x10, 0x00);
    master.writeByteData(0xA8, 0xE0, 0x33); // test registers are not part of the copy
    writeEeprom(0xF8, 0x11, 0x66);
    writeEeprom(0xF8, 0x94, 0x00);          // a read-only register keeps its value on load
    writeEeprom(0xF8, 0x90, 0x08);          // so does UPDCFG
    master.writeByteData(0xA8, 0x90, 0x03); // RAMLD
    EXPECT_EQ(chip().registerValue(0x90), 0x01);
    EXPECT_EQ(chip().registerValue(0x10), 0x5A);
    EXPECT_EQ(chip().registerValue(0x11), 0x66);
    EXPECT_EQ(chip().registerValue(0x94), 0x3E);
    EXPECT_EQ(chip().registerValue(0xE0), 0x33);
}
