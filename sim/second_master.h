#pragma once
// Another bus master taking the bus for a while: it pulls SDA low at once (with SCL high
// the slaves see its START) and then clocks SCL, one edge per data-register write of our
// master, sending zeros. At its last write it lets SCL go, and then SDA (a STOP, when our
// master leaves SCL released too).

namespace vsq::sim {

class SecondMaster {
public:
    void start(int writes) {
        writesLeft_ = writes;
        sdaLow_ = writes > 0;
        sclLow_ = false;
    }
    bool active() const { return sdaLow_; }
    bool pullsSdaLow() const { return sdaLow_; }
    bool pullsSclLow() const { return sclLow_; }
    // One data-register write of our master passed.
    void step() {
        if (writesLeft_ == 0)
            return;
        sclLow_ = --writesLeft_ > 0 && !sclLow_;
    }
    // After its last write: SCL is free, SDA still held.
    bool finishing() const { return sdaLow_ && writesLeft_ == 0; }
    void releaseData() { sdaLow_ = false; }

private:
    int writesLeft_ = 0;
    bool sdaLow_ = false;
    bool sclLow_ = false;
};

} // namespace vsq::sim
