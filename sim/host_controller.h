#pragma once
// A chipset SMBus host controller: eight byte registers at its I/O base. What both
// families share: a started byte-data transfer runs on the bus at once, and its result
// (status bits and, for a read, the data byte) is held back for the next few status
// reads, during which the controller shows itself busy. A start while busy is ignored.
// The families differ in where the registers sit and in the bits of the status and
// control registers (Layout).

#include "sim/chipset_smbus.h"

#include <cstdint>

namespace vsq::sim {

class HostController {
public:
    virtual ~HostController() = default;
    virtual std::uint8_t read(int offset) = 0;
    virtual void write(int offset, std::uint8_t value) = 0;

protected:
    // A family's status and control bits.
    struct Layout {
        std::uint8_t busy;           // status shows it while a transfer runs
        std::uint8_t idle;           // status shows it while none runs (and at power-up)
        std::uint8_t clearable;      // status bits cleared by writing 1
        std::uint8_t clearedByStart; // status bits a start clears
        std::uint8_t done;           // the outcomes' status bits
        std::uint8_t deviceError;
        std::uint8_t busError;
        std::uint8_t failed;       // a transfer the host gave up on
        std::uint8_t unsupported;  // a protocol the controller does not run
        std::uint8_t protocolMask; // the control register's protocol field
        std::uint8_t byteDataProtocol;
    };

    HostController(ChipsetSmbus& bus, int busyReads, const Layout& layout)
        : status_(layout.idle), bus_(bus), busyReads_(busyReads), layout_(layout) {}

    // The status register as a read shows it; a read while busy counts towards the result.
    std::uint8_t readStatus();
    // A write to the status register: clears the clearable bits written as 1.
    void clearStatus(std::uint8_t value);
    // Starts the transfer the control, address, command and data registers describe.
    void start();

    // The registers both families have, as the bus reads them now.
    std::uint8_t status_;
    std::uint8_t control_ = 0;
    std::uint8_t command_ = 0;
    std::uint8_t address_ = 0; // 7-bit address << 1 | read
    std::uint8_t data_ = 0;

private:
    bool busy() const { return busyLeft_ > 0; }
    // Runs a byte-data transfer; the status bit of its outcome, and `data` after a read.
    std::uint8_t runByteData(std::uint8_t& data);
    // Holds a transfer's final status and data back for the configured status reads.
    void holdResult(std::uint8_t status, std::uint8_t data);

    ChipsetSmbus& bus_;
    int busyReads_;
    Layout layout_;
    int busyLeft_ = 0;
    std::uint8_t heldStatus_ = 0;
    std::uint8_t heldData_ = 0;
};

} // namespace vsq::sim
