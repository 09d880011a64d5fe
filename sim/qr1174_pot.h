#pragma once
// QR1174 digital potentiometer (U21 at 0x58): register 0 is the wiper, byte write and
// byte read (the first byte of a write phase is the register pointer). Power-up 0x80.

#include "sim/smbus_device.h"

namespace vsq::sim {

class Qr1174Pot : public SmbusDevice {
public:
    static constexpr std::uint8_t kDefaultAddress = 0x58;
    explicit Qr1174Pot(std::uint8_t address = kDefaultAddress) : SmbusDevice(address) {}
    std::string_view name() const override { return "QR1174"; }

    std::uint8_t wiper() const { return wiper_; }
    void setWiper(std::uint8_t value) { wiper_ = value; }

    void beginWrite() override { phaseBytes_ = 0; }
    bool writeByte(std::uint8_t value) override;
    std::uint8_t readByte() override { return pointer_ == 0 ? wiper_ : 0xFF; }

private:
    std::uint8_t wiper_ = 0x80;
    std::uint8_t pointer_ = 0;
    int phaseBytes_ = 0;
};

} // namespace vsq::sim
