#pragma once
// One slave device on a simulated SMBus. The slave engine of the bus (or a chipset host
// controller) decodes the lines and calls these at byte boundaries:
//   a frame addressed to the device with the write bit: beginWrite(), then writeByte()
//   for every byte the master sends (its result is the acknowledge);
//   with the read bit: beginRead(), then readByte() for every byte the master clocks in,
//   until the master does not acknowledge;
//   end() when the phase ends, at a STOP or a repeated START.
// Addresses are 8-bit (the 7-bit address shifted left, read/write bit clear).

#include <cstdint>
#include <string_view>

namespace vsq::sim {

class SmbusDevice {
public:
    explicit SmbusDevice(std::uint8_t address) : address_(address) {}
    virtual ~SmbusDevice() = default;
    SmbusDevice(const SmbusDevice&) = delete;
    SmbusDevice& operator=(const SmbusDevice&) = delete;

    virtual std::string_view name() const = 0;

    std::uint8_t address() const { return address_; }
    void setAddress(std::uint8_t address) { address_ = static_cast<std::uint8_t>(address & 0xFE); }
    // An absent device does not answer its address.
    bool present() const { return present_; }
    void setPresent(bool present) { present_ = present; }

    virtual void beginWrite() {}
    virtual bool writeByte(std::uint8_t value) = 0;
    virtual void beginRead() {}
    virtual std::uint8_t readByte() = 0;
    virtual void end() {}

private:
    std::uint8_t address_;
    bool present_ = true;
};

} // namespace vsq::sim
