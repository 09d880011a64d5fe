// The default set-up on the simulated board, checked on its journal.

#include "app/device/tests/simulated_board.h"
#include "app/shell/settings/generic_setup.h"

#include <sstream>

using namespace trelvane;
using namespace trelvane::testing;

namespace {

// Register=value of every chip write, in order.
constexpr char kChipWrites[] = "90=01 E3=01 A0=DF A1=1F A2=9F A3=1F A4=72 A8=60 A9=1F AA=20 "
                               "AB=1F AC=F2 B0=EF B1=1F B2=9F B3=1F B4=76 B8=66 B9=1F BA=40 "
                               "BB=1F BC=76 C0=E6 C1=1F C2=99 C3=1F C4=72 C8=80 C9=1F CA=40 "
                               "CB=1F CC=72 D0=66 D1=1F D2=1A D3=1F D4=72 98=07 99=00 9A=00 "
                               "9B=00 91=1E 00=00 01=FF 02=01 03=FE 04=00 05=FF 06=55 07=02 "
                               "08=00 09=FF 0A=00 0B=FF 10=00 11=FE 12=00 13=FF 14=00 15=FF "
                               "16=55 17=02 18=00 19=FF 1A=00 1B=FF 20=00 21=FD 22=00 23=FF "
                               "24=00 25=FF 26=55 27=02 28=00 29=FF 2A=00 2B=FF 30=00 31=FB "
                               "32=00 33=FF 34=00 35=FF 36=55 37=02 38=00 39=FF 3A=00 3B=FF "
                               "40=00 41=F7 42=00 43=FF 44=00 45=FF 46=55 47=02 48=00 49=FF "
                               "4A=00 4B=FF 50=00 51=EF 52=00 53=FF 54=00 55=FF 56=55 57=02 "
                               "58=00 59=FF 5A=00 5B=FF 60=00 61=DF 62=00 63=FF 64=00 65=FF "
                               "66=55 67=02 68=00 69=FF 6A=00 6B=FF 70=00 71=BF 72=00 73=FF "
                               "74=00 75=FF 76=55 77=02 78=00 79=FF 7A=00 7B=FF 80=00 81=FF "
                               "82=00 83=7F 84=00 85=FF 86=55 87=02 88=00 89=FF 8A=00 8B=FF "
                               "0C=FF 1C=FF 2C=FF 3C=FF 4C=FF 5C=FF 6C=FF 7C=FF 8C=FF 0D=12 "
                               "1D=12 2D=12 3D=12 4D=15 5D=17 6D=19 7D=1B 8D=1B ";

// Then the switch and the DAC words.
constexpr char kBoardTransfers[] = "S 90+ 41+ P "
                                   "S 18+ 24+ 23+ 44+ P S 18+ 21+ 22+ 00+ P S 18+ 22+ 22+ 00+ P "
                                   "S 1A+ 21+ 22+ 33+ P S 1A+ 22+ 21+ AB+ P S 1A+ 24+ 21+ 33+ P "
                                   "S 1A+ 28+ 21+ 00+ P";

TEST_F(SimulatedBoard, GenericSetupMakesThe176TransfersOfTheDefaultSetUpInOrder) {
    std::vector<std::pair<int, std::size_t>> shown; // percentage, frames before it
    GenericSetup([&](std::uint8_t percent) {
        shown.emplace_back(percent, journal().count(1, vsq::sim::EventKind::Start));
    });

    const std::string all = traffic();
    const std::size_t boardStart = all.find("S 90+");
    ASSERT_NE(boardStart, std::string::npos);
    std::istringstream chipFrames(all.substr(0, boardStart));
    std::string chipWrites, s, address, reg, value, p;
    while (chipFrames >> s >> address >> reg >> value >> p) {
        ASSERT_EQ(address, "A8+");
        chipWrites += reg.substr(0, 2) + "=" + value.substr(0, 2) + " ";
    }
    EXPECT_EQ(chipWrites, kChipWrites);
    EXPECT_EQ(all.substr(boardStart), kBoardTransfers);
    EXPECT_EQ(journal().count(1, vsq::sim::EventKind::Start), 176u);
    EXPECT_EQ(shown, (std::vector<std::pair<int, std::size_t>>{
                         {0, 0}, {20, 32}, {40, 78}, {60, 114}, {80, 159}, {100, 176}}));
}

} // namespace
