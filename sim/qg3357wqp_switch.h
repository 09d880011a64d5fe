#pragma once
// QG3357WQP analog switch (U2 at 0x90): send byte stores the eight switch bits (bit k
// closes S(k+1)), receive byte returns them. Power-up 0x41, the default set-up.

#include "sim/smbus_device.h"

namespace vsq::sim {

class Qg3357wqpSwitch : public SmbusDevice {
public:
    static constexpr std::uint8_t kDefaultAddress = 0x90;
    explicit Qg3357wqpSwitch(std::uint8_t address = kDefaultAddress) : SmbusDevice(address) {}
    std::string_view name() const override { return "QG3357WQP"; }

    std::uint8_t switches() const { return switches_; }
    void setSwitches(std::uint8_t value) { switches_ = value; }

    bool writeByte(std::uint8_t value) override {
        switches_ = value;
        return true;
    }
    std::uint8_t readByte() override { return switches_; }

private:
    std::uint8_t switches_ = 0x41;
};

} // namespace vsq::sim
