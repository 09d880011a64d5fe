#pragma once
// QD8841 four-channel DAC (U5 at 0x18, U6 at 0x1A). Word write and word read, high byte
// first: the command byte's low nibble selects the channels (0x21 A, 0x22 B, 0x24 C,
// 0x28 D); a written word goes to every selected channel, a read returns the lowest
// selected one. Each channel keeps the whole 16-bit word; its output code is the low ten
// bits. A command whose high nibble is not 2 selects nothing: its data is acknowledged
// and dropped, and reads return 0.

#include "sim/smbus_device.h"

#include <array>
#include <cstdint>

namespace vsq::sim {

class Qd8841Dac : public SmbusDevice {
public:
    static constexpr std::uint8_t kChannelCommands[4] = {0x21, 0x22, 0x24, 0x28};

    explicit Qd8841Dac(std::uint8_t address) : SmbusDevice(address) {}
    std::string_view name() const override { return "QD8841"; }

    // channel 0..3 = A..D
    std::uint16_t word(int channel) const { return words_.at(channel); }
    void setWord(int channel, std::uint16_t word) { words_.at(channel) = word; }
    int outputCode(int channel) const { return words_.at(channel) & 0x3FF; }

    void beginWrite() override;
    bool writeByte(std::uint8_t value) override;
    void beginRead() override;
    std::uint8_t readByte() override;

private:
    std::uint8_t selectedChannels() const;

    std::array<std::uint16_t, 4> words_{};
    std::uint8_t command_ = 0;
    int phaseBytes_ = 0;
    std::uint8_t highByte_ = 0;
};

} // namespace vsq::sim
