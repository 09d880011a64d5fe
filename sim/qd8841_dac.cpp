#include "sim/qd8841_dac.h"

namespace vsq::sim {

std::uint8_t Qd8841Dac::selectedChannels() const {
    return (command_ & 0xF0) == 0x20 ? static_cast<std::uint8_t>(command_ & 0x0F) : 0;
}

void Qd8841Dac::beginWrite() {
    phaseBytes_ = 0;
}

bool Qd8841Dac::writeByte(std::uint8_t value) {
    const int index = phaseBytes_++;
    if (index == 0) {
        command_ = value;
    } else if (index % 2 == 1) {
        highByte_ = value;
    } else {
        const auto word = static_cast<std::uint16_t>(highByte_ << 8 | value);
        for (int channel = 0; channel < 4; ++channel)
            if (selectedChannels() & (1u << channel))
                words_[channel] = word;
    }
    return true;
}

void Qd8841Dac::beginRead() {
    phaseBytes_ = 0;
}

std::uint8_t Qd8841Dac::readByte() {
    const int index = phaseBytes_++;
    const std::uint8_t channels = selectedChannels();
    if (channels == 0)
        return 0;
    int channel = 0;
    while ((channels & (1u << channel)) == 0)
        ++channel;
    const std::uint16_t word = words_[channel];
    return static_cast<std::uint8_t>(index % 2 == 0 ? word >> 8 : word & 0xFF);
}

} // namespace vsq::sim
