// The EEPROM object's frames against the chip's EEPROM on the simulated board.

#include "comms/EEPROM.h"
#include "comms/PrinterPort.h"
#include "comms/SMBusProtocall.h"
#include "simulated_board.h"

using namespace brisendal;
using namespace brisendal::testing;
using Bytes = std::vector<std::uint8_t>;

namespace {

class EepromFrames : public StartedBoard {
protected:
    void SetUp() override {
        StartedBoard::SetUp();
        eeprom_->setDeviceAddress(0xA8);
    }
};

} // namespace

TEST_F(EepromFrames, WriteAndReadAByteWithTheReadBitOnlyInTheReadPhase) {
    EEPROM another; // used to leave inverted drive patterns behind any polarity
    eeprom_->WriteByte(0xF8, 0x10, 0x5A);
    EXPECT_EQ(traffic(), "S A8+ F8+ 10+ 5A+ P");
    EXPECT_EQ(pc().chip().eepromByte(0xF810), 0x5A);
    journal().clear();
    EXPECT_EQ(eeprom_->ReadByte(0xF8, 0x10), 0x5A);
    EXPECT_EQ(traffic(), "S A8+ F8+ 10+ P S A9+ 5A- P");
    EXPECT_EQ(claims(), Claims(1, 1));

    eeprom_->setDeviceAddress(0xA9);
    journal().clear();
    eeprom_->WriteByte(0xF9, 0x01, 0x77);
    EXPECT_EQ(eeprom_->ReadByte(0xF9, 0x01), 0x77);
    EXPECT_EQ(journal().bytes(1), (Bytes{0xA8, 0xF9, 0x01, 0x77, 0xA8, 0xF9, 0x01, 0xA9, 0x77}));
}

TEST_F(EepromFrames, SetAddressEndsWithANoAcknowledgeClockAndPageEraseSendsItsCommand) {
    eeprom_->SetAddress(0xF9, 0xE0);
    EXPECT_EQ(journal().bytes(1), (Bytes{0xA8, 0xF9, 0xE0}));
    // The master's no-acknowledge clock after E0: data released, then both lines idle.
    EXPECT_TRUE(busIdle());
    // Counted in per-edge pauses (two for a start or stop, four for a 1 bit,
    // two for a 0 bit, two for an acknowledge clock): the closing
    // no-acknowledge clock pauses once.
    protocol_->setRelativeDelayOn(true);
    protocol_->setDelay(1.0f);
    const auto before = time_.yields();
    eeprom_->SetAddress(0xF9, 0xE0);
    EXPECT_EQ(time_.yields() - before, 2u + 22 + 2 + 28 + 2 + 22 + 1 + 2);
    journal().clear();
    EXPECT_FALSE(eeprom_->PageErase(0x01, 0xF8, 0x20));
    EXPECT_EQ(journal().bytes(1), (Bytes{0xA8, 0x01, 0xF8, 0x20}));
}

TEST_F(EepromFrames, SingleCommandNamesItsOwnDeviceAndErasesAPage) {
    pc().chip().setRegisterValue(0x90, 0x08); // EE_ERASE
    pc().chip().setEepromByte(0xF9E5, 0x12);
    eeprom_->setDeviceAddress(0xAA);
    eeprom_->SingleCommand(0xA9, 0xFE);
    EXPECT_EQ(journal().bytes(1), (Bytes{0xA8, 0xFE}));
    EXPECT_EQ(eeprom_->DeviceAddress(), 0xAA);

    eeprom_->setDeviceAddress(0xA8);
    eeprom_->SetAddress(0xF9, 0xE0);
    eeprom_->SingleCommand(0xA8, 0xFE);
    EXPECT_EQ(pc().chip().pageErases(), 1);
    EXPECT_EQ(pc().chip().eepromByte(0xF9E5), 0xFF);
}

TEST_F(EepromFrames, EveryTransactionOpensThePortEvenWhenLocked) {
    printerPort_->setLockPortOpen(true);
    EXPECT_EQ(claims(), Claims(1, 0));
    eeprom_->WriteByte(0xF8, 0x10, 0x5A); // the re-claim drops the lock
    EXPECT_FALSE(printerPort_->LockPortOpen());
    EXPECT_EQ(claims(), Claims(2, 2));
    EXPECT_EQ(pc().chip().eepromByte(0xF810), 0x5A);
}
