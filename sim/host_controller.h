#pragma once
// A chipset SMBus host controller: eight byte registers at its I/O base. What both
// families share: a started byte-data transfer runs on the bus at once, and its result
// (status bits and, for a read, the data byte) is held back for the next few status
// reads, during which the controller shows itself busy. A start while busy is ignored.

#include "sim/chipset_smbus.h"

#include <cstdint>

namespace vsq::sim {

class HostController {
public:
    virtual ~HostController() = default;
    virtual std::uint8_t read(int offset) = 0;
    virtual void write(int offset, std::uint8_t value) = 0;

protected:
    // The status bits a family sets for each outcome.
    struct OutcomeBits {
        std::uint8_t done;
        std::uint8_t deviceError;
        std::uint8_t busError;
    };

    HostController(ChipsetSmbus& bus, int busyReads) : bus_(bus), busyReads_(busyReads) {}

    bool busy() const { return busyLeft_ > 0; }
    // Runs a byte-data transfer; the status bit of its outcome, and `data` after a read.
    std::uint8_t runByteData(std::uint8_t address, std::uint8_t command, std::uint8_t& data,
                             const OutcomeBits& bits);
    // Holds a transfer's final status and data back for the configured status reads.
    void holdResult(std::uint8_t status, std::uint8_t data);
    // Counts a status read made while busy; the result comes out with the last one.
    void countBusyRead();

    // The registers as the bus reads them now.
    std::uint8_t status_ = 0;
    std::uint8_t data_ = 0;

private:
    ChipsetSmbus& bus_;
    int busyReads_;
    int busyLeft_ = 0;
    std::uint8_t heldStatus_ = 0;
    std::uint8_t heldData_ = 0;
};

} // namespace vsq::sim
