#pragma once
// QA2296 temperature sensor and four-input ADC (U12 0x50, U13 0x52, U14 0x54).
// The first byte of a write phase is the register pointer (0-5), following bytes write
// that register; a read returns the pointed register, words high byte first.
//   0 temperature word, read-only (degrees C x 4 in bits 15-6; power-up 25 C = 0x1900)
//   1 configuration byte: bits 7-5 select the input converted by register 4
//   2 THYST and 3 TOTI limit words (power-up 0x4B00 and 0x5000; bits 6-0 read 0)
//   4 conversion result word, read-only: code << 6, code = round(V / full scale * 1024)
//     clamped to 0..1023, from the selected input's voltage
//   5 second configuration byte (bits 5-0 read 0)
// Full scale per input as the board wires the driver outputs: 5.5 V for PDO 5 to PDO 9
// (U12 inputs 1-4, U13 input 1), 15 V for PDO 1 to PDO 4 (U13 inputs 2-4, U14 input 1);
// inputs the board leaves open use 5.5 V.

#include "sim/smbus_device.h"

#include <array>
#include <cstdint>

namespace vsq::sim {

class Qa2296Adc : public SmbusDevice {
public:
    explicit Qa2296Adc(std::uint8_t address);
    std::string_view name() const override { return "QA2296"; }

    void powerUp();
    // input 0..7 as register 1's bits 7-5 number them
    void setInputVoltage(int input, double volts) { volts_.at(input) = volts; }
    double inputVoltage(int input) const { return volts_.at(input); }
    double fullScale(int input) const { return fullScale_.at(input); }
    void setTemperature(double celsius);
    // Register contents as the bus reads them (0-5).
    std::uint16_t registerValue(int index) const;
    int conversionCode() const;

    void beginWrite() override;
    bool writeByte(std::uint8_t value) override;
    void beginRead() override;
    std::uint8_t readByte() override;

private:
    static bool isWord(int index) { return index == 0 || index == 2 || index == 3 || index == 4; }

    std::array<double, 8> volts_{};
    std::array<double, 8> fullScale_{};
    std::uint16_t temperature_ = 0;
    std::uint8_t configuration1_ = 0;
    std::uint16_t hysteresis_ = 0;
    std::uint16_t overTemperature_ = 0;
    std::uint8_t configuration2_ = 0;

    int pointer_ = 0;
    int phaseBytes_ = 0;
    std::uint8_t highByte_ = 0;
};

} // namespace vsq::sim
