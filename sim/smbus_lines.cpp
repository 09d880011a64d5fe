#include "sim/smbus_lines.h"

namespace vsq::sim {

SmbusLines::SmbusLines(int bus, Journal& journal, EvaluationBoard* board)
    : engine_(bus, journal, board) {}

void SmbusLines::settle() {
    for (;;) {
        const bool scl = wiredScl();
        const bool sda = wiredSda();
        if (scl == scl_ && sda == sda_)
            return;
        if (scl_ && !scl) { // a falling clock goes first
            scl_ = false;
            engine_.onSclFall();
            continue;
        }
        if (sda != sda_) {
            sda_ = sda;
            if (scl_)
                sda ? engine_.onStop() : engine_.onStart();
            continue;
        }
        scl_ = true; // a rising clock goes last
        engine_.onSclRise(sda_);
    }
}

void SmbusLines::holdSclLow(bool low) {
    faults_.holdSclLow = low;
    settle();
}

void SmbusLines::holdSdaLow(bool low) {
    faults_.holdSdaLow = low;
    settle();
}

void SmbusLines::startSecondMaster(int writes) {
    secondMaster_.start(writes);
    settle();
}

} // namespace vsq::sim
