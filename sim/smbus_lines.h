#pragma once
// The two wires of one bit-banged bus: wired-AND of the master's drive (through the
// board adapter), the slaves, the faults a test puts on, and a second master.
//
// When one change moves both lines (one data-register write drives SCL and SDA at
// once), the lines change in the order a real bus shows them: an SCL fall first, SDA
// next, an SCL rise last. Pull-downs are fast and releases slow, so a clock falling with
// data means the data changes under a low clock, and a clock rising with data means the
// data settled before the clock went up. A single write therefore never makes a START
// or a STOP by itself: those need SDA to move in a write of its own while SCL stays high.

#include "sim/bus_faults.h"
#include "sim/second_master.h"
#include "sim/smbus_slave_engine.h"

namespace vsq::sim {

class SmbusLines {
public:
    SmbusLines(int bus, Journal& journal, EvaluationBoard* board);

    // The master's drive, true = released. Called for every data-register write.
    void driveMaster(bool sclReleased, bool sdaReleased) {
        masterScl_ = sclReleased;
        masterSda_ = sdaReleased;
        settle();
        if (secondMaster_.active()) {
            secondMaster_.step();
            settle();
            if (secondMaster_.finishing()) {
                secondMaster_.releaseData();
                settle();
            }
        }
    }
    // Every access to the port's registers (before it is served).
    void countAccess() {
        if (engine_.countAccess())
            settle();
    }

    bool scl() const { return scl_; }
    bool sda() const { return sda_; }

    const BusFaults& faults() const { return faults_; }
    void holdSclLow(bool low);
    void holdSdaLow(bool low);
    // An addressed slave holds SCL low after every acknowledge clock, for this many
    // accesses to the port's registers (status reads and register writes). 0: never.
    void setClockStretch(int accesses) { engine_.setClockStretch(accesses); }
    void startSecondMaster(int writes);

private:
    bool wiredScl() const {
        return masterScl_ && !faults_.holdSclLow && !engine_.pullsSclLow() &&
               !secondMaster_.pullsSclLow();
    }
    bool wiredSda() const {
        return masterSda_ && !faults_.holdSdaLow && !engine_.pullsSdaLow() &&
               !secondMaster_.pullsSdaLow();
    }
    void settle();

    SmbusSlaveEngine engine_;
    BusFaults faults_;
    SecondMaster secondMaster_;
    bool masterScl_ = true;
    bool masterSda_ = true;
    bool scl_ = true;
    bool sda_ = true;
};

} // namespace vsq::sim
