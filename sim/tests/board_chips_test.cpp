// The board chips and the block-transfer test device, driven by hand-written sequences.

#include "line_master.h"
#include "sim/pec.h"
#include "sim/simulated_pc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vsq::sim;
using vsq::sim::testing::MasterTest;

namespace {

class BoardChips : public MasterTest {
protected:
    EvaluationBoard& board() { return *pc.board(1); }
};

} // namespace

TEST_F(BoardChips, DacWordsPerChannel) {
    // The default set-up's words, as the program's board window reads them at start.
    EXPECT_EQ(master.readWord(0x18, 0x24), 0x2344);
    EXPECT_EQ(master.readWord(0x1A, 0x28), 0x2100);
    const std::uint16_t u5[4] = {0x2200, 0x2200, 0x2344, 0x0000};
    const std::uint16_t u6[4] = {0x2233, 0x21AB, 0x2133, 0x2100};
    for (int channel = 0; channel < 4; ++channel) {
        EXPECT_EQ(board().dacU5().word(channel), u5[channel]) << channel;
        EXPECT_EQ(board().dacU6().word(channel), u6[channel]) << channel;
    }

    master.writeWord(0x18, 0x21, 0x23FF);
    master.writeWord(0x1A, 0x28, 0xFC05);
    EXPECT_EQ(board().dacU5().word(0), 0x23FF);
    EXPECT_EQ(board().dacU5().outputCode(0), 0x3FF);
    EXPECT_EQ(board().dacU6().word(3), 0xFC05); // the whole word is kept
    EXPECT_EQ(board().dacU6().outputCode(3), 0x005);
    EXPECT_EQ(master.readWord(0x1A, 0x28), 0xFC05);
    EXPECT_EQ(board().dacU5().word(1), 0x2200); // other channels untouched
    master.writeWord(0x18, 0x31, 0x1234);       // not a channel write: 0x2 in the high nibble
    EXPECT_EQ(board().dacU5().word(0), 0x23FF);
}

// Inputs behind the board's dividers (U13 inputs 2-4, U14 input 1) have a
// 15 V full scale, the others 5.5 V: half scale reads 0x8000.
TEST_F(BoardChips, AdcConvertsTheSelectedInput) {
    struct Case {
        std::uint8_t adc;
        int input;
        double volts;
        std::uint16_t code;
    };
    for (const Case& c :
         {Case{0x50, 1, 2.75, 0x8000}, Case{0x52, 1, 2.75, 0x8000}, Case{0x52, 2, 7.5, 0x8000},
          Case{0x52, 4, 7.5, 0x8000}, Case{0x52, 5, 2.75, 0x8000}, Case{0x54, 0, 2.75, 0x8000},
          Case{0x54, 1, 7.5, 0x8000}, Case{0x54, 2, 2.75, 0x8000},
          Case{0x52, 3, 15.0, 0xFFC0}}) { // clamps at 1023
        pc.reset();
        pc.setAdcInputVoltage(1, c.adc, c.input, c.volts);
        master.writeByteData(c.adc, 0x01, static_cast<std::uint8_t>(c.input << 5));
        EXPECT_EQ(master.readWord(c.adc, 0x04), c.code) << int(c.adc) << " " << c.input;
    }
    master.writeByteData(0x52, 0x01, 0x40); // another input, at 0 V
    EXPECT_EQ(master.readWord(0x52, 0x04), 0x0000);
    EXPECT_EQ(master.readByteData(0x52, 0x01), 0x40);
}

TEST_F(BoardChips, AdcTemperatureLimitsAndMasks) {
    EXPECT_EQ(master.readWord(0x54, 0x00), 0x1900); // 25 C
    EXPECT_EQ(master.readWord(0x54, 0x02), 0x4B00);
    EXPECT_EQ(master.readWord(0x54, 0x03), 0x5000);
    master.writeWord(0x54, 0x00, 0x1234); // read-only
    master.writeWord(0x54, 0x02, 0x46FF); // bits 6-0 read 0
    master.writeByteData(0x54, 0x05, 0xFF);
    EXPECT_EQ(master.readWord(0x54, 0x00), 0x1900);
    EXPECT_EQ(master.readWord(0x54, 0x02), 0x4680);
    EXPECT_EQ(master.readByteData(0x54, 0x05), 0xC0);
    EXPECT_EQ(master.readByteData(0x54, 0x06), 0xFF); // past the last register
    board().adcU14().setTemperature(-25.0);           // ten bits of quarter degrees
    EXPECT_EQ(master.readWord(0x54, 0x00), 0xE700);
}

TEST_F(BoardChips, SwitchSendAndReceiveByte) {
    EXPECT_EQ(master.receiveByte(0x90), 0x41);
    master.sendByte(0x90, 0x82);
    EXPECT_EQ(board().analogSwitch().switches(), 0x82);
    EXPECT_EQ(master.receiveByte(0x90), 0x82);
    EXPECT_EQ(pc.journal().text(1), "S 91+ 41- P S 90+ 82+ P S 91+ 82- P");
}

TEST_F(BoardChips, PotentiometerWiperIsRegisterZero) {
    EXPECT_EQ(master.readByteData(0x58, 0x00), 0x80);
    master.writeByteData(0x58, 0x00, 0x12);
    EXPECT_EQ(board().potentiometer().wiper(), 0x12);
    EXPECT_EQ(master.readByteData(0x58, 0x00), 0x12);
    master.writeByteData(0x58, 0x01, 0x34); // not the wiper's register
    EXPECT_EQ(board().potentiometer().wiper(), 0x12);
}

TEST(Pec, KnownValues) {
    const std::string digits = "123456789";
    EXPECT_EQ(pec(reinterpret_cast<const std::uint8_t*>(digits.data()), digits.size()), 0xF4);
    const std::uint8_t frame[] = {0xA8, 0xA0, 0x02, 0x12, 0x34};
    EXPECT_EQ(pec(frame, sizeof frame), 0x32);
}

TEST_F(BoardChips, BlockWriteWithPecIsCheckedAndStored) {
    const std::uint8_t frame[] = {0x6A, 0xA0, 0x02, 0x12, 0x34};
    const std::uint8_t goodPec = pec(frame, sizeof frame);
    for (std::uint8_t sentPec : {goodPec, static_cast<std::uint8_t>(goodPec ^ 0x01)}) {
        pc.journal().clear();
        master.write({0x6A, 0xA0, 0x02, 0x12, 0x34, sentPec});
        const auto events = pc.journal().events(1);
        ASSERT_EQ(events.size(), 8u);
        EXPECT_EQ(events[6].value, sentPec);
        EXPECT_EQ(events[6].ack, sentPec == goodPec ? Acknowledge::Ack : Acknowledge::Nack);
        const auto& write = board().blockDevice().lastWrite();
        EXPECT_EQ(write.data, (std::vector<std::uint8_t>{0x12, 0x34}));
        EXPECT_TRUE(write.pecReceived);
        EXPECT_EQ(write.pecMatched, sentPec == goodPec);
    }
}

TEST_F(BoardChips, BlockReadSendsCountDataAndPec) {
    master.start();
    master.writeByte(0x6A);
    master.writeByte(0xA1);
    master.preStart();
    master.start();
    master.writeByte(0x6B);
    std::vector<std::uint8_t> received{0x6B};
    for (int i = 0; i < 33; ++i)
        received.push_back(master.readByte(true));
    const std::uint8_t receivedPec = master.readByte(false);
    master.stop();

    EXPECT_EQ(received[1], 32);
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(received[2 + i], i);
    EXPECT_EQ(receivedPec, pec(received.data(), received.size()));
    EXPECT_EQ(pc.journal().count(1, EventKind::RepeatedStart), 1u);
}
