#include "app/board/board_channels.h"

#include "app/device/board_chips.h"
#include "app/device/chip_road.h"
#include "controls/common/basic_number.h"

#include <cmath>

namespace trelvane::board {
namespace {

// The potentiometer's period: position x 8573 / 256 + 7.7728 ms.
constexpr double kPeriodPerPosition = 8573.0 / 256.0;
constexpr double kPeriodOffset = 7.7728;

} // namespace

const std::array<DacSlider, kU5Sliders + kU6Sliders>& dacSliders() {
    static const std::array<DacSlider, kU5Sliders + kU6Sliders> sliders = {{
        {kDacU5, kDacChannelA, "VB1 Input :", 1023, 12.0, -6.0},
        {kDacU5, kDacChannelB, "VB2 Input", 1023, 12.0, -6.0},
        {kDacU5, kDacChannelC, "VH Input", kVhMaxCode, 14.7, 0.0},
        {kDacU6, kDacChannelA, "VP1 Input", 1023, 6.0, 0.0},
        {kDacU6, kDacChannelB, "VP2 Input", 1023, 6.0, 0.0},
        {kDacU6, kDacChannelC, "VP3 Input", 1023, 6.0, 0.0},
        {kDacU6, kDacChannelD, "VP4 Input", 1023, 6.0, 0.0},
    }};
    return sliders;
}

std::uint16_t dacWord(double position) {
    const auto code = static_cast<std::uint16_t>(static_cast<long>(position) & kDacCodeMask);
    return static_cast<std::uint16_t>(kDacWordBase | code);
}

QString dacCaption(const DacSlider& slider, int code) {
    return roundedText(code * slider.voltsPerFullCode / 1024.0 + slider.offset, 3);
}

const std::array<AdcSample, 9>& adcSamples() {
    static const std::array<AdcSample, 9> samples = {{
        {kAdcU12, kAdcInput1, 8, 5.5},
        {kAdcU12, kAdcInput2, 7, 5.5},
        {kAdcU12, kAdcInput3, 6, 5.5},
        {kAdcU12, kAdcInput4, 5, 5.5},
        {kAdcU13, kAdcInput1, 4, 5.5},
        {kAdcU13, kAdcInput2, 3, 15.0},
        {kAdcU13, kAdcInput3, 2, 15.0},
        {kAdcU13, kAdcInput4, 1, 15.0},
        {kAdcU14, kAdcInput1, 0, 15.0},
    }};
    return samples;
}

double adcVolts(std::uint16_t word, double fullScale) {
    return word / 64.0 * fullScale / 1024.0;
}

QString traceName(int trace) {
    return QStringLiteral("PDO %1").arg(trace + 1);
}

QString wdiPeriodText(double position, int decimals) {
    return roundedText(position * kPeriodPerPosition + kPeriodOffset, decimals) +
           QStringLiteral(" ms");
}

QString roundedText(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    // Adding 0.0 turns a rounded -0 into 0.
    const double rounded = vsq::controls::roundHalfEven(value * scale) / scale + 0.0;
    return QString::fromStdU16String(vsq::controls::generalFormat(rounded));
}

std::uint8_t spareLineBits(const std::array<bool, 4>& gpioOn) {
    std::uint8_t bits = kBoardLinesHigh; // whatever the GPIO toggles say
    for (int k = 0; k < 4; ++k) {
        if (gpioOn[static_cast<std::size_t>(k)])
            bits = static_cast<std::uint8_t>(bits | (1u << (kFirstGpioLine + k)));
    }
    return bits;
}

} // namespace trelvane::board
