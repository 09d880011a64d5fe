#pragma once
// The ALi SMBus host controller. This register layout is the one the communications
// library and the chipset library use as well.
//
// Where it sits (SouthBridge::Ali): the bridge identifier 0x153310B9 at PCI 0/7/3 (what
// the chipset library's scan looks for) and the power-management function 0x710110B9 at
// 0/17/0, which holds the controller: its I/O base is the upper 16 bits of configuration
// register 0xE0 (power-up 0xE8000000: base 0xE800); the controller answers while bit 10
// of register 0xD0 (I/O decode) and bit 0 of register 0xF0 (host enable) are both set.
// Until then its ports read 0xFF and ignore writes.
//
// Registers at base + offset:
//   +0 status
//        bit 2  idle: set while no transfer runs, clear while one runs
//        bit 4  done: the last transfer ended well
//        bit 5  device error: no acknowledge from the addressed device
//        bit 6  bus collision: a held line or another master
//        bit 7  failed: a protocol the controller does not run
//        bits 4-7 are cleared by writing 1 (0xF0 clears them all); bits 0, 1, 3 read 0.
//      A start clears bits 4-7 and bit 2, so the whole status byte reads 0x00 while a
//      transfer runs: wait while bit 2 is clear (or while the byte is 0). Afterwards it
//      reads 0x14 (done), 0x24 (device error), 0x44 or 0x84. A device is present when
//      none of bits 5-7 is set.
//   +1 control: bits 6-4 protocol; 0x20 = byte data (the only one it runs). Read/write.
//   +2 start: any write starts a transfer; reads 0.
//   +3 slave address byte: 7-bit address << 1, bit 0 set for a read. Read/write.
//   +4 DATA: the data byte written, or after a read the byte received. Read/write.
//   +5, +6: read 0, writes ignored.
//   +7 COMMAND: the command (register) byte. Read/write.
// So a byte-data write is: +0 = 0xF0; +7 = command; +3 = address << 1; +4 = data;
// +1 = 0x20; +2 = any; wait while bit 2 is clear. A read: the same without +4 and with
// address << 1 | 1, then take +4.
// A started transfer runs on the bus at once; the status reads 0x00 for the next few
// status reads (SimConfig::hostBusyReads) and shows the result after them. A start while
// busy is ignored.

#include "sim/host_controller.h"

namespace vsq::sim {

class AliHostController : public HostController {
public:
    static constexpr int kStatus = 0;
    static constexpr int kControl = 1;
    static constexpr int kStart = 2;
    static constexpr int kAddress = 3;
    static constexpr int kData = 4;
    static constexpr int kCommand = 7;

    static constexpr std::uint8_t kIdle = 0x04;
    static constexpr std::uint8_t kDone = 0x10;
    static constexpr std::uint8_t kDeviceError = 0x20;
    static constexpr std::uint8_t kCollision = 0x40;
    static constexpr std::uint8_t kFailed = 0x80;
    static constexpr std::uint8_t kByteDataProtocol = 0x20;

    AliHostController(ChipsetSmbus& bus, int busyReads);

    std::uint8_t read(int offset) override;
    void write(int offset, std::uint8_t value) override;
};

} // namespace vsq::sim
