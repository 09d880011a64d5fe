#pragma once
// Another bus master taking the bus for a while: it pulls SDA low at once (with SCL high
// the slaves see its START) and then clocks SCL, one edge per data-register write of our
// master, sending zeros. When its writes run out it releases SCL and then SDA (a STOP).

namespace vsq::sim {

class SecondMaster {
public:
    void start(int writes) {
        writesLeft_ = writes;
        sclLow_ = false;
    }
    bool active() const { return writesLeft_ > 0; }
    bool pullsSdaLow() const { return writesLeft_ > 0; }
    bool pullsSclLow() const { return writesLeft_ > 0 && sclLow_; }
    // One data-register write of our master passed.
    void step() {
        if (writesLeft_ == 0)
            return;
        --writesLeft_;
        sclLow_ = !sclLow_;
    }
    void stop() { writesLeft_ = 0; }

private:
    int writesLeft_ = 0;
    bool sclLow_ = false;
};

} // namespace vsq::sim
