#include "controls/reginfo/register_value.h"

#include "controls/common/basic_number.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace mirelda {

using vsq::controls::generalFormat;
using vsq::controls::roundHalfEven;

namespace {

constexpr int kSinglePrecisionDigits = 7;

} // namespace

std::int32_t wholeValue(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double rounded = roundHalfEven(value);
    return static_cast<std::int32_t>(std::clamp<double>(rounded,
                                                        std::numeric_limits<std::int32_t>::min(),
                                                        std::numeric_limits<std::int32_t>::max()));
}

QString valueCaption(float value) {
    QString decimal = QString::fromStdU16String(generalFormat(value, kSinglePrecisionDigits));
    // The user's decimal separator, as the caption is for the user.
    decimal.replace(QLatin1Char('.'), QLocale().decimalPoint());
    const auto whole = static_cast<std::uint32_t>(wholeValue(value));
    return QStringLiteral("Value:") + decimal + QStringLiteral("d,") +
           QString::number(whole, 16).toUpper() + QStringLiteral("h");
}

std::int32_t maskedEntry(double entry, std::int32_t mask, double lastKnown, bool wordRegister) {
    if (mask == 0) {
        return wholeValue(entry);
    }
    const std::int32_t width = wordRegister ? 0xFFFF : 0xFF;
    return (wholeValue(entry) & (width ^ mask)) | (wholeValue(lastKnown) & mask);
}

bool isReadOnlyBit(std::int32_t mask, int bit) {
    const std::int32_t test = bit == 15 ? std::int32_t{-32768} : std::int32_t{1} << bit;
    return (mask & test) != 0;
}

std::vector<TraceSample> logicSamples(double value, bool wordRegister) {
    const std::int32_t whole = wholeValue(value);
    std::vector<TraceSample> samples;
    for (int trace = wordRegister ? 15 : 7; trace >= 0; --trace) {
        const bool set = ((whole >> trace) & 1) != 0;
        samples.emplace_back(static_cast<std::int16_t>(trace), trace + (set ? 0.9 : 0.1));
    }
    return samples;
}

float clampRegisterValue(float value) {
    if (std::isnan(value)) {
        return 0;
    }
    return std::clamp<float>(value, 0, static_cast<float>(kLargestRegisterValue));
}

bool isValidAddressPointer(double address) {
    return address >= 0 && address <= kLargestAddressPointer;
}

} // namespace mirelda
