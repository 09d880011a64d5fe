// Byte, word, send-byte and receive-byte transfers against the simulated board,
// checked on the simulator's journal.

#include "comms/ControlPort.h"
#include "comms/PrinterPort.h"
#include "comms/SMBusProtocall.h"
#include "comms/com_error.h"
#include "platform/os_version.h"
#include "simulated_board.h"

#include <limits>

using namespace brisendal;
using namespace brisendal::testing;
using Bytes = std::vector<std::uint8_t>;

namespace {

using ByteTransfers = StartedBoard;
using ByteTransfersSetUpFirst = SimulatedBoard;

Bytes front(const Bytes& values, std::size_t n) {
    return {values.begin(), values.begin() + n};
}
Bytes back(const Bytes& values, std::size_t n) {
    return {values.end() - n, values.end()};
}

} // namespace

TEST_F(ByteTransfers, ByteDataWriteOnTheInvertedAdapter) {
    protocol_->PortWrite(0xA8, 0x10, 0x5A);
    const auto& writes = dataWrites();
    ASSERT_EQ(writes.size(), 114u);
    EXPECT_EQ(front(writes, 12), (Bytes{0, 2, 3, 1, 0, 1, 3, 3, 2, 3, 3, 1}));
    EXPECT_EQ(back(writes, 3), (Bytes{3, 2, 0}));
    EXPECT_EQ(claims(), Claims(1, 1));
    EXPECT_EQ(port().unclaimedAccesses, 0u);
    EXPECT_EQ(traffic(), "S A8+ 10+ 5A+ P");
    EXPECT_EQ(pc().chip().registerValue(0x10), 0x5A);
    EXPECT_TRUE(heard_.empty());
    EXPECT_TRUE(busIdle());
}

TEST_F(ByteTransfers, ByteDataReadWithAndWithoutRepeatedStart) {
    protocol_->setRepeatedStart(true);
    EXPECT_EQ(protocol_->PortRead(0xA8, 0x94), 0x3E);
    EXPECT_EQ(traffic(), "S A8+ 94+ Sr A9+ 3E- P");
    // After the command's acknowledge clock: D, A, then the start's A, B, C.
    constexpr std::size_t afterCommand = 3 + 2 * (32 + 4);
    ASSERT_GE(dataWrites().size(), afterCommand + 5);
    EXPECT_EQ(Bytes(dataWrites().begin() + afterCommand, dataWrites().begin() + afterCommand + 5),
              (Bytes{1, 0, 0, 2, 3}));
    EXPECT_EQ(port().claims, 1u);

    journal().clear();
    protocol_->setRepeatedStart(false);
    EXPECT_EQ(protocol_->PortRead(0xA8, 0x94), 0x3E);
    EXPECT_EQ(traffic(), "S A8+ 94+ P S A9+ 3E- P");
    EXPECT_EQ(claims(), Claims(1, 1));

    protocol_->setVideoSoftware(true); // data bits sensed on status bit 3
    EXPECT_EQ(protocol_->PortRead(0xA8, 0x94), 0x3E);
    EXPECT_TRUE(heard_.empty());
}

TEST_F(ByteTransfersSetUpFirst, PlainAdapterWithBitsThatStayHigh) {
    configure(plainAdapter());
    startApplication(false);
    protocol_->setBitsToStayHigh(0x80); // drives both lines high with the bit at once
    EXPECT_EQ(dataWrites(), (Bytes{0x83}));
    journal().clear();
    protocol_->PortWrite(0xA8, 0x11, 0x22);
    EXPECT_EQ(front(dataWrites(), 3), (Bytes{0x83, 0x81, 0x80}));
    for (auto value : dataWrites())
        EXPECT_EQ(value & 0xFC, 0x80);
    EXPECT_EQ(pc().chip().registerValue(0x11), 0x22);
    EXPECT_EQ(protocol_->PortRead(0xA8, 0x11), 0x22);
}

TEST_F(ByteTransfersSetUpFirst, TheWrongPolarityReachesNoDevice) {
    startApplication(false); // inverted adapter driven as a plain one
    const auto before = pc().chip().registerValue(0x10);
    protocol_->PortWrite(0xA8, 0x10, static_cast<std::uint8_t>(before ^ 0xFF));
    EXPECT_EQ(pc().chip().registerValue(0x10), before);
    EXPECT_EQ(traffic().find('+'), std::string::npos) << traffic();
    EXPECT_TRUE(heard_.empty()); // without arbitration nothing is checked
}

TEST_F(ByteTransfers, WordsGoHighByteFirst) {
    protocol_->WriteWord(0x18, 0x21, 4660.0f);
    EXPECT_EQ(traffic(), "S 18+ 21+ 12+ 34+ P");
    EXPECT_EQ(pc().board(1)->dacU5().word(0), 0x1234);
    EXPECT_EQ(protocol_->ReadWord(0x18, 0x21), 4660.0f);

    const struct {
        float value;
        const char* bytes;
    } rounding[] = {
        {65535.6f, "S 18+ 22+ 00+ 00+ P"}, // rounds to 65536: a zero low word
        {2.5f, "S 18+ 22+ 00+ 02+ P"},     // halves go to the even neighbour
        {3.5f, "S 18+ 22+ 00+ 04+ P"},           {-1.0f, "S 18+ 22+ FF+ FF+ P"},
        {-2147483648.0f, "S 18+ 22+ 00+ 00+ P"}, // the lowest 32-bit number still fits
    };
    for (const auto& r : rounding) {
        journal().clear();
        protocol_->WriteWord(0x18, 0x22, r.value);
        EXPECT_EQ(traffic(), r.bytes) << r.value;
    }

    journal().clear();
    for (float bad : {std::numeric_limits<float>::quiet_NaN(), 3e9f, 2147483648.0f})
        EXPECT_EQ(failureOf([&] { protocol_->WriteWord(0x18, 0x22, bad); }).number, 6) << bad;
    EXPECT_EQ(port().dataWrites, 0u);
}

// A transfer that ended normally waits the frame delay: a read (the byte
// read, the EEPROM's) while it still holds the port, the others after letting
// it go. Seen here as whether the port is open at each of the delay's yields.
TEST_F(ByteTransfers, EveryTransferWaitsTheFrameDelayAReadBeforeItLetsThePortGo) {
    eeprom_->setDeviceAddress(0xA8);
    protocol_->setRelativeDelayOn(true);
    protocol_->setFrameDelay(2.0f);
    std::vector<bool> open;
    auto previous = vsq::platform::setYieldHook(
        [&](vsq::platform::YieldMode) { open.push_back(busState().PortOpen); });
    const struct {
        void (*transfer)(SMBusProtocall&, EEPROM&);
        bool portOpen;
    } cases[] = {
        {+[](SMBusProtocall& p, EEPROM&) { p.PortWrite(0xA8, 0x10, 0x5A); }, false},
        {+[](SMBusProtocall& p, EEPROM&) { p.PortRead(0xA8, 0x10); }, true},
        {+[](SMBusProtocall& p, EEPROM&) { p.WriteWord(0x18, 0x21, 1.0f); }, false},
        {+[](SMBusProtocall& p, EEPROM&) { p.ShortRead(0x90); }, false},
        {+[](SMBusProtocall&, EEPROM& e) { e.WriteByte(0xF8, 0x10, 0x5A); }, true},
        {+[](SMBusProtocall&, EEPROM& e) { e.ReadByte(0xF8, 0x10); }, true},
        {+[](SMBusProtocall& p, EEPROM&) { p.BlockWrite(1, std::vector<int>(4, 1)); }, false},
    };
    for (const auto& c : cases) {
        open.clear();
        c.transfer(*protocol_, *eeprom_);
        EXPECT_EQ(open, std::vector<bool>(2, c.portOpen)) << &c - cases;
    }
    vsq::platform::setYieldHook(previous);
}

TEST_F(ByteTransfers, SendAndReceiveByte) {
    protocol_->ShortWrite(0x90, 0x5A);
    EXPECT_EQ(traffic(), "S 90+ 5A+ P");
    EXPECT_EQ(pc().board(1)->analogSwitch().switches(), 0x5A);
    journal().clear();
    EXPECT_EQ(protocol_->ShortRead(0x90), 0x5A);
    EXPECT_EQ(traffic(), "S 91+ 5A- P");
}

TEST_F(ByteTransfers, PrimitivesComposeAFrameAndRoundTheirArgument) {
    printerPort_->setLockPortOpen(true);
    protocol_->StartBit();
    protocol_->WriteData(424.0f); // 0x1A8: bits above bit 7 are dropped
    protocol_->Ack();
    protocol_->WriteData(2.5f); // 2
    protocol_->Ack();
    protocol_->WriteData(-1.0f); // 0xFF
    protocol_->Ack();
    protocol_->StopBit();
    EXPECT_EQ(traffic(), "S A8+ 02+ FF+ P");
    EXPECT_EQ(pc().chip().registerValue(0x02), 0xFF);

    journal().clear();
    protocol_->StartBit();
    protocol_->WriteData(0xA9);
    protocol_->Ack();
    EXPECT_EQ(protocol_->ReadData(), pc().chip().registerValue(0x03));
    protocol_->NAck();
    protocol_->StopBit();
    EXPECT_EQ(port().claims, 0u); // the lock held throughout
    EXPECT_EQ(traffic().substr(0, 6), "S A9+ ");
}

TEST_F(ByteTransfersSetUpFirst, NoPortMeansNoTrafficNoReportAndZero) {
    vsq::sim::SimConfig config;
    config.ports.clear();
    configure(config);
    startApplication();
    EXPECT_EQ(printerPort_->PrinterPortsDetected(), 0);
    protocol_->PortWrite(0xA8, 0x10, 0x5A);
    EXPECT_EQ(protocol_->PortRead(0xA8, 0x94), 0);
    EXPECT_EQ(protocol_->ReadWord(0x18, 0x21), 0.0f);
    EXPECT_TRUE(heard_.empty());
    EXPECT_TRUE(journal().events().empty());
}

// The EEPROM's read gives 0 too, and no driver register is reached.
TEST_F(ByteTransfers, ARefusedClaimSendsNothing) {
    pc().setClaimRefused(1, true);
    protocol_->setArbitrationOn(true);
    EXPECT_EQ(protocol_->PortRead(0xA8, 0x94), 0);
    protocol_->PortWrite(0xA8, 0x10, 0x5A);
    EXPECT_EQ(eeprom_->ReadByte(0xF8, 0x10), 0);
    EXPECT_EQ(port().dataWrites, 0u);
    EXPECT_EQ(port().statusReads, 0u);
    EXPECT_EQ(port().refusedClaims, 3u);
    EXPECT_TRUE(heard_.empty());
    EXPECT_EQ(failureLeft(), Failed(false, 0));
}

TEST_F(ByteTransfersSetUpFirst, WithoutABoardEveryTransferEndsNormally) {
    vsq::sim::SimConfig config;
    config.ports.front().board = false;
    configure(config);
    startApplication();
    protocol_->PortWrite(0xA8, 0x10, 0x5A);
    protocol_->PortRead(0xA8, 0x94);
    EXPECT_TRUE(heard_.empty());
    EXPECT_EQ(claims(), Claims(2, 2));
}

TEST_F(ByteTransfers, ALockedPortIsNeitherClaimedNorReleasedByTransfers) {
    printerPort_->setLockPortOpen(true);
    protocol_->PortWrite(0xA8, 0x10, 0x5A);
    EXPECT_EQ(protocol_->PortRead(0xA8, 0x10), 0x5A);
    EXPECT_EQ(claims(), Claims(1, 0));
    EXPECT_TRUE(printerPort_->LockPortOpen());
    printerPort_->setLockPortOpen(false);
    EXPECT_EQ(claims(), Claims(1, 1));
}

TEST_F(ByteTransfersSetUpFirst, On9xBuildsPortsAreNeverClaimed) {
    pretendToBe(1, 4, 10, 1998);
    startApplication();
    printerPort_->setLockPortOpen(true);
    protocol_->PortWrite(0xA8, 0x10, 0x5A);
    printerPort_->ControlPort()->Value();
    EXPECT_TRUE(printerPort_->LockPortOpen()); // the lock survives where nothing is claimed
    printerPort_->setLockPortOpen(false);
    EXPECT_EQ(claims(), Claims(0, 0));
    EXPECT_EQ(pc().chip().registerValue(0x10), 0x5A);
}
