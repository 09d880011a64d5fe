#include "sim/qa2296_adc.h"

#include <algorithm>
#include <cmath>

namespace vsq::sim {
namespace {

constexpr std::uint16_t kLimitMask = 0xFF80;
constexpr std::uint8_t kConfiguration2Mask = 0xC0;
constexpr double kLowRange = 5.5;
constexpr double kHighRange = 15.0;

} // namespace

Qa2296Adc::Qa2296Adc(std::uint8_t address) : SmbusDevice(address) {
    fullScale_.fill(kLowRange);
    // The board's dividers: PDO 1 to PDO 4 reach U13 inputs 2-4 and U14 input 1.
    if (address == 0x52)
        fullScale_[2] = fullScale_[3] = fullScale_[4] = kHighRange;
    if (address == 0x54)
        fullScale_[1] = kHighRange;
    powerUp();
}

void Qa2296Adc::powerUp() {
    volts_.fill(0.0);
    setTemperature(25.0);
    configuration1_ = 0;
    hysteresis_ = 0x4B00;
    overTemperature_ = 0x5000;
    configuration2_ = 0;
    pointer_ = 0;
    phaseBytes_ = 0;
}

void Qa2296Adc::setTemperature(double celsius) {
    const long quarters = std::lround(celsius * 4.0);
    temperature_ = static_cast<std::uint16_t>((static_cast<unsigned long>(quarters) & 0x3FF) << 6);
}

int Qa2296Adc::conversionCode() const {
    const int input = configuration1_ >> 5;
    const double code = std::nearbyint(volts_[input] / fullScale_[input] * 1024.0);
    return static_cast<int>(std::clamp(code, 0.0, 1023.0));
}

std::uint16_t Qa2296Adc::registerValue(int index) const {
    switch (index) {
    case 0:
        return temperature_;
    case 1:
        return configuration1_;
    case 2:
        return hysteresis_;
    case 3:
        return overTemperature_;
    case 4:
        return static_cast<std::uint16_t>(conversionCode() << 6);
    case 5:
        return configuration2_;
    default:
        return 0xFF;
    }
}

void Qa2296Adc::beginWrite() {
    phaseBytes_ = 0;
}

bool Qa2296Adc::writeByte(std::uint8_t value) {
    const int index = phaseBytes_++;
    if (index == 0) {
        pointer_ = value;
        return true;
    }
    switch (pointer_) {
    case 1:
        configuration1_ = value;
        break;
    case 5:
        configuration2_ = static_cast<std::uint8_t>(value & kConfiguration2Mask);
        break;
    case 2:
    case 3:
        if (index % 2 == 1) {
            highByte_ = value;
        } else {
            auto word = static_cast<std::uint16_t>((highByte_ << 8 | value) & kLimitMask);
            (pointer_ == 2 ? hysteresis_ : overTemperature_) = word;
        }
        break;
    default: // 0 and 4 are read-only
        break;
    }
    return true;
}

void Qa2296Adc::beginRead() {
    phaseBytes_ = 0;
}

std::uint8_t Qa2296Adc::readByte() {
    const int index = phaseBytes_++;
    const std::uint16_t value = registerValue(pointer_);
    if (!isWord(pointer_))
        return static_cast<std::uint8_t>(value);
    return static_cast<std::uint8_t>(index % 2 == 0 ? value >> 8 : value & 0xFF);
}

} // namespace vsq::sim
