#pragma once
// A bare bus master for the simulator's tests: the master's edge sequences written out
// by hand, one data-register write per line change, through SimulatedPc::out8/in8. No
// pauses and no line checks. `inverted` is what the master believes of the adapter:
// with true it drives the patterns A 0, B 2, C 3, D 1 (A: both lines high, B: SCL high
// SDA low, C: both low, D: SCL low SDA high) and reads a set status bit as a low line.

#include <cstdint>

namespace vsq::sim::testing {

class LineMaster {
public:
    explicit LineMaster(std::uint16_t base = 0x378, bool inverted = true)
        : base_(base), inverted_(inverted) {}

    void drive(char state);
    bool sclHigh();
    bool sdaHigh();

    void start();                       // A B C
    void stop();                        // C B A
    void preStart();                    // C D D A (before a repeated start)
    void writeBit(bool one);            // 1: D A D C; 0: C B C C
    void writeByte(std::uint8_t value); // eight bits, then the acknowledge clock D A D C
    // Eight bits: C first, then per bit D A (sample) D; then no-acknowledge D A D C or,
    // with `acknowledge`, the master acknowledge C B C.
    std::uint8_t readByte(bool acknowledge = false);
    // The acknowledge bit the slave drives, sampled with SCL high.
    bool clockAcknowledge();

    void writeByteData(std::uint8_t device, std::uint8_t command, std::uint8_t data);
    std::uint8_t readByteData(std::uint8_t device, std::uint8_t command,
                              bool repeatedStart = false);
    void writeWord(std::uint8_t device, std::uint8_t command, std::uint16_t word);
    std::uint16_t readWord(std::uint8_t device, std::uint8_t command);
    void sendByte(std::uint8_t device, std::uint8_t data);
    std::uint8_t receiveByte(std::uint8_t device);

private:
    std::uint16_t base_;
    bool inverted_;
};

} // namespace vsq::sim::testing
