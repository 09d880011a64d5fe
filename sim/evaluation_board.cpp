#include "sim/evaluation_board.h"

namespace vsq::sim {

EvaluationBoard::EvaluationBoard(std::uint8_t chipAddress)
    : chip_(chipAddress), devices_{&chip_,   &dacU5_,  &dacU6_, &adcU12_, &adcU13_,
                                   &adcU14_, &switch_, &pot_,   &block_} {
    powerUp();
}

void EvaluationBoard::powerUp() {
    chip_.powerUp();
    // The default set-up's DAC words; U5 channel D is never written by it.
    const std::uint16_t u5[4] = {0x2200, 0x2200, 0x2344, 0x0000};
    const std::uint16_t u6[4] = {0x2233, 0x21AB, 0x2133, 0x2100};
    for (int channel = 0; channel < 4; ++channel) {
        dacU5_.setWord(channel, u5[channel]);
        dacU6_.setWord(channel, u6[channel]);
    }
    adcU12_.powerUp();
    adcU13_.powerUp();
    adcU14_.powerUp();
    switch_.setSwitches(0x41);
    pot_.setWiper(0x80);
    block_.powerUp();
    for (auto* device : devices_)
        device->setPresent(true);
}

Qa2296Adc* EvaluationBoard::adcAt(std::uint8_t address) {
    for (Qa2296Adc* adc : {&adcU12_, &adcU13_, &adcU14_})
        if (adc->address() == (address & 0xFE))
            return adc;
    return nullptr;
}

SmbusDevice* EvaluationBoard::deviceAt(std::uint8_t address) const {
    for (auto* device : devices_)
        if (device->present() && device->address() == (address & 0xFE))
            return device;
    return nullptr;
}

SmbusDevice* EvaluationBoard::anyDeviceAt(std::uint8_t address) const {
    for (auto* device : devices_)
        if (device->address() == (address & 0xFE))
            return device;
    return nullptr;
}

} // namespace vsq::sim
