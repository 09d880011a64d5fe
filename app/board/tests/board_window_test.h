#pragma once
// Evaluation-board window tests on the simulated board: the board chips at
// power-up, the program's start-up settings of the bus, the journal cleared.

#include "app/board/probes_frm.h"
#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/shell/testing/shell_test.h"
#include "comms/PrinterPort.h"
#include "comms/SMBusProtocall.h"
#include "controls/display/gslider.h"
#include "controls/display/toggle.h"
#include "platform/virtual_clock.h"
#include "sim/simulated_pc.h"

#include <string>

namespace trelvane::testing {

class BoardWindowTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        pc().reset();
        gChipAddress = 0xA8;
        gComPort().PrinterPort()->setDataInverted(true);
        gComPort().PrinterPort()->setPortAddress(888);
        clearJournal();
    }

    static vsq::sim::SimulatedPc& pc() { return vsq::sim::SimulatedPc::instance(); }
    static vsq::sim::EvaluationBoard& board() { return *pc().board(1); }
    static std::string traffic() { return pc().journal().text(1); }
    static void clearJournal() { pc().journal().clear(); }
    static brisendal::SMBusProtocall& protocol() {
        return *gComPort().PrinterPort()->SMBusProtocall();
    }
    ProbesFrm& load() { return windows().load<ProbesFrm>(); }

    // The engineer's moves: a drag (the caption follows), a release (the board
    // is written), a flip.
    static void drag(vsq::display::GSlider* slider, double position) {
        slider->setPosition(position);
        emit slider->Moving();
    }
    static void release(vsq::display::GSlider* slider) { emit slider->Moved(); }
    static void flip(vsq::display::Toggle* toggle) {
        toggle->setState(!toggle->State());
        emit toggle->Flipped();
    }

    // Makes the next transfer fail a line check (SDA held low) and frees the
    // bus as soon as the library reports it.
    void failNextTransfer() {
        protocol().setArbitrationOn(true);
        protocol().setMaxArbitrationDenials(1);
        pc().holdSdaLow(1, true);
        release_ =
            protocol().SMBusProtocallError().subscribe([this](std::int16_t, const std::string&) {
                pc().holdSdaLow(1, false);
                release_.unsubscribe();
            });
    }

    vsq::platform::VirtualTime time_{0.0005};

private:
    brisendal::SMBusProtocall::ErrorEvent::Subscription release_;
};

} // namespace trelvane::testing
