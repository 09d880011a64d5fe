// The VSQ5540 driven by hand-written line sequences on the parallel port.

#include "line_master.h"
#include "sim/simulated_pc.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace vsq::sim;
using vsq::sim::testing::LineMaster;
using vsq::sim::testing::MasterTest;

namespace {

using ChipBus = MasterTest;

// Everything a stray frame could change, on one board.
struct BoardSnapshot {
    std::array<std::uint8_t, 256> registers{};
    std::vector<std::uint8_t> eeprom;
    std::array<std::uint16_t, 8> dacWords{};
    std::array<std::uint16_t, 18> adcRegisters{};
    std::uint8_t switches = 0;
    std::uint8_t wiper = 0;
    std::array<std::uint8_t, 32> block{};

    static BoardSnapshot of(EvaluationBoard& board) {
        BoardSnapshot s;
        for (int i = 0; i < 256; ++i)
            s.registers[i] = board.chip().registerValue(static_cast<std::uint8_t>(i));
        for (int i = 0; i < 512; ++i)
            s.eeprom.push_back(board.chip().eepromByte(static_cast<std::uint16_t>(0xF800 + i)));
        for (int c = 0; c < 4; ++c) {
            s.dacWords[c] = board.dacU5().word(c);
            s.dacWords[4 + c] = board.dacU6().word(c);
        }
        Qa2296Adc* adcs[] = {&board.adcU12(), &board.adcU13(), &board.adcU14()};
        for (int a = 0; a < 3; ++a)
            for (int r = 0; r < 6; ++r)
                s.adcRegisters[a * 6 + r] = adcs[a]->registerValue(r);
        s.switches = board.analogSwitch().switches();
        s.wiper = board.potentiometer().wiper();
        s.block = board.blockDevice().block();
        return s;
    }
    bool operator==(const BoardSnapshot&) const = default;
};

} // namespace

TEST_F(ChipBus, ByteDataWriteThroughTheInvertedAdapterSetsTheRegister) {
    master.writeByteData(0xA8, 0x10, 0x5A);

    EXPECT_EQ(pc.chip().registerValue(0x10), 0x5A);
    EXPECT_EQ(pc.journal().text(1), "S A8+ 10+ 5A+ P");
    const auto& activity = pc.journal().port(1);
    ASSERT_EQ(activity.dataWrites, 114u);
    const std::vector<std::uint8_t> firstTwelve(activity.dataValues.begin(),
                                                activity.dataValues.begin() + 12);
    EXPECT_EQ(firstTwelve, (std::vector<std::uint8_t>{0, 2, 3, 1, 0, 1, 3, 3, 2, 3, 3, 1}));
    const std::vector<std::uint8_t> lastThree(activity.dataValues.end() - 3,
                                              activity.dataValues.end());
    EXPECT_EQ(lastThree, (std::vector<std::uint8_t>{3, 2, 0}));
    for (const auto& event : pc.journal().events(1))
        if (event.kind == EventKind::Byte) {
            EXPECT_EQ(event.deviceName, "VSQ5540");
            EXPECT_EQ(event.device, 0xA8);
        }
}

TEST_F(ChipBus, ByteDataReadOfDevidShowsItOnTheStatusBits) {
    EXPECT_EQ(master.readByteData(0xA8, 0x94), 0x3E);
    EXPECT_EQ(pc.journal().text(1), "S A8+ 94+ P S A9+ 3E- P");

    pc.journal().clear();
    EXPECT_EQ(master.readByteData(0xA8, 0x94, true), 0x3E);
    EXPECT_EQ(pc.journal().text(1), "S A8+ 94+ Sr A9+ 3E- P");
    const auto events = pc.journal().events(1);
    EXPECT_TRUE(events[2].fromMaster);
    EXPECT_FALSE(events[5].fromMaster);
}

TEST_F(ChipBus, WrongPolarityNeitherAnswersNorChangesAnything) {
    const auto before = BoardSnapshot::of(*pc.board(1));
    LineMaster wrong(0x378, false);

    wrong.writeByteData(0xA8, 0x10, 0x5A);
    EXPECT_NE(wrong.readByteData(0xA8, 0x94), 0x3E);
    wrong.writeWord(0x18, 0x21, 0x2123);
    wrong.sendByte(0x90, 0x00);

    EXPECT_EQ(BoardSnapshot::of(*pc.board(1)), before);
    for (const auto& event : pc.journal().events(1))
        EXPECT_TRUE(event.deviceName.empty()) << "answered: " << pc.journal().text(1);
}

// The identity and status registers take no writes; MARK1 and the test
// registers do.
TEST_F(ChipBus, ReadOnlyRegistersTakeNoWritesAndTheOthersDo) {
    for (std::uint8_t reg : {0x93, 0x94, 0x95, 0xD8, 0xDC, 0xDF}) {
        const std::uint8_t before = pc.chip().registerValue(reg);
        master.writeByteData(0xA8, reg, static_cast<std::uint8_t>(~before));
        EXPECT_EQ(pc.chip().registerValue(reg), before) << int(reg);
    }
    EXPECT_EQ(pc.journal().count(1, EventKind::Stop), 6u);
    master.writeByteData(0xA8, 0x96, 0x77);
    EXPECT_EQ(pc.chip().registerValue(0x96), 0x77);
    EXPECT_EQ(master.readByteData(0xA8, 0xE3), 0x01); // CLKTRIM of the default set-up
    master.writeByteData(0xA8, 0xF2, 0x5C);
    EXPECT_EQ(pc.chip().registerValue(0xF2), 0x5C);
    EXPECT_EQ(master.readByteData(0xA8, 0xF2), 0x5C);
}

TEST_F(ChipBus, PointerSurvivesStopAndAdvancesPerByte) {
    master.write({0xA8, 0x20, 0x11, 0x22});
    EXPECT_EQ(pc.chip().registerValue(0x20), 0x11);
    EXPECT_EQ(pc.chip().registerValue(0x21), 0x22);

    // A lone command byte, STOP, then a read from a new START.
    master.sendByte(0xA8, 0x20);
    master.start();
    master.writeByte(0xA9);
    EXPECT_EQ(master.readByte(true), 0x11);
    EXPECT_EQ(master.readByte(false), 0x22);
    master.stop();
    EXPECT_EQ(pc.journal().text(1), "S A8+ 20+ 11+ 22+ P S A8+ 20+ P S A9+ 11+ 22- P");
}

// An address nobody answers, or an absent chip, reads the released lines.
TEST_F(ChipBus, AnAddressNobodyAnswersReadsReleasedLines) {
    EXPECT_EQ(master.readByteData(0x40, 0x00), 0xFF);
    pc.setDevicePresent(1, 0xA8, false);
    EXPECT_EQ(master.readByteData(0xA8, 0x94), 0xFF);
    master.writeByteData(0xA8, 0x10, 0x5A);
    EXPECT_NE(pc.chip().registerValue(0x10), 0x5A);
    EXPECT_EQ(pc.journal().text(1),
              "S 40- 00- P S 41- FF- P S A8- 94- P S A9- FF- P S A8- 10- 5A- P");
}

TEST_F(ChipBus, ChipOnTheSecondPortAtAnotherAddress) {
    SimConfig config;
    config.ports = {PortConfig{0x378, false}, PortConfig{0x278, true, 0x5C}};
    pc.configure(config);
    EXPECT_EQ(pc.parallelPortCount(), 2);
    EXPECT_EQ(pc.parallelPortBase(2), 0x278u);
    EXPECT_EQ(pc.board(1), nullptr);

    LineMaster first(0x378);
    EXPECT_EQ(first.readByteData(0x5C, 0x94), 0x00); // nothing on the first port: lines read low
    LineMaster second(0x278);
    EXPECT_EQ(second.readByteData(0xA8, 0x94), 0xFF);
    EXPECT_EQ(second.readByteData(0x5C, 0x94), 0x3E);
    second.writeByteData(0x5C, 0x10, 0x5A);
    EXPECT_EQ(pc.chip(2).registerValue(0x10), 0x5A);
    EXPECT_EQ(pc.journal().text(1), "");
    EXPECT_EQ(pc.journal().dataWrites(1), 149u); // the port's writes are counted all the same
}

TEST_F(ChipBus, NonInvertingAdapterOption) {
    SimConfig config;
    config.ports[0].polarity = AdapterPolarity::NonInverting;
    pc.configure(config);
    LineMaster plain(0x378, false);
    EXPECT_EQ(plain.readByteData(0xA8, 0x94), 0x3E);
    plain.writeByteData(0xA8, 0x10, 0x5A);
    EXPECT_EQ(pc.chip().registerValue(0x10), 0x5A);

    LineMaster inverted(0x378, true);
    inverted.writeByteData(0xA8, 0x11, 0x5A);
    EXPECT_NE(pc.chip().registerValue(0x11), 0x5A);
}
