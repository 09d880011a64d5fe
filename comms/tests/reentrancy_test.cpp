// A second bus operation started from a yield inside a frame (a timer or an
// event handler) is refused and leaves the running frame intact.

#include "comms/DataPort.h"
#include "comms/EEPROM.h"
#include "comms/PrinterPort.h"
#include "comms/SMBusProtocall.h"
#include "comms/com_error.h"
#include "simulated_board.h"

#include <functional>

using namespace brisendal;
using namespace brisendal::testing;

namespace {

class Reentrancy : public StartedBoard {
protected:
    void SetUp() override {
        StartedBoard::SetUp();
        protocol_->setDelay(1.0f);
        protocol_->setRelativeDelayOn(true); // every edge yields once
    }

    // Runs `intrusion` once, from the tenth yield of the next frame.
    void intrudeWith(std::function<void()> intrusion) {
        previousHook_ = vsq::platform::setYieldHook(
            [this, intrusion = std::move(intrusion)](vsq::platform::YieldMode mode) {
                modes_.push_back(mode);
                if (++yields_ == 10) {
                    flagSeen_ = busState().frameInProgress();
                    clientSees_ = PrinterPort::FrameInProgress();
                    intrusion();
                }
            });
    }
    void TearDown() override {
        vsq::platform::setYieldHook(previousHook_);
        StartedBoard::TearDown();
    }

    vsq::platform::YieldHook previousHook_;
    std::vector<vsq::platform::YieldMode> modes_;
    int yields_ = 0;
    bool flagSeen_ = false;
    bool clientSees_ = false; // what the library's clients are told
};

} // namespace

TEST_F(Reentrancy, ATransferStartedInsideAFrameIsRefusedWithoutLineTraffic) {
    std::uint8_t intruderResult = 0xEE;
    std::uint64_t writesBefore = 0;
    std::uint64_t writesAfter = 0;
    intrudeWith([&] {
        writesBefore = port().dataWrites;
        intruderResult = protocol_->PortRead(0xA8, 0x94);
        protocol_->PortWrite(0xA8, 0x11, 0x99);
        printerPort_->EEPROM()->WriteByte(0xF8, 0x10, 0x01);
        writesAfter = port().dataWrites;
    });
    EXPECT_FALSE(busState().frameInProgress());
    protocol_->PortWrite(0xA8, 0x10, 0x5A);
    EXPECT_FALSE(busState().frameInProgress());

    EXPECT_TRUE(flagSeen_);
    EXPECT_TRUE(clientSees_);
    EXPECT_FALSE(PrinterPort::FrameInProgress());
    EXPECT_EQ(writesAfter, writesBefore);
    EXPECT_EQ(intruderResult, 0);
    EXPECT_EQ(traffic(), "S A8+ 10+ 5A+ P"); // the running frame is intact
    EXPECT_EQ(port().dataWrites, 114u);
    EXPECT_EQ(pc().chip().registerValue(0x10), 0x5A);
    EXPECT_NE(pc().chip().registerValue(0x11), 0x99);
    EXPECT_EQ(heard_, std::vector<HeardError>(2, HeardError{2, arbitrationText(0)}));
    for (auto mode : modes_)
        EXPECT_EQ(mode, vsq::platform::YieldMode::NoUserInput);
}

TEST_F(Reentrancy, DirectPortAccessInsideAFrameIsAFailedStatus) {
    int refusals = 0;
    intrudeWith([&] {
        const std::function<void()> intrusions[] = {
            [&] { protocol_->StartBit(); },
            [&] { protocol_->Portout(0x378, 0); },
            [&] { protocol_->WaitAck(1); },
            [&] { printerPort_->DataPort()->setValue(0xFF); },
            [&] { printerPort_->setLockPortOpen(false); },
        };
        for (const auto& intrusion : intrusions)
            refusals += failureOf(intrusion).number == 2;
        // A new stay-high setting is kept for the frame's next edge, not driven now.
        const auto writes = port().dataWrites;
        protocol_->setBitsToStayHigh(0x40);
        EXPECT_EQ(port().dataWrites, writes);
    });
    protocol_->PortWrite(0xA8, 0x10, 0x5A);
    EXPECT_EQ(refusals, 5);
    EXPECT_EQ(traffic(), "S A8+ 10+ 5A+ P");
    EXPECT_EQ(dataWrites().back(), 0x40);
    EXPECT_EQ(claims(), Claims(1, 1));
}

TEST_F(Reentrancy, AHandlerOfTheReportMayTransferAgain) {
    protocol_->setDelay(0.0f);
    protocol_->setArbitrationOn(true);
    protocol_->setMaxArbitrationDenials(1);
    pc().holdSdaLow(1, true);
    std::uint8_t retried = 0;
    auto retry = protocol_->SMBusProtocallError().subscribe([&](std::int16_t, const std::string&) {
        pc().holdSdaLow(1, false);
        retried = protocol_->PortRead(0xA8, 0x94);
    });
    protocol_->PortRead(0xA8, 0x94);
    EXPECT_EQ(retried, 0x3E);
    EXPECT_EQ(heard_.size(), 1u);
}
