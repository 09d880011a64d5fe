#pragma once
// Evaluation-board window tests on the simulated board: the board chips at
// their power-up values, the program's start-up settings of the bus, and the
// journal cleared before the window loads.

#include "app/board/probes_frm.h"
#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/shell/testing/shell_test.h"
#include "comms/PrinterPort.h"
#include "comms/SMBusProtocall.h"
#include "controls/display/gslider.h"
#include "controls/display/toggle.h"
#include "platform/services.h"
#include "platform/virtual_clock.h"
#include "sim/simulated_pc.h"

#include <string>

namespace trelvane::testing {

class BoardWindowTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        pc().reset();
        previousRandom_ = vsq::platform::setRandomSource([] { return 0.5; });
        gChipAddress = 0xA8;
        gComPort().PrinterPort()->setDataInverted(true);
        gComPort().PrinterPort()->setPortAddress(888);
        pc().journal().clear();
    }
    void TearDown() override {
        vsq::platform::setRandomSource(previousRandom_);
        ShellTest::TearDown();
    }

    static vsq::sim::SimulatedPc& pc() { return vsq::sim::SimulatedPc::instance(); }
    static vsq::sim::EvaluationBoard& board() { return *pc().board(1); }
    static std::string traffic() { return pc().journal().text(1); }
    static void clearJournal() { pc().journal().clear(); }
    static brisendal::SMBusProtocall& protocol() {
        return *gComPort().PrinterPort()->SMBusProtocall();
    }

    ProbesFrm& load() { return windows().load<ProbesFrm>(); }

    // The engineer's moves: a drag to `position` (the caption follows), then
    // the release (the board is written).
    static void drag(vsq::display::GSlider* slider, double position) {
        slider->setPosition(position);
        emit slider->Moving();
    }
    static void release(vsq::display::GSlider* slider) { emit slider->Moved(); }
    static void flip(vsq::display::Toggle* toggle) {
        toggle->setState(!toggle->State());
        emit toggle->Flipped();
    }

    // Makes the next transfer give up (SDA held low, line checks on) and frees
    // the bus as soon as the library reports it.
    void failNextTransfer() {
        protocol().setArbitrationOn(true);
        protocol().setMaxArbitrationDenials(1);
        pc().holdSdaLow(1, true);
        releaseOnError_ =
            protocol().SMBusProtocallError().subscribe([this](std::int16_t, const std::string&) {
                pc().holdSdaLow(1, false);
                releaseOnError_.unsubscribe();
            });
    }

    vsq::platform::VirtualTime time_{0.0005};

private:
    brisendal::SMBusProtocall::ErrorEvent::Subscription releaseOnError_;
    vsq::platform::RandomSource previousRandom_;
};

} // namespace trelvane::testing
