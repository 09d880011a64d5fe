// The codec's routines on the simulated board: what each reads into the
// toggles and what it writes from them, checked on the bus journal.

#include "app/device/tests/chip_traffic.h"
#include "app/device/tests/simulated_board.h"
#include "app/logicblocks/plb_layout.h"
#include "app/logicblocks/plb_read.h"
#include "app/logicblocks/plb_write.h"
#include "fake_toggles.h"

using namespace trelvane;
using namespace trelvane::testing;

namespace {

using Routine = void (*)(FakeToggles&, const bool&);
// clang-format off
const Routine readGPIs = [](FakeToggles& t, const bool& e) { ReadGPIs(t, e); };
const Routine readPLBs = [](FakeToggles& t, const bool&) { ReadPLBs(t); };
const Routine readVoltages = [](FakeToggles& t, const bool&) { ReadVoltages(t); };
const Routine readWDIs = [](FakeToggles& t, const bool&) { ReadWDIs(t); };
const Routine readBlockEnables = [](FakeToggles& t, const bool&) { ReadBlockEnables(t); };
const Routine writeGPIs = [](FakeToggles& t, const bool& e) { WriteGPIs(t, e); };
const Routine writePLBs = [](FakeToggles& t, const bool&) { WritePLBs(t); };
const Routine writeVoltages = [](FakeToggles& t, const bool&) { WriteVoltages(t); };
const Routine writeWDIs = [](FakeToggles& t, const bool&) { WriteWDIs(t); };
const Routine writeBlockEnables = [](FakeToggles& t, const bool&) { WriteBlockEnables(t); };
// clang-format on

class LogicBlockCodec : public SimulatedBoard {
protected:
    void SetUp() override {
        SimulatedBoard::SetUp();
        for (int address = 0x00; address <= 0x8F; ++address)
            chip().setRegisterValue(static_cast<std::uint8_t>(address), 0x00);
    }
    std::vector<std::string> transfers() { return chipTransfers(journal()); }
};

} // namespace

TEST_F(LogicBlockCodec, ReadingTurnsOffTheTogglesOfTheBitsSet) {
    struct Case {
        Routine read;
        std::uint8_t address;
        std::uint8_t value;
        bool emulateFixedSilicon;
        const char* off; // the block's elements left off
    };
    // clang-format off
    const Case cases[] = {
        {readGPIs, 0x04, 0x01, false, "GPI1F2POL[1]"},
        {readGPIs, 0x04, 0x01, true, "GPI4F2POL[1]"},
        {readPLBs, 0x81, 0x80, false, "PLB8F1EN[9]"},
        {readPLBs, 0x41, 0x0F, false, "PLB1F1EN[5] PLB2F1EN[5] PLB3F1EN[5] PLB4F1EN[5]"},
        {readPLBs, 0x28, 0xFF, false, // block 3's own element is left alone
         "PLB1F2POL[3] PLB2F2POL[3] PLB4F2POL[3] PLB5F2POL[3] PLB6F2POL[3] PLB7F2POL[3] PLB8F2POL[3] PLB9F2POL[3]"},
        {readVoltages, 0x4B, 0x80, false, ""},
        {readWDIs, 0x26, 0x80, false, "WDIPF1POL[3]"},
        {readWDIs, 0x26, 0x5A, false, "WDILF1EN[3] WDILF2POL[3] WDIPF1EN[3] WDIPF2POL[3]"},
        {readBlockEnables, 0x37, 0x04, false, "F1EN[4] F2EN[4] PLBOutEN[4]"},
        {readBlockEnables, 0x37, 0xFB, false, ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        chip().setRegisterValue(c.address, c.value);
        FakeToggles toggles(true);
        c.read(toggles, c.emulateFixedSilicon);
        EXPECT_EQ(toggles.offElements(c.address / 16 + 1), c.off) << std::hex << int(c.address);
        chip().setRegisterValue(c.address, 0x00);
    }
}

TEST_F(LogicBlockCodec, WritingSetsTheBitsOfTheTogglesOff) {
    struct Case {
        Routine write;
        std::vector<std::pair<const char*, int>> off;
        bool emulateFixedSilicon;
        const char* nonZero;
    };
    const Case cases[] = {
        {writeVoltages, {{"VP4F2POL", 2}}, false, "1A=40"},
        {writeGPIs, {{"GPI1F1EN", 1}}, false, "05=10"},
        {writeGPIs, {{"GPI1F1EN", 1}}, true, "05=80"},
        {writeWDIs, {{"WDILF2EN", 9}}, false, "86=01"},
        {writePLBs, {{"PLB1F1EN", 3}, {"PLB9F1EN", 3}}, false, "21=81"},
        {writePLBs, {{"PLB8F2POL", 9}, {"PLB2F2EN", 1}}, false, "09=01 88=80"},
        {writePLBs, {{"PLB3F1EN", 3}, {"PLB3F2POL", 3}}, false, ""},
        {writeBlockEnables,
         {{"F2EN", 4}, {"PLBOutEN", 4}, {"F1EN", 5}},
         false,
         "07=03 17=03 27=03 37=06 47=01 57=03 67=03 77=03 87=03"},
    };
    for (const Case& c : cases) {
        journal().clear();
        FakeToggles toggles(true);
        for (const auto& [array, block] : c.off)
            toggles.setToggleState(array, block, false);
        c.write(toggles, c.emulateFixedSilicon);
        EXPECT_EQ(nonZeroWrites(transfers()), c.nonZero) << c.off[0].first;
    }
}

TEST_F(LogicBlockCodec, AllOnAndAllOffWriteTheWholeSetAlike) {
    struct Case {
        Routine write;
        std::size_t writes;
        const char* allOn;
        const char* allOff;
    };
    const Case cases[] = {
        {writePLBs, 36, "00", "FF"},        {writeVoltages, 36, "00", "7F"},
        {writeGPIs, 18, "00", "FF"},        {writeWDIs, 9, "00", "FF"},
        {writeBlockEnables, 9, "03", "04"},
    };
    for (const Case& c : cases)
        for (const bool on : {true, false}) {
            journal().clear();
            FakeToggles toggles(on);
            c.write(toggles, false);
            const auto written = transfers();
            EXPECT_EQ(written.size(), c.writes);
            for (const std::string& transfer : written)
                EXPECT_EQ(transfer.substr(4), on ? c.allOn : c.allOff) << transfer;
        }
}

// Every bit of every register family in every block, both ways: the toggle the
// layout names for the bit is the one toggle that writes it and the one toggle
// a read of it turns off.
TEST_F(LogicBlockCodec, EachBitOfEachFamilyRoundTripsThroughItsOwnToggleAlone) {
    struct Case {
        const RegisterFamily* family;
        Routine read, write;
    };
    const Case cases[] = {
        {&family::PLBPOLA, readPLBs, writePLBs},
        {&family::PLBIMKA, readPLBs, writePLBs},
        {&family::PLBPOLB, readPLBs, writePLBs},
        {&family::PLBIMKB, readPLBs, writePLBs},
        {&family::SFDPOLA, readVoltages, writeVoltages},
        {&family::SFDIMKA, readVoltages, writeVoltages},
        {&family::SFDPOLB, readVoltages, writeVoltages},
        {&family::SFDIMKB, readVoltages, writeVoltages},
        {&family::GPIPOL, readGPIs, writeGPIs},
        {&family::GPIIMK, readGPIs, writeGPIs},
        {&family::WDICFG, readWDIs, writeWDIs},
        {&family::SEN, readBlockEnables, writeBlockEnables},
    };
    const auto writtenTo = [&](std::uint8_t address) {
        char prefix[8];
        std::snprintf(prefix, sizeof prefix, "W%02X=", address);
        for (const std::string& transfer : transfers())
            if (transfer.rfind(prefix, 0) == 0)
                return std::stoi(transfer.substr(4), nullptr, 16);
        return -1;
    };
    int walked = 0;
    for (const Case& c : cases) {
        for (const bool emulate : {false, true}) {
            if (emulate && c.family->layout != BitLayout::GpiNibbles)
                continue;
            FakeToggles allOn(true);
            journal().clear();
            c.write(allOn, emulate);
            for (int block = 1; block <= kLogicBlocks; ++block) {
                const std::uint8_t address = registerAddress(*c.family, block);
                const int allOnValue = writtenTo(address);
                for (int bit = 0; bit < 8; ++bit) {
                    const std::string name(arrayOfBit(*c.family, block, bit, emulate));
                    if (name.empty())
                        continue;
                    SCOPED_TRACE(name + "[" + std::to_string(block) + "] bit " +
                                 std::to_string(bit) + (emulate ? " emulated" : ""));
                    FakeToggles one(true);
                    one.setToggleState(name, block, false);
                    journal().clear();
                    c.write(one, emulate);
                    EXPECT_EQ(writtenTo(address) ^ allOnValue, 1 << bit);
                    FakeToggles read(true);
                    c.read(read, emulate);
                    EXPECT_EQ(read.offElements(block), name + "[" + std::to_string(block) + "]");
                    ++walked;
                }
            }
        }
    }
    // 4 x 9 x 8 other-block bits, the supply-fault, GPI (twice), watchdog and
    // enable bits with a toggle.
    EXPECT_GT(walked, 4 * 9 * 8);
}
