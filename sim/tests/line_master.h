#pragma once
// A bare bus master for the simulator's tests: the master's edge sequences written out
// by hand, one data-register write per line change, through SimulatedPc::out8/in8. No
// pauses and no line checks. `inverted` is what the master believes of the adapter:
// with true it drives the patterns A 0, B 2, C 3, D 1 (A: both lines high, B: SCL high
// SDA low, C: both low, D: SCL low SDA high) and reads a set status bit as a low line.
// MasterTest: the simulated PC powered up afresh, with a master on its first port.

#include "sim/simulated_pc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

namespace vsq::sim::testing {

class LineMaster {
public:
    explicit LineMaster(std::uint16_t base = 0x378, bool inverted = true)
        : base_(base), inverted_(inverted) {}

    void drive(char state);
    void drive(const char* states); // one write per letter, in order
    bool sclHigh();
    bool sdaHigh();

    void start() { drive("ABC"); }
    void stop() { drive("CBA"); }
    void preStart() { drive("CDDA"); } // before a repeated start
    void writeBit(bool one) { drive(one ? "DADC" : "CBCC"); }
    void writeByte(std::uint8_t value); // eight bits, then the acknowledge clock D A D C
    // Eight bits: C first, then per bit D A (sample) D; then no-acknowledge D A D C or,
    // with `acknowledge`, the master acknowledge C B C.
    std::uint8_t readByte(bool acknowledge = false);
    // The acknowledge bit the slave drives, sampled with SCL high.
    bool clockAcknowledge();

    // A write frame: start, each byte with its acknowledge clock, stop.
    void write(std::initializer_list<std::uint8_t> bytes);
    void writeByteData(std::uint8_t device, std::uint8_t command, std::uint8_t data) {
        write({device, command, data});
    }
    std::uint8_t readByteData(std::uint8_t device, std::uint8_t command,
                              bool repeatedStart = false);
    void writeWord(std::uint8_t device, std::uint8_t command, std::uint16_t word) {
        write({device, command, static_cast<std::uint8_t>(word >> 8),
               static_cast<std::uint8_t>(word & 0xFF)});
    }
    std::uint16_t readWord(std::uint8_t device, std::uint8_t command);
    void sendByte(std::uint8_t device, std::uint8_t data) { write({device, data}); }
    std::uint8_t receiveByte(std::uint8_t device);

private:
    std::uint16_t base_;
    bool inverted_;
};

class MasterTest : public ::testing::Test {
protected:
    void SetUp() override { pc.reset(); }
    SimulatedPc& pc = SimulatedPc::instance();
    LineMaster master;
};

} // namespace vsq::sim::testing
