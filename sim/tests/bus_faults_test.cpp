// Faults on the bit-banged bus and on the ports, seen through hand-written sequences.

#include "line_master.h"
#include "sim/simulated_pc.h"

#include <gtest/gtest.h>

using namespace vsq::sim;
using vsq::sim::testing::MasterTest;

namespace {

class BusFaults : public MasterTest {
protected:
    bool anyDeviceAnswered() {
        for (const auto& event : pc.journal().events(1))
            if (!event.deviceName.empty())
                return true;
        return false;
    }
};

} // namespace

TEST_F(BusFaults, SdaHeldLowSilencesTheBusUntilReleased) {
    pc.holdSdaLow(1, true);
    EXPECT_FALSE(master.sdaHigh());
    EXPECT_TRUE(master.sclHigh());
    master.writeByteData(0xA8, 0x10, 0x5A);
    EXPECT_NE(pc.chip().registerValue(0x10), 0x5A);
    EXPECT_FALSE(anyDeviceAnswered());

    pc.holdSdaLow(1, false); // with SCL high: the bus sees a STOP
    EXPECT_TRUE(pc.journal().text(1).ends_with("P"));
    pc.journal().clear();
    master.writeByteData(0xA8, 0x10, 0x5A);
    EXPECT_EQ(pc.journal().text(1), "S A8+ 10+ 5A+ P");
}

TEST_F(BusFaults, SclHeldLowStopsEveryClock) {
    pc.holdSclLow(1, true);
    EXPECT_FALSE(master.sclHigh());
    master.writeByteData(0xA8, 0x10, 0x5A);
    EXPECT_EQ(pc.journal().text(1), "");
    EXPECT_NE(pc.chip().registerValue(0x10), 0x5A);
    EXPECT_FALSE(pc.scl(1));
}

TEST_F(BusFaults, ClockStretchingHoldsSclAfterEachAcknowledge) {
    pc.setClockStretch(1, 4);
    // The stretch starts as the acknowledge clock falls; its 'C' is access 1.
    master.start();
    master.writeByte(0xA8);
    pc.setClockStretch(1, 0);       // later acknowledges run free
    master.drive("DA");             // 2, 3: the master lets SCL go, the slave still holds it
    EXPECT_FALSE(master.sclHigh()); // 4
    EXPECT_TRUE(master.sclHigh());  // 5: released; the rise clocks the first bit, a 1
    master.drive("DC");
    // The rest of command 0x96 (1001 0110), then data and stop.
    for (int bit = 6; bit >= 0; --bit)
        master.writeBit((0x96 >> bit) & 1);
    EXPECT_TRUE(master.clockAcknowledge());
    master.writeByte(0x42);
    master.stop();
    EXPECT_EQ(pc.chip().registerValue(0x96), 0x42);
    EXPECT_EQ(pc.journal().text(1), "S A8+ 96+ 42+ P");
}

TEST_F(BusFaults, ASecondMasterHoldsTheBusForAWhile) {
    pc.startSecondMaster(1, 6);
    EXPECT_FALSE(master.sdaHigh());
    EXPECT_EQ(pc.journal().text(1), "S"); // its START
    master.start(); // three writes: the other master still pulls SDA and clocks SCL
    EXPECT_FALSE(master.sdaHigh());
    master.stop(); // three more: it lets go
    EXPECT_TRUE(master.sdaHigh());
    EXPECT_TRUE(master.sclHigh());
    EXPECT_FALSE(anyDeviceAnswered());

    pc.journal().clear();
    master.writeByteData(0xA8, 0x10, 0x5A);
    EXPECT_EQ(pc.journal().text(1), "S A8+ 10+ 5A+ P");
}

TEST_F(BusFaults, OneWriteMovingBothLinesMakesNoStartOrStop) {
    pc.out8(0x378, 3); // both lines low at once from idle: SCL first, no START
    EXPECT_EQ(pc.journal().text(1), "");
    pc.out8(0x378, 0); // both released at once: SDA first, no STOP
    EXPECT_EQ(pc.journal().text(1), "");
    pc.out8(0x378, 2); // SDA alone falls with SCL high: START
    EXPECT_EQ(pc.journal().text(1), "S");
    pc.out8(0x378, 1); // SCL falls and SDA rises: SCL first, no STOP
    pc.out8(0x378, 2); // SCL rises and SDA falls: SDA first, no START, a 0 bit
    EXPECT_EQ(pc.journal().text(1), "S");
    pc.out8(0x378, 0); // SDA rises with SCL high: STOP
    EXPECT_EQ(pc.journal().text(1), "S P");
}

TEST_F(BusFaults, ClaimsCountedAndRefused) {
    EXPECT_TRUE(pc.claimParallelPort(1));
    pc.out8(0x378, 0);
    pc.releaseParallelPort(1);
    pc.in8(0x379);
    pc.setClaimRefused(1, true);
    EXPECT_FALSE(pc.claimParallelPort(1));
    EXPECT_FALSE(pc.claimParallelPort(2)); // no such port
    const auto& a = pc.journal().port(1);
    // Claims, releases, refused claims, accesses unclaimed and status reads.
    EXPECT_EQ(std::vector<std::uint64_t>(
                  {a.claims, a.releases, a.refusedClaims, a.unclaimedAccesses, a.statusReads}),
              std::vector<std::uint64_t>(5, 1));
}

TEST_F(BusFaults, NoPortsAtAll) {
    SimConfig config;
    config.ports.clear();
    pc.configure(config);
    EXPECT_EQ(pc.parallelPortCount(), 0);
    EXPECT_FALSE(pc.parallelPortBase(1).has_value());
    EXPECT_FALSE(pc.claimParallelPort(1));
    EXPECT_EQ(pc.in8(0x379), 0xFF);
    EXPECT_EQ(pc.board(1), nullptr);
    EXPECT_THROW(pc.chip(1), std::out_of_range);
}

TEST_F(BusFaults, RegistersAndSpareLinesOfThePort) {
    pc.out8(0x37A, 0x3C);
    EXPECT_EQ(pc.in8(0x37A), 0xFC); // bits 6-7 are not latched and read as set
    pc.out8(0x378, 0xF0);           // spare lines 4-7 high, SCL and SDA released
    pc.out8(0x378, 0xF0);
    pc.out8(0x378, 0x0C);
    EXPECT_EQ(pc.in8(0x378), 0x0C);
    EXPECT_EQ(pc.journal().port(1).spareLineChanges, (std::vector<std::uint8_t>{0xF0, 0x0C}));
    EXPECT_EQ(pc.in8(0x379), 0x40); // both lines high through the inverting adapter
    pc.holdSdaLow(1, true);
    EXPECT_EQ(pc.in8(0x379), 0x58);
    EXPECT_EQ(pc.in8(0x37B), 0xFF); // not a register of a plain port
    pc.out8(0x379, 0x00);           // the status register takes no writes
    EXPECT_EQ(pc.in8(0x37A), 0xFC);

    SimConfig empty;
    empty.ports[0].board = false;
    pc.configure(empty);
    EXPECT_EQ(pc.in8(0x379), 0x78); // nothing drives the sense lines
}
