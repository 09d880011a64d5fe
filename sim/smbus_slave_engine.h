#pragma once
// The line-level slave side of one bit-banged bus, shared by every device on it. It is
// told of each change of the wired lines (SmbusLines does the wired-AND and the order of
// changes) and decodes them as the bus rules say:
//   - START / repeated START: SDA falls while SCL is high; STOP: SDA rises while SCL is high;
//   - a bit is sampled on the rising edge of SCL; the slave changes its own SDA output only
//     on a falling edge of SCL (while SCL is low);
//   - the 8 bits of a byte go most significant bit first, then an acknowledge clock;
//   - the first byte after a START is the address: the device that owns it acknowledges
//     it and every byte written to it; with the read bit set the device sends bytes
//     until the master does not acknowledge one;
//   - an address nobody owns is not acknowledged, and a read from it sees released SDA.
// Every frame is decoded and journaled whether or not a device answered it. A device
// with clock stretching holds SCL low after each acknowledge clock of its frames.

#include "sim/journal.h"

#include <cstddef>
#include <cstdint>

namespace vsq::sim {

class EvaluationBoard;
class SmbusDevice;

class SmbusSlaveEngine {
public:
    SmbusSlaveEngine(int bus, Journal& journal, EvaluationBoard* board);

    // Line events, in the order the lines show them.
    void onStart();
    void onStop();
    void onSclRise(bool sda);
    void onSclFall();

    // The slaves' pulls on the lines.
    bool pullsSdaLow() const { return sdaLow_; }
    bool pullsSclLow() const { return stretchLeft_ > 0; }

    // Clock stretching: SCL stays held through this many accesses to the port's registers
    // after each acknowledge clock of a frame a device answers, and is released at the
    // start of the next access (0: no stretching).
    void setClockStretch(int accesses) { stretchAccesses_ = accesses; }
    // An access to the port's registers is about to be served; true when it ends a stretch.
    bool countAccess() {
        if (stretchLeft_ == 0)
            return false;
        return --stretchLeft_ == 0;
    }

private:
    void completeByte();
    void endOfAcknowledge();
    void endPhase();

    int bus_;
    Journal& journal_;
    EvaluationBoard* board_;

    bool inFrame_ = false;
    int bit_ = 0; // bits of the current byte seen (0-8); 8 = the acknowledge clock is next
    bool acknowledgeClock_ = false; // between the falling edge after bit 8 and the next fall
    std::uint8_t shift_ = 0;
    int byteIndex_ = 0; // 0: the address byte
    bool reading_ = false;
    SmbusDevice* device_ = nullptr;
    bool transmitting_ = false; // the device drives the data bits of the current byte
    std::uint8_t txByte_ = 0;
    bool masterAcknowledged_ = true;
    bool sdaLow_ = false;
    std::size_t pendingByte_ = 0;
    bool hasPendingByte_ = false;

    int stretchAccesses_ = 0;
    int stretchLeft_ = 0;
};

} // namespace vsq::sim
