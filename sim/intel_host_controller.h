#pragma once
// The Intel-family (PIIX4/ICH) SMBus host controller, registers at base + offset:
//   +0 host status: bit 0 busy (read-only), bit 1 interrupt (transfer done), bit 2 device
//      error (no acknowledge, or a protocol it does not run), bit 3 bus error (collision),
//      bit 4 failed; bits 1-4 are cleared by writing 1.
//   +1 slave status, reads 0.
//   +2 host control: bit 6 start (reads 0), bits 4-2 protocol; 0x48 starts a byte-data
//      transfer. Other protocols end at once with the device-error bit.
//   +3 host command, +4 transmit slave address (7-bit address << 1 | read), +5 host data
//      0, +6 host data 1: read and write.
//   +7 reads 0.
// A started transfer runs on the bus at once; the status shows busy for the next few
// status reads (SimConfig::hostBusyReads), and the result (interrupt or an error bit,
// and for a read host data 0) appears after them. A start while busy is ignored.

#include "sim/host_controller.h"

namespace vsq::sim {

class IntelHostController : public HostController {
public:
    static constexpr std::uint8_t kBusy = 0x01;
    static constexpr std::uint8_t kInterrupt = 0x02;
    static constexpr std::uint8_t kDeviceError = 0x04;
    static constexpr std::uint8_t kBusError = 0x08;
    static constexpr std::uint8_t kFailed = 0x10;

    IntelHostController(ChipsetSmbus& bus, int busyReads);

    std::uint8_t read(int offset) override;
    void write(int offset, std::uint8_t value) override;

private:
    std::uint8_t data1_ = 0;
};

} // namespace vsq::sim
