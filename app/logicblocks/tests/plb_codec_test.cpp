// Which toggle array holds each bit of a block's registers, walked row by row,
// and the codec's routines on the simulated board: what each reads into the
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

TEST(LogicBlockLayout, EachBitHasItsToggleArray) {
    struct Case {
        const RegisterFamily& family;
        int block;
        bool emulateFixedSilicon;
        const char* bits; // bit 0 first, "-" for a bit with no toggle
    };
    // clang-format off
    const Case cases[] = {
        {family::PLBIMKA, 1, false, "PLB2F1EN PLB3F1EN PLB4F1EN PLB5F1EN PLB6F1EN PLB7F1EN PLB8F1EN PLB9F1EN"},
        {family::PLBIMKA, 2, false, "PLB1F1EN PLB3F1EN PLB4F1EN PLB5F1EN PLB6F1EN PLB7F1EN PLB8F1EN PLB9F1EN"},
        {family::PLBIMKA, 3, false, "PLB1F1EN PLB2F1EN PLB4F1EN PLB5F1EN PLB6F1EN PLB7F1EN PLB8F1EN PLB9F1EN"},
        {family::PLBIMKA, 4, false, "PLB1F1EN PLB2F1EN PLB3F1EN PLB5F1EN PLB6F1EN PLB7F1EN PLB8F1EN PLB9F1EN"},
        {family::PLBIMKA, 5, false, "PLB1F1EN PLB2F1EN PLB3F1EN PLB4F1EN PLB6F1EN PLB7F1EN PLB8F1EN PLB9F1EN"},
        {family::PLBIMKA, 6, false, "PLB1F1EN PLB2F1EN PLB3F1EN PLB4F1EN PLB5F1EN PLB7F1EN PLB8F1EN PLB9F1EN"},
        {family::PLBIMKA, 7, false, "PLB1F1EN PLB2F1EN PLB3F1EN PLB4F1EN PLB5F1EN PLB6F1EN PLB8F1EN PLB9F1EN"},
        {family::PLBIMKA, 8, false, "PLB1F1EN PLB2F1EN PLB3F1EN PLB4F1EN PLB5F1EN PLB6F1EN PLB7F1EN PLB9F1EN"},
        {family::PLBIMKA, 9, false, "PLB1F1EN PLB2F1EN PLB3F1EN PLB4F1EN PLB5F1EN PLB6F1EN PLB7F1EN PLB8F1EN"},
        {family::PLBPOLA, 4, false, "PLB1F1POL PLB2F1POL PLB3F1POL PLB5F1POL PLB6F1POL PLB7F1POL PLB8F1POL PLB9F1POL"},
        {family::PLBIMKB, 6, false, "PLB1F2EN PLB2F2EN PLB3F2EN PLB4F2EN PLB5F2EN PLB7F2EN PLB8F2EN PLB9F2EN"},
        {family::PLBPOLB, 9, false, "PLB1F2POL PLB2F2POL PLB3F2POL PLB4F2POL PLB5F2POL PLB6F2POL PLB7F2POL PLB8F2POL"},
        {family::SFDIMKA, 9, false, "VB1F1EN VB2F1EN VHF1EN VP1F1EN VP2F1EN VP3F1EN VP4F1EN -"},
        {family::SFDPOLA, 3, false, "VB1F1POL VB2F1POL VHF1POL VP1F1POL VP2F1POL VP3F1POL VP4F1POL -"},
        {family::SFDIMKB, 5, false, "VB1F2EN VB2F2EN VHF2EN VP1F2EN VP2F2EN VP3F2EN VP4F2EN -"},
        {family::SFDPOLB, 1, false, "VB1F2POL VB2F2POL VHF2POL VP1F2POL VP2F2POL VP3F2POL VP4F2POL -"},
        {family::GPIPOL, 1, false, "GPI1F2POL GPI2F2POL GPI3F2POL GPI4F2POL GPI1F1POL GPI2F1POL GPI3F1POL GPI4F1POL"},
        {family::GPIIMK, 5, false, "GPI1F2EN GPI2F2EN GPI3F2EN GPI4F2EN GPI1F1EN GPI2F1EN GPI3F1EN GPI4F1EN"},
        {family::GPIPOL, 1, true, "GPI4F2POL GPI3F2POL GPI2F2POL GPI1F2POL GPI4F1POL GPI3F1POL GPI2F1POL GPI1F1POL"},
        {family::GPIIMK, 9, true, "GPI4F2EN GPI3F2EN GPI2F2EN GPI1F2EN GPI4F1EN GPI3F1EN GPI2F1EN GPI1F1EN"},
        {family::WDICFG, 9, false, "WDILF2EN WDILF2POL WDIPF2EN WDIPF2POL WDILF1EN WDILF1POL WDIPF1EN WDIPF1POL"},
        {family::SEN, 4, false, "F2EN F1EN PLBOutEN - - - - -"},
    };
    // clang-format on
    for (const Case& c : cases) {
        std::string bits;
        for (int bit = 0; bit < 8; ++bit) {
            const std::string_view array =
                arrayOfBit(c.family, c.block, bit, c.emulateFixedSilicon);
            bits += (bit ? " " : "") + (array.empty() ? std::string("-") : std::string(array));
        }
        EXPECT_EQ(bits, c.bits) << "block " << c.block;
    }
}

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
    // clang-format off
    const Case cases[] = {
        {&family::PLBPOLA, readPLBs, writePLBs},         {&family::PLBIMKA, readPLBs, writePLBs},
        {&family::PLBPOLB, readPLBs, writePLBs},         {&family::PLBIMKB, readPLBs, writePLBs},
        {&family::SFDPOLA, readVoltages, writeVoltages}, {&family::SFDIMKA, readVoltages, writeVoltages},
        {&family::SFDPOLB, readVoltages, writeVoltages}, {&family::SFDIMKB, readVoltages, writeVoltages},
        {&family::GPIPOL, readGPIs, writeGPIs},          {&family::GPIIMK, readGPIs, writeGPIs},
        {&family::WDICFG, readWDIs, writeWDIs},          {&family::SEN, readBlockEnables, writeBlockEnables},
    };
    // clang-format on
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
