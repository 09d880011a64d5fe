#pragma once
// What the evaluation-board window drives and charts: the DAC channels behind
// its seven sliders, the ADC inputs behind its nine chart traces, and the
// conversions between their codes and what the window shows.

#include <QString>

#include <array>
#include <cstdint>

namespace trelvane::board {

// One DAC slider: its channel, its scale and how its code shows as volts
// (code x voltsPerFullCode / 1024 + offset).
struct DacSlider {
    std::uint8_t device;  // kDacU5 or kDacU6
    std::uint8_t channel; // the command byte
    const char* title;
    int maxCode;
    double voltsPerFullCode;
    double offset;
};

// U5Slider(0..2), then U6Slider(0..3).
inline constexpr int kU5Sliders = 3;
inline constexpr int kU6Sliders = 4;
const std::array<DacSlider, kU5Sliders + kU6Sliders>& dacSliders();

// The highest code the VH slider shows; a higher code read back shows as
// kVhOverRange.
inline constexpr int kVhMaxCode = 937;
inline constexpr const char* kVhOverRange = ">13.5V";

// The word written for a slider position: kDacWordBase | (whole part And 0x3FF).
std::uint16_t dacWord(double position);
// The slider's caption for a code: its volts to three decimals.
QString dacCaption(const DacSlider& slider, int code);

// One chart sample: the ADC, the input selected through its configuration
// register, the trace it feeds and the input's full scale in volts.
struct AdcSample {
    std::uint8_t device;
    std::uint8_t input; // configuration register value
    std::int16_t trace;
    double fullScale;
};

// The nine samples of a chart tick, in the order they are taken.
const std::array<AdcSample, 9>& adcSamples();
// Volts of a conversion word (the code in bits 15-6).
double adcVolts(std::uint16_t word, double fullScale);
// Chart trace t is named "PDO t+1".
QString traceName(int trace);

// The watchdog input's timer period for a potentiometer position, in ms, to
// `decimals` places and followed by " ms": 3 while the engineer moves the
// slider, 2 after a read-back.
QString wdiPeriodText(double position, int decimals);

// `value` rounded to `decimals` places (halves to even) in its shortest
// decimal form, with a point whatever the locale: "5.988", "-6", "0".
QString roundedText(double value, int decimals);

// GPIO toggle k drives spare data line kFirstGpioLine + k.
inline constexpr int kFirstGpioLine = 4;

// The spare-line byte of the four GPIO toggles (bit 4 + k for toggle k), with
// the lines the board always keeps high (kBoardLinesHigh, chip_road.h).
std::uint8_t spareLineBits(const std::array<bool, 4>& gpioOn);

} // namespace trelvane::board
