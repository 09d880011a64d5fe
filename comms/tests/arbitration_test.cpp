// Line checks, retries, back-offs and the report of a transfer that gave up.

#include "comms/EEPROM.h"
#include "comms/PrinterPort.h"
#include "comms/SMBusProtocall.h"
#include "comms/transactions.h"
#include "simulated_board.h"

using namespace brisendal;
using namespace brisendal::testing;

// The application started with the line checks on.
class Arbitration : public StartedBoard {
protected:
    void SetUp() override {
        StartedBoard::SetUp();
        protocol_->setArbitrationOn(true);
    }
};

TEST_F(Arbitration, DataHeldLowGivesUpAfter21AttemptsWithOneReport) {
    protocol_->setBitsToStayHigh(0x0C);
    journal().clear();
    pc().holdSdaLow(1, true);
    const double start = vsq::platform::secondsNow();
    protocol_->PortWrite(0xA8, 0x10, 0x5A);
    // Each attempt ends at the start condition's first check: one status read.
    EXPECT_EQ(port().statusReads, 21u);
    EXPECT_EQ(backOffs(), 20);
    // A back-off waits up to 10 ms, scaled by the random number (here 0.5).
    EXPECT_NEAR(vsq::platform::secondsNow() - start, 20 * 0.005, 0.005);
    // An attempt: both lines released, the failed check; the recovery: both
    // low, clock high, both high. The stay-high bits go out with every write.
    EXPECT_EQ(std::vector<std::uint8_t>(dataWrites().begin(), dataWrites().begin() + 8),
              (std::vector<std::uint8_t>{0x0C, 0x0F, 0x0E, 0x0C, 0x0C, 0x0F, 0x0E, 0x0C}));
    EXPECT_EQ(heard_, (std::vector<HeardError>{{2, arbitrationText(20)}}));
    // The report released both lines and cleared the failure.
    EXPECT_EQ(dataWrites().back(), 0x0C);
    EXPECT_EQ(failureLeft(), Failed(false, 0));
    EXPECT_EQ(port().claims, port().releases);
}

// The checks cannot tell a slave stretching the clock from another master:
// a slave that stretches after every acknowledge fails every attempt.
TEST_F(Arbitration, EveryTransferShapeReportsItsGiveUpAndAStretchedClockIsALostAttempt) {
    protocol_->setMaxArbitrationDenials(2);
    pc().setClockStretch(1, 10);
    protocol_->PortWrite(0xA8, 0x10, 0x5A);
    EXPECT_EQ(traffic().substr(0, 6), "S A8+ ");
    pc().holdSclLow(1, true);
    EXPECT_EQ(protocol_->PortRead(0xA8, 0x94), 0);
    protocol_->WriteWord(0x18, 0x21, 1.0f);
    EXPECT_EQ(protocol_->ReadWord(0x18, 0x21), 0.0f);
    protocol_->ShortWrite(0x90, 1);
    EXPECT_EQ(protocol_->ShortRead(0x90), 0);
    EXPECT_EQ(heard_, std::vector<HeardError>(6, HeardError{2, arbitrationText(2)}));
    EXPECT_EQ(backOffs(), 12);

    protocol_->setMaxArbitrationDenials(0); // one attempt, no recovery
    protocol_->PortWrite(0xA8, 0x10, 0x5A);
    EXPECT_EQ(heard_.back(), (HeardError{2, arbitrationText(0)}));
    EXPECT_EQ(backOffs(), 12);
}

TEST_F(Arbitration, AClaimRefusedBeforeARetryEndsTheTransferWithoutAReport) {
    pc().holdSdaLow(1, true);
    vsq::platform::setRandomSource([] { // the first back-off
        pc().setClaimRefused(1, true);
        return 0.5;
    });
    protocol_->PortWrite(0xA8, 0x10, 0x5A);
    EXPECT_EQ(port().claims, 2u); // the attempt and the recovery
    EXPECT_EQ(port().refusedClaims, 1u);
    EXPECT_TRUE(heard_.empty());
    EXPECT_EQ(failureLeft(), Failed(false, 0));
}

TEST_F(Arbitration, WithoutArbitrationNothingIsCheckedRetriedOrReported) {
    protocol_->setArbitrationOn(false);
    pc().holdSdaLow(1, true);
    protocol_->PortWrite(0xA8, 0x10, 0x5A);
    protocol_->PortRead(0xA8, 0x94);
    eeprom_->WriteByte(0xF8, 0x10, 0x5A);
    EXPECT_EQ(port().statusReads, 8u); // the read's eight data bits only
    EXPECT_EQ(backOffs(), 0);
    EXPECT_TRUE(heard_.empty());
    EXPECT_TRUE(eepromHeard_.empty());
}

TEST_F(Arbitration, AnUnreportedGiveUpNoLongerEndsLaterTransfersEarly) {
    // A give-up of the engine that nobody reported leaves the failure behind.
    pc().holdSdaLow(1, true);
    WriteByteData(0xA8, 0x10, 0x11);
    ASSERT_EQ(failureLeft(), Failed(true, 20));
    pc().holdSdaLow(1, false);

    protocol_->setArbitrationOn(false);
    eeprom_->setDeviceAddress(0xA8);
    eeprom_->WriteByte(0xF8, 0x10, 0x5A);
    EXPECT_EQ(pc().chip().eepromByte(0xF810), 0x5A);
    protocol_->PortWrite(0xA8, 0x10, 0x22);
    EXPECT_EQ(pc().chip().registerValue(0x10), 0x22);
    EXPECT_TRUE(heard_.empty());
    EXPECT_TRUE(eepromHeard_.empty());

    busState().BusError = true;
    busState().AttemptCount = 20;
    protocol_->setArbitrationOn(true);
    journal().clear();
    const auto before = backOffs();
    protocol_->setMaxArbitrationDenials(20);
    pc().startSecondMaster(1, 6); // one lost attempt: the retry must still come
    protocol_->PortWrite(0xA8, 0x10, 0x33);
    EXPECT_EQ(pc().chip().registerValue(0x10), 0x33);
    EXPECT_GT(backOffs(), before);
    EXPECT_TRUE(heard_.empty());
}

TEST_F(Arbitration, AnEepromGiveUpIsReportedLikeATransfer) {
    protocol_->setMaxArbitrationDenials(3);
    eeprom_->setDeviceAddress(0xA8);
    pc().holdSdaLow(1, true);
    EXPECT_EQ(eeprom_->ReadByte(0xF8, 0x10), 0);
    EXPECT_EQ(backOffs(), 3);
    EXPECT_EQ(port().statusReads, 4u); // four attempts
    EXPECT_EQ(eepromHeard_, (std::vector<HeardError>{{2, arbitrationText(3)}}));
    EXPECT_TRUE(heard_.empty());
    EXPECT_EQ(failureLeft(), Failed(false, 0));
    EXPECT_EQ(port().claims, port().releases);

    for (auto transaction : {+[](EEPROM& e) { e.WriteByte(0xF8, 0x10, 1); },
                             +[](EEPROM& e) { e.SetAddress(0xF8, 0x10); },
                             +[](EEPROM& e) { e.PageErase(1, 0xF8, 0x20); },
                             +[](EEPROM& e) { e.SingleCommand(0xA8, 0xFE); }})
        transaction(*eeprom_);
    EXPECT_EQ(eepromHeard_.size(), 5u);
}

TEST_F(Arbitration, ASecondMasterIsOutwaitedWithoutAReportAndARetryDropsThePortLock) {
    printerPort_->setLockPortOpen(true);
    protocol_->PortWrite(0xA8, 0x10, 0x5A); // succeeds at once: the lock holds
    EXPECT_TRUE(printerPort_->LockPortOpen());
    pc().startSecondMaster(1, 6);
    protocol_->PortWrite(0xA8, 0x10, 0x5B);
    EXPECT_FALSE(printerPort_->LockPortOpen());
    EXPECT_TRUE(heard_.empty());
    EXPECT_GE(backOffs(), 1);
    EXPECT_EQ(pc().chip().registerValue(0x10), 0x5B);
    EXPECT_NE(traffic().find("S A8+ 10+ 5B+ P"), std::string::npos) << traffic();
    EXPECT_EQ(port().claims, port().releases);
}
