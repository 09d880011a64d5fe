#pragma once
// Evaluation-board window tests on the simulated board: the board chips at
// power-up, the program's start-up settings of the bus, the journal cleared.

#include "app/board/probes_frm.h"
#include "app/shell/testing/window_test.h"
#include "controls/display/gslider.h"
#include "controls/display/toggle.h"
#include "platform/virtual_clock.h"

namespace trelvane::testing {

class BoardWindowTest : public WindowTest {
protected:
    static vsq::sim::EvaluationBoard& board() { return *pc().board(1); }
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

    vsq::platform::VirtualTime time_{0.0005};
};

} // namespace trelvane::testing
